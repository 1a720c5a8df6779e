#include "app/working_folder.h"
#include "engine/product_keys.h"
#include "platform/settings_store.h"
#include "platform/text.h"

static std::wstring FolderFromCommandLine(const std::wstring& commandLine) {
    std::wstring path;
    for (wchar_t c : commandLine) {
        if (c != L'"')
            path.push_back(c);
    }
    const size_t slash = path.rfind(L'\\');
    path.resize(slash == std::wstring::npos ? 0 : slash);
    return path + L"\\Firmware\\PULO5";
}

std::wstring WorkingFolder(ISettingsStore& settings, const std::wstring& commandLine) {
    std::wstring runPath;
    std::wstring folder;
    // A folder value that is empty or a lone backslash names no folder: treat it as missing
    // rather than making the installation folder itself the firmware folder.
    if (!settings.ReadString(PULO5_KEY, VALUE_RUN_PATH, runPath) || runPath.empty() ||
        !settings.ReadString(PULO5_KEY, VALUE_FW_FOLDER, folder) ||
        (folder = WithoutTrailingBackslash(WithoutLeadingBackslash(folder))).empty())
        return FolderFromCommandLine(commandLine);
    if (!EndsInBackslash(runPath))
        runPath.push_back(L'\\');
    return runPath + folder;
}

int IsSilentStart(const std::wstring& arguments) {
    return arguments.find(L"-silent") != std::wstring::npos ? 1 : 0;
}
