#include "engine/win32/win32_kernel.h"
#include <windows.h>

void CWin32Clock::Sleep(uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

uint32_t CWin32Clock::TickCount() {
    return GetTickCount();
}

MutexHandle CWin32NamedMutexes::CreateOrOpen(const wchar_t* name) {
    return CreateMutexW(nullptr, FALSE, name);
}

MutexWait CWin32NamedMutexes::Wait(MutexHandle mutex, uint32_t milliseconds) {
    switch (WaitForSingleObject(mutex, milliseconds)) {
    case WAIT_OBJECT_0:
        return MutexWait::ACQUIRED;
    case WAIT_ABANDONED:
        return MutexWait::ABANDONED;
    case WAIT_TIMEOUT:
        return MutexWait::TIMED_OUT;
    default:
        return MutexWait::FAILED;
    }
}

void CWin32NamedMutexes::Release(MutexHandle mutex) {
    ReleaseMutex(mutex);
}

void CWin32NamedMutexes::Close(MutexHandle mutex) {
    CloseHandle(mutex);
}
