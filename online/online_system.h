#pragma once
#include "engine/firmware_version.h"
#include <cstdint>
#include <string>

class CDownloadCallback;
struct Platform;

// The tool's own version as the installer records it; ordered by `packed` alone.
struct ToolVersion {
    int32_t packed = 0;
    int32_t part1 = 0;
    int32_t part2 = 0;
    int32_t part3 = 0;
    int32_t part4 = 0;
};

// Everything the tool knows about online updates for one player model: settings from the
// model's registry key, the record of a downloaded package and the results of the latest checks.
class COnlineSystem {
public:
    explicit COnlineSystem(Platform& platform) : m_platform(platform) {}
    virtual ~COnlineSystem() = default;

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
};
