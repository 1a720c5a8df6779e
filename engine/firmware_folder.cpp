#include "engine/firmware_folder.h"
#include "engine/product_keys.h"
#include "platform/settings_store.h"
#include "platform/text.h"

static std::wstring FolderBesideProgram(const std::wstring& commandLine) {
    std::wstring path;
    for (wchar_t c : commandLine) {
        if (c != L'"')
            path.push_back(c);
    }
    const size_t slash = path.rfind(L'\\');
    path.resize(slash == std::wstring::npos ? 0 : slash);
    return path + L"\\Firmware\\PULO5";
}

std::wstring FirmwareFolder(const std::wstring& runPath, const std::wstring& folderName,
                            const std::wstring& commandLine) {
    const std::wstring name = WithoutTrailingBackslash(WithoutLeadingBackslash(folderName));
    // An empty name would make the installation folder itself the firmware folder.
    if (runPath.empty() || name.empty())
        return FolderBesideProgram(commandLine);
    return (EndsInBackslash(runPath) ? runPath : runPath + L'\\') + name;
}

std::wstring ReadFirmwareFolder(ISettingsStore& settings, const wchar_t* keyPath,
                                const std::wstring& commandLine) {
    std::wstring runPath;
    std::wstring folderName;
    if (!settings.ReadString(keyPath, VALUE_RUN_PATH, runPath))
        runPath.clear();
    if (!settings.ReadString(keyPath, VALUE_FW_FOLDER, folderName))
        folderName.clear();
    return FirmwareFolder(runPath, folderName, commandLine);
}
