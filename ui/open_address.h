#pragma once
#include "platform/browser.h"
#include <string>

struct Platform;

// The result of an empty address: counted as success, nothing opened.
inline constexpr int OPEN_ADDRESS_EMPTY = 36;
// The result of a refused address or command line.
inline constexpr int OPEN_ADDRESS_REFUSED = 0;
// The result of a program started with the ".htm" class's command.
inline constexpr int OPEN_ADDRESS_STARTED = 33;

// Opens a web address in the user's browser: through the shell, else with the ".htm" class's
// command (only the machine's while elevated). A result above 32 means success. Only the
// addresses that `IsHandOffAddress` accepts are opened, only within BROWSER_COMMAND_CHARS.
int OpenAddress(Platform& platform, const std::wstring& address, int showCommand);

// The browser that the program's links open their addresses with.
class CPlatformBrowser : public IBrowser {
  public:
    explicit CPlatformBrowser(Platform& platform) : m_platform(platform) {}
    intptr_t OpenAddress(const std::wstring& address, int showCommand) override {
        return ::OpenAddress(m_platform, address, showCommand);
    }

  private:
    Platform& m_platform;
};
