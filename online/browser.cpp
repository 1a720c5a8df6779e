#include "online/browser.h"
#include "online/online_system.h"
#include "online/safe_names.h"
#include "platform/platform.h"
#include "platform/processes.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/system_info.h"
#include <algorithm>

static const wchar_t* const START_MENU_INTERNET = L"Software\\Clients\\StartMenuInternet";
// The machine's own classes, without the user's that the classes root adds.
static const wchar_t* const MACHINE_CLASSES = L"Software\\Classes\\";

bool UsesMachineBrowserOnly(Platform& platform) {
    return platform.system->IsAdminTokenMember();
}

bool IsHandOffAddress(const std::wstring& address) {
    return address.size() < BROWSER_COMMAND_CHARS && IsSafeWebAddress(address) &&
           std::all_of(address.begin(), address.end(), [](wchar_t c) { return c < 0x80; });
}

bool JoinBrowserCommand(const std::wstring& command, const std::wstring& address,
                        std::wstring& line) {
    if (command.size() + 1 + address.size() >= BROWSER_COMMAND_CHARS)
        return false;
    line = command + L" " + address;
    return true;
}

std::wstring GetDefaultBrowserCommand(Platform& platform) {
    ISettingsStore* hive = platform.settings;
    std::wstring name;
    if (!UsesMachineBrowserOnly(platform) &&
        platform.userSettings->ReadString(START_MENU_INTERNET, L"", name))
        hive = platform.userSettings;
    else if (!hive->ReadString(START_MENU_INTERNET, L"", name))
        return {};
    const std::wstring key =
        std::wstring(START_MENU_INTERNET) + L"\\" + name + L"\\shell\\open\\command";
    std::wstring command;
    std::wstring expanded;
    if (!hive->ReadString(key.c_str(), L"", command) ||
        !platform.shell->ExpandEnvironment(command, expanded))
        return {};
    return expanded;
}

bool GetHtmlOpenCommand(Platform& platform, std::wstring& command) {
    const bool machineOnly = UsesMachineBrowserOnly(platform);
    ISettingsStore& classes = machineOnly ? *platform.settings : *platform.classesSettings;
    const std::wstring root = machineOnly ? MACHINE_CLASSES : L"";
    std::wstring htmlClass;
    if (!classes.ReadString((root + L".htm").c_str(), L"", htmlClass) ||
        !classes.ReadString((root + htmlClass + L"\\shell\\open\\command").c_str(), L"", command))
        return false;
    size_t placeholder = command.find(L"\"%1\"");
    if (placeholder == std::wstring::npos)
        placeholder = command.find(L"%1");
    if (placeholder != std::wstring::npos)
        command.erase(placeholder);
    return true;
}

int COnlineSystem::OpenInBrowser(const std::wstring& address) {
    // The address goes onto a command line as it is: only a plain web address may.
    if (!IsHandOffAddress(address))
        return 0;
    const std::wstring command = GetDefaultBrowserCommand(m_platform);
    std::wstring line;
    if (command.empty() || !JoinBrowserCommand(command, address, line))
        return 0;
    return m_platform.processes->Start(line);
}
