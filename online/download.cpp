#include "online/download_callback.h"
#include "online/online_system.h"
#include "online/safe_names.h"
#include "online/signature.h"
#include "online/transfer.h"
#include "platform/file_system.h"
#include "platform/internet.h"
#include "platform/platform.h"

// The folder's path joined with the file name of the address. Only a plain program name that
// fits the path limit is taken; the folder is made when missing.
bool COnlineSystem::DownloadTarget(const std::wstring& address, std::wstring& target) {
    const std::wstring name = FileNameOfAddress(address);
    const std::wstring folder = PackageFolder();
    if (!IsSafeDownloadName(name) || !FitsDownloadPath(folder, name) ||
        !m_platform.files->MakePrivateFolder(folder))
        return false;
    target = folder + L"\\" + name;
    return true;
}

// The transfer goes to "<target>.part", which takes the target's place only when the whole 2xx
// body arrived and the signature confirms it; until then an earlier file of that name is kept.
bool COnlineSystem::Transfer(const std::wstring& address, const std::wstring& target,
                             const UpdateClaim& claim) {
    m_platform.internet->DiscardCacheEntry(address);
    CDownloadCallback* sink = progressSink;
    if (sink)
        sink->OnProgress(0, 1);
    // The window's thread answers every notification before the transfer goes on: one per
    // percent that changes, not one per piece (a 64 MB package arrives in a thousand).
    uint64_t shownPercent = 0;
    const TransferProgress progress = [sink, &shownPercent](uint64_t received, uint64_t total) {
        // Bodies are capped far below where received * 100 could overflow.
        if (!sink || total == 0 || received * 100 / total == shownPercent)
            return;
        shownPercent = received * 100 / total;
        sink->OnProgress(received, total);
    };
    IFileSystem& files = *m_platform.files;
    const std::wstring part = target + PART_SUFFIX;
    std::string bytes;
    const bool complete =
        DownloadToFile(*m_platform.internet, address, part, DOWNLOAD_MAX_BYTES, progress) &&
        files.ReadFileBytes(part, bytes) && IsTrustedUpdate(m_platform.signatures, claim, bytes) &&
        files.MoveTo(part, target);
    if (!complete)
        files.RemoveFile(part);
    return complete;
}

int COnlineSystem::DownloadToolInstaller() {
    if (!toolUpdateAvailable || toolInstallerUrl.empty())
        return 0;
    const UpdateClaim claim = {UpdateKind::TOOL, onlineToolVersion.part1, onlineToolVersion.part2,
                               onlineToolVersion.part3, toolSignature};
    std::wstring target;
    if (!DownloadTarget(toolInstallerUrl, target) || !Transfer(toolInstallerUrl, target, claim))
        return 0;
    toolInstallerPath = target;
    toolInstallerClaim = claim;
    toolUpdateAvailable = 0;
    return 1;
}

int COnlineSystem::DownloadFirmwarePackage() {
    if (!firmwareUpdateAvailable || firmwarePackageUrl.empty())
        return 0;
    const FirmwareVersion& offered = onlineFirmwareVersion;
    const UpdateClaim claim = {UpdateKind::FIRMWARE, offered.major, offered.mid, offered.minor,
                               firmwareSignature};
    std::wstring target;
    if (!DownloadTarget(firmwarePackageUrl, target) || !Transfer(firmwarePackageUrl, target, claim))
        return 0;
    // The signature stays beside the package for the check right before the package is run,
    // which may come after a restart.
    if (!m_platform.files->WriteFileBytes(target + SIGNATURE_SUFFIX, claim.signature)) {
        RemovePackage(target);
        return 0;
    }
    // The previous package goes only now that its replacement is complete.
    if (packageRecorded && packagePath != target)
        RemovePackage(packagePath);
    packageRecorded = 1;
    packagePath = target;
    downloadedVersion = onlineFirmwareVersion;
    if (!SaveFirmwarePackageRecord())
        return 0;
    firmwareUpdateAvailable = 0;
    downloadedFirmwareReady = 1;
    return 1;
}
