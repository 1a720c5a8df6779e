#include "ui/open_address.h"
#include "online/browser.h"
#include "platform/platform.h"
#include "platform/processes.h"
#include "platform/shell.h"

int OpenAddress(Platform& platform, const std::wstring& address, int showCommand) {
    if (address.empty())
        return OPEN_ADDRESS_EMPTY;
    if (!IsHandOffAddress(address))
        return OPEN_ADDRESS_REFUSED;
    // The shell opens an address with the association the user chose, which is the user's to
    // change: an elevated program takes the machine's ".htm" command instead.
    int shellResult = OPEN_ADDRESS_REFUSED;
    if (!UsesMachineBrowserOnly(platform)) {
        shellResult = platform.shell->Open(address, showCommand);
        if (shellResult > 32)
            return shellResult;
    }
    std::wstring command;
    if (!GetHtmlOpenCommand(platform, command))
        return shellResult;
    std::wstring line;
    if (!JoinBrowserCommand(command, address, line))
        return OPEN_ADDRESS_REFUSED;
    return platform.processes->StartShown(line, showCommand) ? OPEN_ADDRESS_STARTED
                                                             : OPEN_ADDRESS_REFUSED;
}
