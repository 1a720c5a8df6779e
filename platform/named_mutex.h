#pragma once
#include <cstdint>

// A mutex shared by name between the threads of all processes of one session.
using MutexHandle = void*;

enum class MutexWait {
    ACQUIRED,
    // Acquired, but its previous owner ended without releasing it.
    ABANDONED,
    // Another holder kept it for the whole time allowed.
    TIMED_OUT,
    FAILED,
};

class INamedMutexes {
  public:
    virtual ~INamedMutexes() = default;
    // Creates the mutex, or opens it when it exists; not owned by the caller. Null on failure.
    virtual MutexHandle CreateOrOpen(const wchar_t* name) = 0;
    // Waits at most `milliseconds` for the mutex.
    virtual MutexWait Wait(MutexHandle mutex, uint32_t milliseconds) = 0;
    virtual void Release(MutexHandle mutex) = 0;
    virtual void Close(MutexHandle mutex) = 0;
};
