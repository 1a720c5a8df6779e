#pragma once
#include "engine/firmware_version.h"
#include "online/descriptor.h"
#include "online/signature.h"
#include "platform/processes.h"
#include <cstdint>
#include <string>

class CDownloadCallback;
class ISettingsStore;
struct Platform;
class IUpgradeLibrary;

// The tool's own version as the installer records it; ordered by `packed` alone.
struct ToolVersion {
    int32_t packed = 0;
    int32_t part1 = 0;
    int32_t part2 = 0;
    int32_t part3 = 0;
    int32_t part4 = 0;
};

// packed = (part 2 & 0xFF) << 8 | (part 3 & 0xFF).
ToolVersion MakeToolVersion(int32_t part1, int32_t part2, int32_t part3, int32_t part4);
inline bool IsNewer(const ToolVersion& a, const ToolVersion& b) {
    return a.packed > b.packed;
}
// Hexadecimal digits of the text in the ANSI code page, most significant first; 0 for an empty
// text, one of more than 8 bytes or one the code page refuses. Bytes other than 0-9 and A-F
// (either case) count their value minus '0'.
int32_t ParseHexNumber(IUpgradeLibrary& codePage, const std::wstring& text);
// The installer's "QMVersion": exactly 10 characters, three pairs of hexadecimal digits and a
// decimal number. False for any other length.
bool ParseToolVersion(IUpgradeLibrary& codePage, const std::wstring& text, ToolVersion& version);

// Everything the tool knows about online updates for one player model: settings from the
// model's registry key, the record of a downloaded package and the results of the latest checks.
class COnlineSystem {
  public:
    explicit COnlineSystem(Platform& platform) : m_platform(platform) {}
    virtual ~COnlineSystem() = default;

    // Settings and record (online_system.cpp).
    int LoadOnlineSettings();
    int SaveFirmwarePackageRecord();
    int DiscardFirmwarePackage();
    int RefreshOnlineState(int32_t check);
    int SetOnlineCheckEnabled(int32_t enabled);
    int ReadPackageVersion();

    int IsFirmwareUpdateAvailable() const { return firmwareUpdateAvailable; }
    int IsDownloadedFirmwareReady() const { return downloadedFirmwareReady; }
    int IsToolUpdateAvailable() const { return toolUpdateAvailable; }
    int IsOnlineCheckEnabled() const { return onlineCheckEnabled; }
    std::wstring GetFirmwareInfoUrl() const { return firmwareInfoUrl; }
    std::wstring GetToolInfoUrl() const { return toolInfoUrl; }

    // Descriptors and checks (online_check.cpp).
    int FetchFirmwareDescriptor(const std::wstring& address);
    int FetchToolDescriptor(const std::wstring& address);
    int CheckFirmwareOnline();
    int CheckToolOnline();
    int ProbeUpdateServer(int32_t intervalMs, int32_t attempts);

    // Downloads (download.cpp).
    int DownloadToolInstaller();
    int DownloadFirmwarePackage();

    // Installers and the browser (installer.cpp, browser.cpp).
    int InstallFirmwarePackage();
    int CompleteFirmwareInstall();
    int RunToolInstaller();
    int OpenInBrowser(const std::wstring& address);

    std::wstring keyPath;
    std::wstring downloadFolderName;
    int32_t fwType = -1;
    std::wstring runPath;
    std::wstring firmwareFolder;
    std::wstring firmwareInfoPath;
    std::wstring firmwareLink;
    std::wstring firmwareLinkSecondary;
    std::wstring firmwarePackageUrl;
    std::wstring firmwareInfoUrl;
    int32_t packageRecorded = 0;
    std::wstring packagePath;
    int32_t partialInstall = 0;
    std::wstring toolLink;
    std::wstring toolLinkSecondary;
    std::wstring toolInstallerUrl;
    std::wstring toolInfoUrl;
    std::wstring toolInstallerPath;
    // The descriptors' "signature=" values, and what the downloaded installer's must confirm.
    std::string firmwareSignature;
    std::string toolSignature;
    UpdateClaim toolInstallerClaim;
    int32_t firmwareUpdateAvailable = 0;
    int32_t downloadedFirmwareReady = 0;
    int32_t toolUpdateAvailable = 0;
    int32_t onlineCheckEnabled = 1;
    int32_t lastCheckTime = 0;
    int32_t checkPeriod = 0;
    FirmwareVersion packageVersion;
    FirmwareVersion downloadedVersion;
    FirmwareVersion onlineFirmwareVersion;
    FirmwareVersion deviceVersion;
    ToolVersion toolVersion;
    ToolVersion onlineToolVersion;
    CDownloadCallback* progressSink = nullptr;

  protected:
    Platform& m_platform;

  private:
    ISettingsStore& Settings();
    bool ReadValue(const wchar_t* name, std::wstring& text);
    bool WriteValue(const wchar_t* name, const std::wstring& text);
    std::wstring DownloadFolder() const;
    std::wstring PackageFolder() const;
    bool RemovePackage(const std::wstring& path);
    void SettleInterruptedInstall();
    int ReadMainSequence();
    int ReadPackageRecord();
    int ReadCheckSettings();
    int32_t StagedVersion();
    void RecoverStagedInstall();
    void ForgetStalePackage();
    void ForgetPackage();
    DescriptorContent FetchDescriptor(const std::wstring& address, DescriptorKind kind,
                                      std::string& signature);
    void DecideOnPrimaryAnswer();
    bool DownloadTarget(const std::wstring& address, std::wstring& target);
    bool Transfer(const std::wstring& address, const std::wstring& target,
                  const UpdateClaim& claim);
    RunOutcome RunVerified(const std::wstring& program, const std::wstring& arguments,
                           const UpdateClaim& claim, int32_t& exitCode);
};
