#pragma once
#include <string>

struct Platform;

// The result of an empty address: counted as success, nothing opened.
inline constexpr int OPEN_ADDRESS_EMPTY = 36;
// The result of a refused address or command line.
inline constexpr int OPEN_ADDRESS_REFUSED = 0;
// The result of a program started with the ".htm" class's command.
inline constexpr int OPEN_ADDRESS_STARTED = 33;
// Room for the composed command line, its terminating zero included.
inline constexpr size_t OPEN_ADDRESS_COMMAND_CHARS = 520;

// Opens a web address in the user's browser: through the shell, else with the ".htm" class's
// command. A result above 32 means success. Only http and https addresses without blanks,
// quotes or control characters are opened.
int OpenAddress(Platform& platform, const std::wstring& address, int showCommand);
