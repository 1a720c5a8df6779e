#include "online/download_callback.h"
#include "online/online_system.h"
#include "online/safe_names.h"
#include "online/transfer.h"
#include "platform/file_system.h"
#include "platform/internet.h"
#include "platform/platform.h"

// The application-data folder joined with the file name of the address. A name that could
// reach outside that folder is refused.
bool COnlineSystem::DownloadTarget(const std::wstring& address, std::wstring& target) {
    std::wstring folder;
    if (!m_platform.files->AppDataFolder(folder))
        return false;
    target = folder + L"\\" + FileNameOfAddress(address);
    return true;
}

bool COnlineSystem::Transfer(const std::wstring& address, const std::wstring& target) {
    m_platform.internet->DiscardCacheEntry(address);
    CDownloadCallback* sink = progressSink;
    if (sink)
        sink->OnProgress(0, 1);
    const TransferProgress progress = [sink](uint64_t received, uint64_t total) {
        if (sink)
            sink->OnProgress(received, total);
    };
    return DownloadToFile(*m_platform.internet, address, target, DOWNLOAD_MAX_BYTES, progress);
}

int COnlineSystem::DownloadToolInstaller() {
    if (!toolUpdateAvailable || toolInstallerUrl.empty() ||
        !IsSafeFileName(FileNameOfAddress(toolInstallerUrl)))
        return 0;
    std::wstring target;
    if (!DownloadTarget(toolInstallerUrl, target))
        return 0;
    if (m_platform.files->FileExists(target))
        m_platform.files->RemoveFile(target);
    if (!Transfer(toolInstallerUrl, target))
        return 0;
    toolInstallerPath = target;
    toolUpdateAvailable = 0;
    return 1;
}

int COnlineSystem::DownloadFirmwarePackage() {
    if (!firmwareUpdateAvailable || firmwarePackageUrl.empty() ||
        !IsSafeFileName(FileNameOfAddress(firmwarePackageUrl)))
        return 0;
    if (packageRecorded) {
        // The previous download goes before the new one is fetched, even if that then fails.
        m_platform.files->RemoveFile(packagePath);
        ForgetPackage();
        SaveFirmwarePackageRecord();
    }
    std::wstring target;
    if (!DownloadTarget(firmwarePackageUrl, target) || !Transfer(firmwarePackageUrl, target))
        return 0;
    packageRecorded = 1;
    packagePath = target;
    downloadedVersion = onlineFirmwareVersion;
    if (!SaveFirmwarePackageRecord())
        return 0;
    firmwareUpdateAvailable = 0;
    downloadedFirmwareReady = 1;
    return 1;
}
