#include "online/online_system.h"
#include "engine/firmware_folder.h"
#include "engine/product_keys.h"
#include "online/firmware_swap.h"
#include "online/folder_tree.h"
#include "online/install_lock.h"
#include "online/safe_names.h"
#include "platform/file_system.h"
#include "platform/platform.h"
#include "platform/settings_store.h"
#include "platform/system_info.h"
#include "platform/text.h"
#include "platform/upgrade_library.h"

ToolVersion MakeToolVersion(int32_t part1, int32_t part2, int32_t part3, int32_t part4) {
    const uint32_t packed =
        (static_cast<uint32_t>(part2) & 0xFF) << 8 | (static_cast<uint32_t>(part3) & 0xFF);
    return {static_cast<int32_t>(packed), part1, part2, part3, part4};
}

int32_t ParseHexNumber(IUpgradeLibrary& codePage, const std::wstring& text) {
    // Read as 8-bit text, converted as the system converts (best fit included): the length
    // limit counts bytes, and a character outside ASCII counts by its byte, not its UTF-16 unit.
    std::string bytes;
    if (!codePage.EncodeAnsi(text, false, bytes) || bytes.empty() || bytes.size() > 8)
        return 0;
    uint32_t value = 0;
    for (const char byte : bytes) {
        uint32_t c = static_cast<unsigned char>(byte);
        if (c >= 'a' && c <= 'z')
            c = c - 'a' + 'A';
        const uint32_t digit = (c >= 'A' && c <= 'F') ? c - 'A' + 10 : c - '0';
        value = value * 16 + digit;
    }
    return static_cast<int32_t>(value);
}

bool ParseToolVersion(IUpgradeLibrary& codePage, const std::wstring& text, ToolVersion& version) {
    if (text.size() != 10)
        return false;
    version = MakeToolVersion(
        ParseHexNumber(codePage, text.substr(0, 2)), ParseHexNumber(codePage, text.substr(2, 2)),
        ParseHexNumber(codePage, text.substr(4, 2)), DecimalValue(text.substr(6)));
    return true;
}

static std::wstring AfterLastBackslash(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

ISettingsStore& COnlineSystem::Settings() {
    return *m_platform.settings;
}

bool COnlineSystem::ReadValue(const wchar_t* name, std::wstring& text) {
    return Settings().ReadString(keyPath.c_str(), name, text);
}

bool COnlineSystem::WriteValue(const wchar_t* name, const std::wstring& text) {
    return Settings().WriteString(keyPath.c_str(), name, text);
}

std::wstring COnlineSystem::DownloadFolder() const {
    return runPath + L"\\" + downloadFolderName + L"\\";
}

// Downloaded programs wait in the installation's own folder: the program runs them elevated, so
// no unelevated process may change them, and only administrators can write there. The folder
// is as trustworthy as the program and the upgrade library beside it.
std::wstring COnlineSystem::PackageFolder() const {
    return WithoutTrailingBackslash(runPath) + L"\\Downloads";
}

// A package and the file that keeps its signature; the result is the package's deletion.
bool COnlineSystem::RemovePackage(const std::wstring& path) {
    if (path.empty())
        return false;
    m_platform.files->RemoveFile(path + SIGNATURE_SUFFIX);
    return m_platform.files->RemoveFile(path);
}

int COnlineSystem::ReadPackageVersion() {
    return ::ReadPackageVersion(*m_platform.files, firmwareInfoPath, packageVersion);
}

int COnlineSystem::ReadMainSequence() {
    std::wstring text;
    if (!ReadValue(VALUE_FW_TYPE, text))
        return 0;
    fwType = DecimalValue(text);
    if (!ReadValue(VALUE_RUN_PATH, runPath))
        return 0;
    if (!ReadValue(VALUE_FW_FOLDER, text))
        return 0;
    // Formed as start-up and the binding form it (one backslash however the run path ends, and
    // a folder for an empty name), so that the package whose version the window shows and into
    // which downloads are installed is the one the library flashes.
    firmwareFolder = FirmwareFolder(runPath, text, m_platform.system->CommandLine());
    if (!ReadValue(VALUE_FW_INFO, text))
        return 0;
    firmwareInfoPath = firmwareFolder + L"\\" + WithoutLeadingBackslash(text);
    if (!ReadValue(VALUE_FW_LINK, firmwareLink) ||
        !ReadValue(VALUE_FW_LINK_SECONDARY, firmwareLinkSecondary))
        return 0;
    if (!ReadValue(VALUE_PARTIAL_INSTALLED, text))
        return 0;
    partialInstall = DecimalValue(text) == 1;
    if (!ReadValue(VALUE_PACKAGE_EXISTS, text))
        return 0;
    packageRecorded = DecimalValue(text) == 1;
    if (packageRecorded) {
        const int found = ReadPackageRecord();
        if (found != 1)
            return found;
    }
    return ReadCheckSettings();
}

// 1 when the recorded package is on disk and its version was read; -1 after a record whose file
// is gone was corrected (the load then ends successfully); 0 on a failed read or write. The path
// stays empty unless the package was found: a pending staged install deletes the file it names.
int COnlineSystem::ReadPackageRecord() {
    packagePath.clear();
    std::wstring name;
    const std::wstring folder = PackageFolder();
    if (!ReadValue(VALUE_PACKAGE_NAME, name))
        return 0;
    // A name that could point outside the folder counts as a package that is gone, and no path
    // is ever formed from it.
    if (!IsSafeDownloadName(name) || !m_platform.files->FileExists(folder + L"\\" + name)) {
        packageRecorded = 0;
        return WriteValue(VALUE_PACKAGE_EXISTS, L"0") ? -1 : 0;
    }
    std::wstring major, mid, minor;
    if (!ReadValue(VALUE_PACKAGE_MAJOR, major) || !ReadValue(VALUE_PACKAGE_MID, mid) ||
        !ReadValue(VALUE_PACKAGE_MINOR, minor))
        return 0;
    packagePath = folder + L"\\" + name;
    downloadedVersion =
        MakeFirmwareVersion(DecimalValue(major), DecimalValue(mid), DecimalValue(minor));
    return 1;
}

int COnlineSystem::ReadCheckSettings() {
    std::wstring text;
    if (!ReadValue(VALUE_CHECK_ENABLED, text))
        return 0;
    onlineCheckEnabled = DecimalValue(text) == 1;
    if (!ReadValue(VALUE_LAST_CHECK_TIME, text))
        return 0;
    lastCheckTime = DecimalValue(text);
    if (!ReadValue(VALUE_CHECK_PERIOD, text))
        return 0;
    checkPeriod = DecimalValue(text);
    if (!ReadValue(VALUE_TOOL_VERSION, text) ||
        !ParseToolVersion(*m_platform.upgradeLibrary, text, toolVersion))
        return 0;
    if (!ReadValue(VALUE_TOOL_LINK, toolLink) ||
        !ReadValue(VALUE_TOOL_LINK_SECONDARY, toolLinkSecondary))
        return 0;
    return 1;
}

int COnlineSystem::LoadOnlineSettings() {
    int result = ReadMainSequence();
    if (result < 0)
        result = 1;
    SettleInterruptedInstall();
    if (packageRecorded == 0 && result == 1)
        ForgetStalePackage();
    return result;
}

// An install that stopped midway, in this copy of the program or another, is settled under the
// install lock; the marker is read again once the lock is held, since a running install may
// have finished meanwhile.
void COnlineSystem::SettleInterruptedInstall() {
    IFileSystem& files = *m_platform.files;
    if (partialInstall != 1 && !HasSwapLeftovers(files, firmwareFolder))
        return;
    const CInstallLock lock(*m_platform.mutexes, keyPath);
    if (!lock.Held())
        return;
    RecoverFirmwareSwap(files, firmwareFolder);
    std::wstring marker;
    if (partialInstall == 1 && ReadValue(VALUE_PARTIAL_INSTALLED, marker) &&
        DecimalValue(marker) == 1)
        RecoverStagedInstall();
}

// The version of the firmware a package left in the download folder; negative when unknown.
int32_t COnlineSystem::StagedVersion() {
    std::wstring name;
    if (!ReadValue(VALUE_FW_INFO, name))
        return -1;
    const std::wstring path = DownloadFolder() + WithoutLeadingBackslash(name);
    IFileSystem& files = *m_platform.files;
    const uint32_t major =
        static_cast<uint32_t>(files.ReadIniInt(path, L"FIRMWARE", L"MAJORVER", -1));
    const uint32_t mid = static_cast<uint32_t>(files.ReadIniInt(path, L"FIRMWARE", L"MIDVER", -1));
    const uint32_t minor =
        static_cast<uint32_t>(files.ReadIniInt(path, L"FIRMWARE", L"MINORVER", -1));
    return static_cast<int32_t>(major << 16 | mid << 8 | minor);
}

// A package ran but its files were not moved into place: finish the install when the staged
// firmware is newer than what would be used otherwise, else throw the staged files away.
void COnlineSystem::RecoverStagedInstall() {
    const int32_t staged = StagedVersion();
    if (packageRecorded == 1) {
        if (staged > downloadedVersion.packed) {
            CompleteFirmwareInstall();
            return;
        }
    } else {
        ReadPackageVersion();
        if (staged > packageVersion.packed) {
            CompleteFirmwareInstall();
            return;
        }
    }
    DeleteFolderTree(*m_platform.files, DownloadFolder());
    WriteValue(VALUE_PARTIAL_INSTALLED, L"0");
}

// Nothing is recorded: remove a package file that an older record may have left behind and
// clear the record's values.
void COnlineSystem::ForgetStalePackage() {
    std::wstring name;
    if (ReadValue(VALUE_PACKAGE_NAME, name) && IsSafeDownloadName(name)) {
        packagePath = PackageFolder() + L"\\" + name;
        RemovePackage(packagePath);
    }
    packagePath.clear();
    downloadedVersion = FirmwareVersion{};
    WriteValue(VALUE_PACKAGE_NAME, L"") && WriteValue(VALUE_PACKAGE_MAJOR, L"0") &&
        WriteValue(VALUE_PACKAGE_MID, L"0") && WriteValue(VALUE_PACKAGE_MINOR, L"0");
}

void COnlineSystem::ForgetPackage() {
    packageRecorded = 0;
    packagePath.clear();
    downloadedVersion = FirmwareVersion{};
}

int COnlineSystem::SaveFirmwarePackageRecord() {
    return WriteValue(VALUE_PACKAGE_EXISTS, packageRecorded ? L"1" : L"0") &&
           WriteValue(VALUE_PACKAGE_NAME, AfterLastBackslash(packagePath)) &&
           WriteValue(VALUE_PACKAGE_MAJOR, std::to_wstring(downloadedVersion.major)) &&
           WriteValue(VALUE_PACKAGE_MID, std::to_wstring(downloadedVersion.mid)) &&
           WriteValue(VALUE_PACKAGE_MINOR, std::to_wstring(downloadedVersion.minor));
}

int COnlineSystem::DiscardFirmwarePackage() {
    if (packageRecorded == 0)
        return 1;
    RemovePackage(packagePath);
    ForgetPackage();
    return SaveFirmwarePackageRecord();
}

int COnlineSystem::RefreshOnlineState(int32_t check) {
    if (!LoadOnlineSettings() || !ReadPackageVersion())
        return 0;
    if (check) {
        CheckFirmwareOnline();
    } else {
        firmwareUpdateAvailable = 0;
        downloadedFirmwareReady =
            packageRecorded == 1 && IsNewer(downloadedVersion, packageVersion);
    }
    return 1;
}

int COnlineSystem::SetOnlineCheckEnabled(int32_t enabled) {
    onlineCheckEnabled = enabled;
    return WriteValue(VALUE_CHECK_ENABLED, enabled ? L"1" : L"0");
}
