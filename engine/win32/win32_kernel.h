#pragma once
#include "platform/clock.h"
#include "platform/named_mutex.h"

class CWin32Clock : public IClock {
  public:
    void Sleep(uint32_t milliseconds) override;
    uint32_t TickCount() override;
};

class CWin32NamedMutexes : public INamedMutexes {
  public:
    MutexHandle CreateOrOpen(const wchar_t* name) override;
    MutexWait Wait(MutexHandle mutex, uint32_t milliseconds) override;
    void Release(MutexHandle mutex) override;
    void Close(MutexHandle mutex) override;
};
