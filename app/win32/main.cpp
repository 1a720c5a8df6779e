// Start-up of Quillmate. Until the main window exists, the program classifies the system, enters
// its firmware folder, chooses its language and reports the carried firmware in a message box.
#include "app/language.h"
#include "app/system_check.h"
#include "app/win32/win32_system_info.h"
#include "app/working_folder.h"
#include "engine/firmware_version.h"
#include "engine/module_version.h"
#include "engine/product_keys.h"
#include "engine/win32/registry.h"
#include "engine/win32/win32_file_system.h"
#include "engine/win32/win32_version_resource.h"
#include "ui/message_catalogue.h"
#include "ui/win32/resource_message_source.h"
#include <windows.h>

static constexpr uint16_t MSG_FIRMWARE_VERSIONS = 121;

static int ShowMessage(const CMessageCatalogue& catalogue, uint16_t language,
                       const std::wstring& text, UINT icon) {
    const UINT rtl = IsRightToLeft(language) ? MB_RTLREADING | MB_RIGHT : 0;
    MessageBoxW(nullptr, text.c_str(), catalogue.Title(language).c_str(), MB_OK | icon | rtl);
    return 0;
}

static std::wstring PackageDescriptionPath(CRegistry& registry, const std::wstring& folder) {
    std::wstring name;
    registry.ReadString(PULO5_KEY, L"QmFwInfo", name);
    if (!name.empty() && name.front() == L'\\')
        name.erase(0, 1);
    return folder + L"\\" + name;
}

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int) {
    CWin32SystemInfo system;
    const int32_t systemCode = GetSystemCode(system);

    CRegistry registry(HKEY_LOCAL_MACHINE);
    const std::wstring folder = WorkingFolder(registry, GetCommandLineW());
    SetCurrentDirectoryW(folder.c_str());

    const uint16_t language = ChooseLanguage(registry, system);
    CResourceMessageSource messages(hInstance);
    const CMessageCatalogue catalogue(messages);
    std::wstring text;
    if (const uint16_t refusal = SystemGateMessage(systemCode, system)) {
        catalogue.Load(text, language, refusal);
        return ShowMessage(catalogue, language, text, MB_ICONWARNING);
    }

    CWin32FileSystem files;
    FirmwareVersion package;
    ReadPackageVersion(files, PackageDescriptionPath(registry, folder), package);
    CWin32VersionResource versionResource;
    CModuleVersion moduleVersion(versionResource);
    moduleVersion.Load(nullptr);

    catalogue.Load(text, language, MSG_FIRMWARE_VERSIONS);
    text =
        FormatText(text, {L"-", FormatVersion(package)}) + L"\n\n" + moduleVersion.ProductVersion();
    return ShowMessage(catalogue, language, text, MB_ICONINFORMATION);
}
