#include "engine/product_keys.h"
#include "online/firmware_swap.h"
#include "online/folder_tree.h"
#include "online/install_lock.h"
#include "online/online_system.h"
#include "online/safe_names.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/platform.h"
#include "platform/text.h"

// A silent repair-reinstall through the setup program that wraps the tool's installer package.
const wchar_t* const TOOL_INSTALLER_ARGUMENTS =
    L" /s /v\"/qr REINSTALLMODE=\\\"vamus\\\" REINSTALL=\\\"ALL\\\"\"";

// Runs a downloaded program to its end, checked once more right before it starts from the
// handle it is started through, and gives it a moment to let go of its files.
RunOutcome COnlineSystem::RunVerified(const std::wstring& program, const std::wstring& arguments,
                                      const UpdateClaim& claim, int32_t& exitCode) {
    ISignatureVerifier* verifier = m_platform.signatures;
    const RunOutcome outcome = m_platform.processes->RunChecked(
        program, arguments,
        [verifier, &claim](const std::string& bytes) {
            return IsTrustedUpdate(verifier, claim, bytes);
        },
        exitCode);
    if (outcome == RunOutcome::FINISHED)
        m_platform.clock->Sleep(500);
    return outcome;
}

int COnlineSystem::InstallFirmwarePackage() {
    if (!downloadedFirmwareReady || !packageRecorded || packagePath.empty())
        return 0;
    const CInstallLock lock(*m_platform.mutexes, keyPath);
    if (!lock.Held())
        return 0;
    if (!WriteValue(VALUE_PACKAGE_INSTALLED, L"0") || !WriteValue(VALUE_PARTIAL_INSTALLED, L"0"))
        return 0;
    UpdateClaim claim = {UpdateKind::FIRMWARE, downloadedVersion.major, downloadedVersion.mid,
                         downloadedVersion.minor, std::string()};
    m_platform.files->ReadFileBytes(packagePath + SIGNATURE_SUFFIX, claim.signature);
    int32_t exitCode = -1;
    const RunOutcome outcome = RunVerified(packagePath, L" 1", claim, exitCode);
    if (outcome == RunOutcome::REFUSED) {
        // A file that its signature no longer confirms is no package: it goes with its record.
        if (DiscardFirmwarePackage())
            downloadedFirmwareReady = 0;
        return 0;
    }
    if (outcome != RunOutcome::FINISHED)
        return 0;
    // The package marks that its files wait in the download folder; its exit code says nothing.
    std::wstring marker;
    if (!ReadValue(VALUE_PARTIAL_INSTALLED, marker) || EqualsNoCase(marker, L"0"))
        return 0;
    return CompleteFirmwareInstall();
}

int COnlineSystem::CompleteFirmwareInstall() {
    IFileSystem& files = *m_platform.files;
    const std::wstring staging = DownloadFolder();
    const bool copied = SwapInFirmware(files, staging, firmwareFolder);
    const bool packageDeleted = RemovePackage(packagePath);
    const bool stagingDeleted = DeleteFolderTree(files, staging);
    const bool versionRead = ReadPackageVersion();
    ForgetPackage();
    if (SaveFirmwarePackageRecord())
        downloadedFirmwareReady = 0;
    const bool installedWritten = WriteValue(VALUE_PACKAGE_INSTALLED, L"1");
    const bool partialWritten = WriteValue(VALUE_PARTIAL_INSTALLED, L"0");
    return copied && packageDeleted && stagingDeleted && versionRead && installedWritten &&
           partialWritten;
}

int COnlineSystem::RunToolInstaller() {
    if (toolInstallerPath.empty())
        return 0;
    int32_t exitCode = -1;
    return RunVerified(toolInstallerPath, TOOL_INSTALLER_ARGUMENTS, toolInstallerClaim, exitCode) ==
               RunOutcome::FINISHED &&
           exitCode == 0;
}
