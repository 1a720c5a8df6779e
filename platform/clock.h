#pragma once
#include <cstdint>

class IClock {
  public:
    virtual ~IClock() = default;
    virtual void Sleep(uint32_t milliseconds) = 0;
    // Milliseconds since the system started; wraps after about 49 days.
    virtual uint32_t TickCount() = 0;
};
