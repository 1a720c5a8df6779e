#pragma once
#include <cstdint>
#include <string>

// Hands a web address to the user's default browser.
class IBrowser {
  public:
    virtual ~IBrowser() = default;
    // A result above 32 means success; an empty address opens nothing and succeeds.
    virtual intptr_t OpenAddress(const std::wstring& address, int showCommand) = 0;
};
