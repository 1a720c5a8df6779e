#pragma once
#include <string>

// What a new start of the program learns from and does to a copy that already runs.
struct MutexCreation {
    bool created = false;        // a handle was returned
    bool alreadyExisted = false; // ... to a mutex some other process had made
};

class IRunningCopy {
  public:
    virtual ~IRunningCopy() = default;
    // Asks every top-level window to open the running copy's window; waits at most a second
    // for each window that does not answer.
    virtual void BroadcastShowDialog() = 0;
    // Creates (not owning) or opens the named mutex; the handle stays open until the process ends.
    virtual MutexCreation CreateInstanceMutex(const wchar_t* name) = 0;
    // Finds the top-level window titled `title`, restores it when minimised and makes its last
    // active pop-up the foreground window. False when there is no such window.
    virtual bool BringForward(const std::wstring& title) = 0;
};
