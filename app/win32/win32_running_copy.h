#pragma once
#include "platform/running_copy.h"
#include <windows.h>

class CWin32RunningCopy : public IRunningCopy {
  public:
    void BroadcastShowDialog() override;
    MutexCreation CreateInstanceMutex(const wchar_t* name) override;
    bool BringForward(const std::wstring& title) override;

  private:
    // Kept open on purpose until the process ends: the system then removes the mutex, and a
    // later start finds it gone.
    HANDLE m_hInstanceMutex = nullptr;
};
