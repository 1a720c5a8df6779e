#include "online/descriptor.h"
#include "online/online_system.h"
#include "online/transfer.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/internet.h"
#include "platform/platform.h"

// Downloads the descriptor into "urlTemp.tmp" of the installation folder, which every fetch of
// every model shares, reads it and removes the file again.
DescriptorContent COnlineSystem::FetchDescriptor(const std::wstring& address, DescriptorKind kind,
                                                 std::string& signature) {
    const std::wstring temporary = runPath + L"\\urlTemp.tmp";
    m_platform.internet->DiscardCacheEntry(address);
    DescriptorContent content;
    signature.clear();
    if (DownloadToFile(*m_platform.internet, address, temporary, DESCRIPTOR_MAX_BYTES, nullptr,
                       DESCRIPTOR_LIMITS)) {
        std::string bytes;
        if (m_platform.files->ReadFileBytes(temporary, bytes)) {
            content = ParseDescriptor(bytes, kind, *m_platform.upgradeLibrary);
            signature = ExtractSignatureLine(bytes);
        }
        m_platform.files->RemoveFile(temporary);
    }
    return content;
}

int COnlineSystem::FetchFirmwareDescriptor(const std::wstring& address) {
    firmwareInfoUrl.clear();
    const DescriptorContent content =
        FetchDescriptor(address, DescriptorKind::FIRMWARE, firmwareSignature);
    firmwareInfoUrl = content.infoUrl;
    onlineFirmwareVersion =
        content.result ? MakeFirmwareVersion(0, content.major, content.minor) : FirmwareVersion{};
    firmwarePackageUrl = content.result ? content.packageUrl : std::wstring();
    return content.result;
}

int COnlineSystem::FetchToolDescriptor(const std::wstring& address) {
    toolInfoUrl.clear();
    const DescriptorContent content = FetchDescriptor(address, DescriptorKind::TOOL, toolSignature);
    toolInfoUrl = content.infoUrl;
    onlineToolVersion =
        content.result ? MakeToolVersion(0, content.major, content.minor, 0) : ToolVersion{};
    toolInstallerUrl = content.result ? content.packageUrl : std::wstring();
    return content.result;
}

// The primary link answered: decide, asking the secondary link for a second opinion where the
// primary offers nothing newer than what the tool already has.
void COnlineSystem::DecideOnPrimaryAnswer() {
    const FirmwareVersion& carried = packageVersion;
    const FirmwareVersion& downloaded = downloadedVersion;
    if (!packageRecorded) {
        firmwareUpdateAvailable = IsNewer(onlineFirmwareVersion, carried) ||
                                  (FetchFirmwareDescriptor(firmwareLinkSecondary) &&
                                   IsNewer(onlineFirmwareVersion, carried));
    } else if (IsNewer(onlineFirmwareVersion, downloaded)) {
        firmwareUpdateAvailable = IsNewer(onlineFirmwareVersion, carried);
        downloadedFirmwareReady = 0;
    } else if (!IsNewer(downloaded, carried)) {
        firmwareUpdateAvailable = 0;
        downloadedFirmwareReady = 0;
    } else {
        const bool newer = FetchFirmwareDescriptor(firmwareLinkSecondary) &&
                           IsNewer(onlineFirmwareVersion, downloaded) &&
                           IsNewer(onlineFirmwareVersion, carried);
        firmwareUpdateAvailable = newer;
        downloadedFirmwareReady = !newer;
    }
}

int COnlineSystem::CheckFirmwareOnline() {
    IInternet& internet = *m_platform.internet;
    const bool downloadedIsNewer =
        packageRecorded == 1 && IsNewer(downloadedVersion, packageVersion);
    if (internet.IsConnected() && FetchFirmwareDescriptor(firmwareLink)) {
        DecideOnPrimaryAnswer();
    } else if (internet.IsConnected() && FetchFirmwareDescriptor(firmwareLinkSecondary)) {
        if (!packageRecorded || IsNewer(onlineFirmwareVersion, downloadedVersion)) {
            firmwareUpdateAvailable = IsNewer(onlineFirmwareVersion, packageVersion);
            downloadedFirmwareReady = 0;
        } else {
            firmwareUpdateAvailable = 0;
            downloadedFirmwareReady = downloadedIsNewer;
        }
    } else {
        firmwareUpdateAvailable = 0;
        downloadedFirmwareReady = downloadedIsNewer;
    }
    return 1;
}

int COnlineSystem::CheckToolOnline() {
    IInternet& internet = *m_platform.internet;
    if (internet.IsConnected() && FetchToolDescriptor(toolLink)) {
        if (IsNewer(onlineToolVersion, toolVersion)) {
            toolUpdateAvailable = 1;
            return 1;
        }
    } else if (!internet.IsConnected()) {
        toolUpdateAvailable = 0;
        return 1;
    }
    toolUpdateAvailable =
        FetchToolDescriptor(toolLinkSecondary) && IsNewer(onlineToolVersion, toolVersion);
    return 1;
}

int COnlineSystem::ProbeUpdateServer(int32_t intervalMs, int32_t attempts) {
    if (attempts <= 0 || (attempts > 1 && intervalMs < 0))
        return 0;
    LoadOnlineSettings();
    // The window's thread waits for every address tried: each gives up after a few seconds.
    const std::unique_ptr<IInternetSession> session =
        m_platform.internet->OpenSession(PROBE_WAIT_MS);
    if (!session)
        return 0;
    for (int32_t attempt = 0; attempt < attempts; ++attempt) {
        if (session->Open(firmwareLink) || session->Open(firmwareLinkSecondary))
            return 1;
        // A negative interval would be an endless pause; it can only come with one attempt.
        m_platform.clock->Sleep(intervalMs > 0 ? static_cast<uint32_t>(intervalMs) : 0);
    }
    return 0;
}
