// Start-up of Quillmate. Until the main window exists, the program classifies the system, enters
// its firmware folder, chooses its language, looks for the player and reports the player's and
// the carried firmware versions in a message dialog.
#include "app/language.h"
#include "app/system_check.h"
#include "app/win32/win32_platform.h"
#include "app/working_folder.h"
#include "engine/action_fw_dn.h"
#include "engine/firmware_version.h"
#include "engine/product_keys.h"
#include "platform/text.h"
#include "ui/dialog_layout.h"
#include "ui/message_catalogue.h"
#include "ui/open_address.h"
#include "ui/win32/message_dlg.h"
#include "ui/win32/x_hyperlink.h"
#include <windows.h>
#include <commctrl.h>

static constexpr uint16_t MSG_FIRMWARE_VERSIONS = 121;

static int ShowMessage(const CMessageCatalogue& catalogue, uint16_t language,
                       const std::wstring& text, int32_t pictureKind) {
    CMessageDlg dialog(language, IsRightToLeft(language), catalogue.Title(language).c_str(),
                       text.c_str(), pictureKind, nullptr);
    dialog.DoModal();
    return 0;
}

static std::wstring PackageDescriptionPath(ISettingsStore& settings, const std::wstring& folder) {
    std::wstring name;
    settings.ReadString(PULO5_KEY, VALUE_FW_INFO, name);
    return folder + L"\\" + WithoutLeadingBackslash(name);
}

// The attached player's firmware version, or "-" when no player is attached in normal mode.
static std::wstring DeviceVersionText(Platform& platform) {
    ActionFwDn binding(platform, MODEL_PULO5, nullptr);
    return binding.FindDevice() == MATCH_NORMAL ? FormatVersion(binding.deviceVersion) : L"-";
}

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int) {
    InitCommonControls();
    CWin32Platform win32(hInstance);
    Platform& platform = win32.Ports();
    CPlatformBrowser browser(platform);
    CXHyperLink::SetBrowser(&browser);
    const int32_t systemCode = GetSystemCode(*platform.system);

    const std::wstring folder = WorkingFolder(*platform.settings, GetCommandLineW());
    SetCurrentDirectoryW(folder.c_str());

    const uint16_t language = ChooseLanguage(*platform.settings, *platform.system);
    const CMessageCatalogue catalogue(*platform.messages);
    std::wstring text;
    if (const uint16_t refusal = SystemGateMessage(systemCode, *platform.system)) {
        catalogue.Load(text, language, refusal);
        return ShowMessage(catalogue, language, text, PICTURE_WARNING);
    }

    FirmwareVersion package;
    ReadPackageVersion(*platform.files, PackageDescriptionPath(*platform.settings, folder),
                       package);

    catalogue.Load(text, language, MSG_FIRMWARE_VERSIONS);
    text = FormatText(text, {DeviceVersionText(platform), FormatVersion(package)});
    return ShowMessage(catalogue, language, text, PICTURE_NOTICE);
}
