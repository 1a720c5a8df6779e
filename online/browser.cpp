#include "online/browser.h"
#include "online/online_system.h"
#include "online/safe_names.h"
#include "platform/platform.h"
#include "platform/processes.h"
#include "platform/settings_store.h"
#include "platform/shell.h"

static const wchar_t* const START_MENU_INTERNET = L"Software\\Clients\\StartMenuInternet";

std::wstring GetDefaultBrowserCommand(Platform& platform) {
    ISettingsStore* hive = platform.userSettings;
    std::wstring name;
    if (!hive->ReadString(START_MENU_INTERNET, L"", name)) {
        hive = platform.settings;
        if (!hive->ReadString(START_MENU_INTERNET, L"", name))
            return {};
    }
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
    ISettingsStore& classes = *platform.classesSettings;
    std::wstring htmlClass;
    if (!classes.ReadString(L".htm", L"", htmlClass) ||
        !classes.ReadString((htmlClass + L"\\shell\\open\\command").c_str(), L"", command))
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
    if (address.empty() || !IsSafeWebAddress(address))
        return 0;
    const std::wstring command = GetDefaultBrowserCommand(m_platform);
    if (command.empty())
        return 0;
    return m_platform.processes->Start(command + L" " + address);
}
