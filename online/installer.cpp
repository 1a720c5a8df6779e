#include "engine/product_keys.h"
#include "online/folder_tree.h"
#include "online/online_system.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/platform.h"
#include "platform/processes.h"
#include "platform/text.h"

// A silent repair-reinstall through the setup program that wraps the tool's installer package.
const wchar_t* const TOOL_INSTALLER_ARGUMENTS =
    L" /s /v\"/qr REINSTALLMODE=\\\"vamus\\\" REINSTALL=\\\"ALL\\\"\"";

// Runs the program to its end and gives it a moment to let go of its files.
bool COnlineSystem::RunAndSettle(const std::wstring& commandLine, int32_t& exitCode) {
    if (!m_platform.processes->Run(commandLine, exitCode))
        return false;
    m_platform.clock->Sleep(500);
    return true;
}

int COnlineSystem::InstallFirmwarePackage() {
    if (!downloadedFirmwareReady || !packageRecorded || packagePath.empty())
        return 0;
    if (!WriteValue(VALUE_PACKAGE_INSTALLED, L"0") || !WriteValue(VALUE_PARTIAL_INSTALLED, L"0"))
        return 0;
    int32_t exitCode = -1;
    if (!RunAndSettle(packagePath + L" 1", exitCode))
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
    const bool copied = CopyFolderTree(files, staging, firmwareFolder);
    const bool packageDeleted = files.RemoveFile(packagePath);
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
    toolInstallerPath += TOOL_INSTALLER_ARGUMENTS;
    int32_t exitCode = -1;
    return RunAndSettle(toolInstallerPath, exitCode) && exitCode == 0;
}
