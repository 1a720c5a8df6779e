#include "ui/open_address.h"
#include "online/browser.h"
#include "online/safe_names.h"
#include "platform/platform.h"
#include "platform/processes.h"
#include "platform/shell.h"

int OpenAddress(Platform& platform, const std::wstring& address, int showCommand) {
    if (address.empty())
        return OPEN_ADDRESS_EMPTY;
    if (!IsSafeWebAddress(address))
        return OPEN_ADDRESS_REFUSED;
    const int shellResult = platform.shell->Open(address, showCommand);
    if (shellResult > 32)
        return shellResult;
    std::wstring command;
    if (!GetHtmlOpenCommand(platform, command))
        return shellResult;
    command += L" " + address;
    if (command.size() >= OPEN_ADDRESS_COMMAND_CHARS)
        return OPEN_ADDRESS_REFUSED;
    return platform.processes->StartShown(command, showCommand) ? OPEN_ADDRESS_STARTED
                                                                : OPEN_ADDRESS_REFUSED;
}
