#pragma once
#include <cstdint>

class IClock {
  public:
    virtual ~IClock() = default;
    virtual void Sleep(uint32_t milliseconds) = 0;
};
