// The Win32 online ports against the local update server, run under Wine by CTest: the server
// and the programs of the test world are found through QM_UPDATE_WORLD and QM_TEST_WORLD.
#include "app/win32/win32_system_info.h"
#include "engine/product_keys.h"
#include "engine/win32/registry.h"
#include "engine/win32/win32_file_system.h"
#include "engine/win32/win32_kernel.h"
#include "engine/win32/win32_upgrade_library.h"
#include "online/download_callback.h"
#include "online/folder_tree.h"
#include "online/online_system.h"
#include "online/transfer.h"
#include "online/win32/win32_internet.h"
#include "online/win32/win32_processes.h"
#include "online/win32/win32_shell.h"
#include "online/win32/win32_signature.h"
#include "platform/platform.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace {
const wchar_t* const KEY = L"Software\\QuillmateTests\\Online";
std::vector<int32_t> g_percentages;
void RecordPercentage(int32_t percent) {
    g_percentages.push_back(percent);
}

std::wstring Environment(const wchar_t* name) {
    wchar_t value[1024];
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    return length > 0 && length < 1024 ? value : L"";
}

// A Linux path as Wine shows it on drive Z:.
std::wstring FromUnix(std::wstring path) {
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return L"Z:" + path;
}

std::string ReadAll(CWin32FileSystem& files, const std::wstring& path) {
    std::string bytes;
    files.ReadFileBytes(path, bytes);
    return bytes;
}

void WriteAll(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class OnlineWorld : public testing::Test {
  protected:
    CRegistry machine{HKEY_LOCAL_MACHINE, MACHINE_REGISTRY_VIEW};
    CRegistry user{HKEY_CURRENT_USER};
    CRegistry classes{HKEY_CLASSES_ROOT};
    CWin32FileSystem files;
    CWinInet internet{3000};
    CWin32Processes processes;
    CWin32Shell shell;
    CWin32Clock clock;
    CWin32SystemInfo system;
    CWin32NamedMutexes mutexes;
    // The transfer and install mechanics are tested without a key; SignedWorld uses the
    // build's own.
    CWin32SignatureVerifier noKey{nullptr, 0, 0};
    CWin32UpgradeLibrary codePage;
    Platform platform;
    CDownloadCallback sink{RecordPercentage};
    COnlineSystem online{platform};
    std::wstring root, base, install, world;

    void SetUp() override {
        platform.settings = &machine;
        platform.userSettings = &user;
        platform.classesSettings = &classes;
        platform.files = &files;
        platform.internet = &internet;
        platform.processes = &processes;
        platform.shell = &shell;
        platform.clock = &clock;
        platform.system = &system;
        platform.mutexes = &mutexes;
        platform.signatures = &noKey;
        platform.upgradeLibrary = &codePage;
        const std::wstring state = Environment(L"QM_UPDATE_WORLD");
        world = FromUnix(Environment(L"QM_TEST_WORLD"));
        ASSERT_FALSE(state.empty()) << "run through CTest: the update server is a fixture";
        root = FromUnix(state) + L"\\root";
        const std::string port = ReadAll(files, FromUnix(state) + L"\\port");
        ASSERT_FALSE(port.empty());
        base = L"http://127.0.0.1:" + std::to_wstring(std::stoi(port)) + L"/";

        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        install = std::wstring(temp) + L"qm-online-install";
        DeleteFolderTree(files, install);
        CreateDirectoryW(install.c_str(), nullptr);
        CreateDirectoryW((install + L"\\Firmware").c_str(), nullptr);
        WriteAll(install + L"\\Firmware\\fw.ini",
                 "[FIRMWARE]\r\nMAJORVER=0\r\nMIDVER=1\r\nMINORVER=5\r\n");
        DeleteTestKey();
        const std::pair<const wchar_t*, std::wstring> values[] = {
            {VALUE_FW_TYPE, L"2"},
            {VALUE_RUN_PATH, install},
            {VALUE_FW_FOLDER, L"Firmware"},
            {VALUE_FW_INFO, L"fw.ini"},
            {VALUE_FW_LINK, base + L"404/fw.txt"},
            {VALUE_FW_LINK_SECONDARY, base + L"fw.txt"},
            {VALUE_PARTIAL_INSTALLED, L"0"},
            {VALUE_PACKAGE_EXISTS, L"0"},
            {VALUE_PACKAGE_NAME, L""},
            {VALUE_PACKAGE_MAJOR, L"0"},
            {VALUE_PACKAGE_MID, L"0"},
            {VALUE_PACKAGE_MINOR, L"0"},
            {VALUE_CHECK_ENABLED, L"1"},
            {VALUE_LAST_CHECK_TIME, L"0"},
            {VALUE_CHECK_PERIOD, L"0"},
            {VALUE_TOOL_VERSION, L"0001000001"},
            {VALUE_TOOL_LINK, base + L"qm.txt"},
            {VALUE_TOOL_LINK_SECONDARY, base + L"qm.txt"},
        };
        for (const auto& [name, text] : values)
            ASSERT_TRUE(machine.WriteString(KEY, name, text));
        SetEnvironmentVariableW(L"QM_PACKAGE_KEY", KEY);
        SetEnvironmentVariableW(L"QM_PACKAGE_MODE", nullptr);
        online.keyPath = KEY;
        online.downloadFolderName = L"TempPULO5";
        online.progressSink = &sink;
        ASSERT_EQ(online.RefreshOnlineState(0), 1);
        g_percentages.clear();
    }
    void TearDown() override {
        online.DiscardFirmwarePackage();
        DeleteFolderTree(files, install);
        DeleteTestKey();
    }
    // The key in the view the program reads.
    static void DeleteTestKey() {
        HKEY hParent = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\QuillmateTests", 0,
                          KEY_ALL_ACCESS | MACHINE_REGISTRY_VIEW, &hParent) != ERROR_SUCCESS)
            return;
        RegDeleteTreeW(hParent, L"Online");
        RegCloseKey(hParent);
    }
    std::wstring Value(const wchar_t* name) {
        std::wstring text = L"<missing>";
        machine.ReadString(KEY, name, text);
        return text;
    }
    // Puts the test package on the server and offers it as firmware 2.10.
    void OfferPackage(const wchar_t* prefix = L"") {
        online.firmwareUpdateAvailable = 1;
        online.firmwarePackageUrl = base + prefix + L"pkg_2_10.exe";
        online.onlineFirmwareVersion = MakeFirmwareVersion(0, 2, 10);
    }
};

TEST_F(OnlineWorld, PrimaryFailsAndTheSecondaryAnswers) {
    ASSERT_TRUE(internet.IsConnected());
    WriteAll(root + L"\\fw.txt", "version=V1.09\r\nurl=" + std::string(base.begin(), base.end()) +
                                     "pkg.exe\r\ninfo=http://127.0.0.1/news.htm\r\n");
    EXPECT_EQ(online.CheckFirmwareOnline(), 1);
    EXPECT_EQ(online.IsFirmwareUpdateAvailable(), 1);
    EXPECT_EQ(online.onlineFirmwareVersion.packed, 0x0109);
    EXPECT_EQ(online.firmwarePackageUrl, base + L"pkg.exe");
    EXPECT_EQ(online.GetFirmwareInfoUrl(), L"http://127.0.0.1/news.htm");
    EXPECT_FALSE(files.FileExists(install + L"\\urlTemp.tmp"));
    // An error page is no descriptor, even one that looks like one.
    EXPECT_EQ(online.FetchFirmwareDescriptor(base + L"404/fw.txt"), 0);
    EXPECT_EQ(online.FetchFirmwareDescriptor(base + L"500/fw.txt"), 0);
    EXPECT_EQ(online.FetchFirmwareDescriptor(base + L"nolength/fw.txt"), 1);
    EXPECT_EQ(online.FetchFirmwareDescriptor(base + L"huge/fw.txt"), 0);
}

TEST_F(OnlineWorld, LargeDownloadReportsRisingProgress) {
    std::string body(6 << 20, '\0');
    for (size_t i = 0; i < body.size(); ++i)
        body[i] = static_cast<char>(i * 7 + i / 4096);
    WriteAll(root + L"\\big.exe", body);
    online.firmwareUpdateAvailable = 1;
    online.firmwarePackageUrl = base + L"big.exe";
    online.onlineFirmwareVersion = MakeFirmwareVersion(0, 3, 1);
    ASSERT_EQ(online.DownloadFirmwarePackage(), 1);
    EXPECT_EQ(ReadAll(files, online.packagePath), body);
    EXPECT_EQ(Value(VALUE_PACKAGE_EXISTS), L"1");
    EXPECT_EQ(Value(VALUE_PACKAGE_NAME), L"big.exe");
    ASSERT_GT(g_percentages.size(), 10u);
    EXPECT_EQ(g_percentages.front(), 0);
    EXPECT_EQ(g_percentages.back(), 100);
    EXPECT_TRUE(std::is_sorted(g_percentages.begin(), g_percentages.end()));
}

TEST_F(OnlineWorld, BrokenTransfersLeaveTheOffer) {
    WriteAll(root + L"\\big.exe", std::string(1 << 20, 'b'));
    online.firmwareUpdateAvailable = 1;
    online.onlineFirmwareVersion = MakeFirmwareVersion(0, 3, 1);
    for (const wchar_t* address : {L"drop/big.exe", L"404/big.exe", L"stallbody/big.exe"}) {
        online.firmwarePackageUrl = base + address;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(online.DownloadFirmwarePackage(), 0) << address;
        EXPECT_LT(SecondsSince(start), 12.0) << address;
        EXPECT_EQ(online.IsFirmwareUpdateAvailable(), 1) << address;
        EXPECT_EQ(online.packageRecorded, 0) << address;
    }
}

TEST_F(OnlineWorld, TricklingServerEndsTheTransferWithinTheRule) {
    WriteAll(root + L"\\trickle.exe", std::string(64 * 1024, 't'));
    // The program's rule in small: 1 KiB every 2 s, each read at most 3 s (the port's cap). A
    // byte a second falls under it and ends by the first piece after the first window.
    const TransferLimits limits{3000, 0, 2000, 1024};
    const std::wstring target = install + L"\\trickle.exe";
    std::vector<uint64_t> progress;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(DownloadToFile(
        internet, base + L"trickle/trickle.exe", target, DOWNLOAD_MAX_BYTES,
        [&](uint64_t received, uint64_t) { progress.push_back(received); }, limits));
    const double seconds = SecondsSince(start);
    EXPECT_LT(seconds, (limits.windowMs + limits.waitMs) / 1000.0 + 1.5);
    EXPECT_GE(seconds, limits.windowMs / 1000.0 - 0.5);
    EXPECT_FALSE(progress.empty());
    EXPECT_LT(progress.size(), 10u);
}

TEST_F(OnlineWorld, ProbeFailsWithinTheBound) {
    machine.WriteString(KEY, VALUE_FW_LINK, L"http://127.0.0.1:1/fw.txt");
    machine.WriteString(KEY, VALUE_FW_LINK_SECONDARY, base + L"stall/fw.txt");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(online.ProbeUpdateServer(0, 1), 0);
    EXPECT_LT(SecondsSince(start), 12.0);
    machine.WriteString(KEY, VALUE_FW_LINK_SECONDARY, base + L"404/fw.txt");
    EXPECT_EQ(online.ProbeUpdateServer(0, 3), 1);
}

TEST_F(OnlineWorld, ExitCodesIncludingStillActive) {
    const std::wstring installer = world + L"\\qm_test_installer.exe";
    const ProgramCheck any = [](const std::string&) { return true; };
    for (const int32_t expected : {0, 7, 259, -2}) {
        SetEnvironmentVariableW(L"QM_INSTALLER_EXIT", std::to_wstring(expected).c_str());
        int32_t code = -100;
        ASSERT_EQ(processes.RunChecked(installer, L"", any, code), RunOutcome::FINISHED);
        EXPECT_EQ(code, expected);
    }
    int32_t code = -100;
    EXPECT_EQ(processes.RunChecked(install + L"\\missing.exe", L"", any, code),
              RunOutcome::NOT_STARTED);
    EXPECT_EQ(processes.RunChecked(
                  installer, L"", [](const std::string&) { return false; }, code),
              RunOutcome::REFUSED);
    EXPECT_EQ(code, -100);

    const std::wstring log = install + L"\\installer.log";
    SetEnvironmentVariableW(L"QM_INSTALLER_LOG", log.c_str());
    SetEnvironmentVariableW(L"QM_INSTALLER_EXIT", L"259");
    online.toolInstallerPath = installer;
    EXPECT_EQ(online.RunToolInstaller(), 0);
    SetEnvironmentVariableW(L"QM_INSTALLER_EXIT", L"0");
    EXPECT_EQ(online.RunToolInstaller(), 1);
    const std::string logged = ReadAll(files, log);
    const std::wstring commandLine(reinterpret_cast<const wchar_t*>(logged.data()),
                                   logged.size() / sizeof(wchar_t));
    EXPECT_EQ(commandLine,
              L"\"" + installer +
                  L"\" /s /v\"/qr REINSTALLMODE=\\\"vamus\\\" REINSTALL=\\\"ALL\\\"\"");
    SetEnvironmentVariableW(L"QM_INSTALLER_LOG", nullptr);
}

// The file that is checked is the file that runs: while the check looks at its bytes, nobody
// can write, rename or delete it.
TEST_F(OnlineWorld, TheCheckedFileCannotBeChangedUntilItRuns) {
    const std::wstring program = install + L"\\checked.exe";
    ASSERT_TRUE(CopyFileW((world + L"\\qm_test_installer.exe").c_str(), program.c_str(), FALSE));
    const std::string original = ReadAll(files, program);
    bool writable = true, deletable = true, movable = true, seen = false;
    const ProgramCheck check = [&](const std::string& bytes) {
        seen = bytes == original;
        HANDLE writer = CreateFileW(program.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        writable = writer != INVALID_HANDLE_VALUE;
        if (writable)
            CloseHandle(writer);
        deletable = DeleteFileW(program.c_str()) != FALSE;
        movable = MoveFileW(program.c_str(), (program + L".moved").c_str()) != FALSE;
        return true;
    };
    SetEnvironmentVariableW(L"QM_INSTALLER_EXIT", L"5");
    int32_t code = -1;
    ASSERT_EQ(processes.RunChecked(program, L"", check, code), RunOutcome::FINISHED);
    EXPECT_TRUE(seen);
    EXPECT_FALSE(writable);
    EXPECT_FALSE(deletable);
    EXPECT_FALSE(movable);
    EXPECT_EQ(code, 5);
    SetEnvironmentVariableW(L"QM_INSTALLER_EXIT", nullptr);
}

TEST_F(OnlineWorld, FirmwarePackageEndToEnd) {
    OfferPackage();
    ASSERT_EQ(online.DownloadFirmwarePackage(), 1);
    const std::wstring package = online.packagePath;
    ASSERT_TRUE(files.FileExists(package));
    ASSERT_EQ(online.InstallFirmwarePackage(), 1);
    EXPECT_TRUE(files.FileExists(install + L"\\Firmware\\firmware.bin"));
    EXPECT_EQ(ReadAll(files, install + L"\\Firmware\\res\\font.dat"), "glyphs");
    EXPECT_FALSE(files.FileExists(package));
    EXPECT_FALSE(files.FileExists(install + L"\\TempPULO5"));
    EXPECT_EQ(Value(VALUE_PACKAGE_EXISTS), L"0");
    EXPECT_EQ(Value(VALUE_PACKAGE_INSTALLED), L"1");
    EXPECT_EQ(Value(VALUE_PARTIAL_INSTALLED), L"0");
    EXPECT_EQ(online.packageVersion.packed, 0x020A);
}

// Something in the way stops the copy halfway: the firmware folder keeps its old contents,
// and the next start finds nothing to settle. (A read-only file does not stop a copy under Wine
// run as root, so a folder of the staged file's name is in the way here; the read-only case is
// the native test's.)
TEST_F(OnlineWorld, AFailedCopyLeavesTheOldFirmwareFolderIntact) {
    const std::wstring firmware = install + L"\\Firmware";
    CreateDirectoryW((firmware + L"\\firmware.bin").c_str(), nullptr);
    WriteAll(firmware + L"\\firmware.bin\\inside", "old firmware");
    OfferPackage();
    ASSERT_EQ(online.DownloadFirmwarePackage(), 1);
    EXPECT_EQ(online.InstallFirmwarePackage(), 0);
    EXPECT_EQ(ReadAll(files, firmware + L"\\firmware.bin\\inside"), "old firmware");
    EXPECT_EQ(ReadAll(files, firmware + L"\\fw.ini"),
              "[FIRMWARE]\r\nMAJORVER=0\r\nMIDVER=1\r\nMINORVER=5\r\n");
    EXPECT_FALSE(files.FileExists(firmware + L"\\res"));
    EXPECT_FALSE(files.FileExists(firmware + L".new"));
    EXPECT_FALSE(files.FileExists(firmware + L".old"));
    COnlineSystem restarted{platform};
    restarted.keyPath = KEY;
    restarted.downloadFolderName = L"TempPULO5";
    EXPECT_EQ(restarted.RefreshOnlineState(0), 1);
    EXPECT_EQ(restarted.packageVersion.packed, 0x0105);
    EXPECT_FALSE(files.FileExists(install + L"\\TempPULO5"));
    EXPECT_FALSE(files.FileExists(firmware + L".new"));
    EXPECT_EQ(Value(VALUE_PARTIAL_INSTALLED), L"0");
}

TEST_F(OnlineWorld, PackagesWaitInTheInstallationsDownloadsFolder) {
    OfferPackage();
    ASSERT_EQ(online.DownloadFirmwarePackage(), 1);
    EXPECT_EQ(online.packagePath, install + L"\\Downloads\\pkg_2_10.exe");
    EXPECT_FALSE(files.FileExists(online.packagePath + L".part"));
    // Wine keeps no folder access list of its own (it reports one made from the Unix mode), so
    // the administrators-only list is the system's to enforce; here only the place is checked.
}

TEST_F(OnlineWorld, PackagesThatFailKeepTheirRecord) {
    OfferPackage(L"nolength/");
    ASSERT_EQ(online.DownloadFirmwarePackage(), 1);
    for (const wchar_t* mode : {L"nomarker", L"crash"}) {
        SetEnvironmentVariableW(L"QM_PACKAGE_MODE", mode);
        EXPECT_EQ(online.InstallFirmwarePackage(), 0) << mode;
        EXPECT_TRUE(files.FileExists(online.packagePath)) << mode;
        EXPECT_EQ(Value(VALUE_PACKAGE_EXISTS), L"1") << mode;
        EXPECT_EQ(Value(VALUE_PACKAGE_INSTALLED), L"0") << mode;
        EXPECT_FALSE(files.FileExists(install + L"\\Firmware\\firmware.bin")) << mode;
    }
}

// The package ran to its end, then the tool stopped before moving the files: the next load
// completes the install when the staged firmware is newer than the download, else it throws the
// staged files away and keeps the package for another try.
TEST_F(OnlineWorld, InterruptedInstallIsSettledByTheNextLoad) {
    OfferPackage();
    ASSERT_EQ(online.DownloadFirmwarePackage(), 1);
    const std::wstring package = online.packagePath;
    for (const wchar_t* staged : {L"0.2.10", L"0.2.11"}) {
        SetEnvironmentVariableW(L"QM_PACKAGE_VERSION", staged);
        int32_t code = -1;
        ASSERT_EQ(processes.RunChecked(
                      package, L" 1", [](const std::string&) { return true; }, code),
                  RunOutcome::FINISHED);
        ASSERT_EQ(Value(VALUE_PARTIAL_INSTALLED), L"1");
        COnlineSystem restarted{platform};
        restarted.keyPath = KEY;
        restarted.downloadFolderName = L"TempPULO5";
        EXPECT_EQ(restarted.LoadOnlineSettings(), 1);
        EXPECT_FALSE(files.FileExists(install + L"\\TempPULO5")) << staged;
        EXPECT_EQ(Value(VALUE_PARTIAL_INSTALLED), L"0") << staged;
        const bool completed = staged == std::wstring(L"0.2.11");
        EXPECT_EQ(files.FileExists(install + L"\\Firmware\\res\\font.dat"), completed) << staged;
        EXPECT_EQ(files.FileExists(package), !completed) << staged;
        EXPECT_EQ(Value(VALUE_PACKAGE_EXISTS), completed ? L"0" : L"1") << staged;
        EXPECT_EQ(restarted.packageVersion.packed, completed ? 0x020B : 0) << staged;
    }
    SetEnvironmentVariableW(L"QM_PACKAGE_VERSION", nullptr);
}

TEST_F(OnlineWorld, FolderTreesWithSystemFiles) {
    const std::wstring staging = install + L"\\TempPULO5";
    CreateDirectoryW(staging.c_str(), nullptr);
    CreateDirectoryW((staging + L"\\sub").c_str(), nullptr);
    WriteAll(staging + L"\\sub\\a.bin", "a");
    WriteAll(staging + L"\\desktop.ini", "s");
    SetFileAttributesW((staging + L"\\desktop.ini").c_str(), FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(CopyFolderTree(files, staging + L"\\", install + L"\\Firmware\\"), 1);
    EXPECT_EQ(ReadAll(files, install + L"\\Firmware\\sub\\a.bin"), "a");
    EXPECT_FALSE(files.FileExists(install + L"\\Firmware\\desktop.ini"));
    EXPECT_EQ(DeleteFolderTree(files, staging), 1);
    EXPECT_TRUE(files.FileExists(staging + L"\\desktop.ini"));
    EXPECT_FALSE(files.FileExists(staging + L"\\sub"));
    EXPECT_EQ(DeleteFolderTree(files, install + L"\\nowhere"), 0);
    SetFileAttributesW((staging + L"\\desktop.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(OnlineWorld, Environment) {
    SetEnvironmentVariableW(L"QM_BROWSER_HOME", L"C:\\Browsers");
    std::wstring expanded;
    ASSERT_TRUE(shell.ExpandEnvironment(L"\"%QM_BROWSER_HOME%\\b.exe\" %1", expanded));
    EXPECT_EQ(expanded, L"\"C:\\Browsers\\b.exe\" %1");
}
// The build's key against what tests/online/sign_world.sh signed with it (and with another).
class SignedWorld : public OnlineWorld {
  protected:
    CWin32SignatureVerifier builtIn;

    void SetUp() override {
        OnlineWorld::SetUp();
        if (HasFatalFailure())
            return;
        if (!builtIn.HasKey())
            GTEST_SKIP() << "a build without a key verifies nothing";
        platform.signatures = &builtIn;
    }
    std::string SignatureLine(const wchar_t* name) {
        std::string line = ReadAll(files, root + L"\\sig\\" + name + L".txt");
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        return line;
    }
    // The descriptor of firmware 2.10 with the package's address and the signature line, fetched
    // as a check would; then the offer is taken up.
    int Download(const std::string& signatureLine, const char* package = "pkg_2_10.exe") {
        const std::string address(base.begin(), base.end());
        WriteAll(root + L"\\signed.txt",
                 "version=V2.10\r\nurl=" + address + package + "\r\n" + signatureLine + "\r\n");
        if (!online.FetchFirmwareDescriptor(base + L"signed.txt"))
            return -1;
        online.firmwareUpdateAvailable = 1;
        return online.DownloadFirmwarePackage();
    }
    void ExpectNothingReady(const COnlineSystem& checked, const std::string& why) {
        EXPECT_EQ(checked.packageRecorded, 0) << why;
        EXPECT_EQ(checked.IsDownloadedFirmwareReady(), 0) << why;
        EXPECT_EQ(Value(VALUE_PACKAGE_EXISTS), L"0") << why;
        std::vector<FolderEntry> entries;
        files.ListFolder(install + L"\\Downloads\\*.*", entries);
        EXPECT_LE(entries.size(), 2u) << why << ": only . and .. in the folder";
        EXPECT_FALSE(files.FileExists(install + L"\\Firmware\\firmware.bin")) << why;
        EXPECT_FALSE(files.FileExists(install + L"\\TempPULO5")) << why;
    }
};

TEST_F(SignedWorld, DownloadsWithoutTheRightSignatureAreRefused) {
    const std::string package = ReadAll(files, root + L"\\pkg_2_10.exe");
    WriteAll(root + L"\\cut_2_10.exe", package.substr(0, package.size() - 1000));
    const struct {
        std::string why;
        std::string line;
        const char* package;
    } refused[] = {
        {"unsigned", "", "pkg_2_10.exe"},
        {"another key", SignatureLine(L"other_key"), "pkg_2_10.exe"},
        {"another version", SignatureLine(L"other_version"), "pkg_2_10.exe"},
        {"truncated after signing", SignatureLine(L"good"), "cut_2_10.exe"},
    };
    for (const auto& r : refused) {
        EXPECT_EQ(Download(r.line, r.package), 0) << r.why;
        EXPECT_EQ(online.IsFirmwareUpdateAvailable(), 1) << r.why;
        ExpectNothingReady(online, r.why);
    }
}

TEST_F(SignedWorld, APackageSwappedAfterItsDownloadIsRefusedBeforeItRuns) {
    ASSERT_EQ(Download(SignatureLine(L"good")), 1);
    const std::wstring package = online.packagePath;
    ASSERT_TRUE(CopyFileW((world + L"\\qm_test_installer.exe").c_str(), package.c_str(), FALSE));
    // A restart in between: the record and the signature beside the package carry over.
    COnlineSystem restarted{platform};
    restarted.keyPath = KEY;
    restarted.downloadFolderName = L"TempPULO5";
    ASSERT_EQ(restarted.RefreshOnlineState(0), 1);
    ASSERT_EQ(restarted.IsDownloadedFirmwareReady(), 1);
    EXPECT_EQ(restarted.InstallFirmwarePackage(), 0);
    EXPECT_FALSE(files.FileExists(package));
    ExpectNothingReady(restarted, "swapped");
    EXPECT_EQ(restarted.packageVersion.packed, 0x0105);
}

TEST_F(SignedWorld, AGoodSignedPackageInstalls) {
    ASSERT_EQ(Download(SignatureLine(L"good")), 1);
    EXPECT_TRUE(files.FileExists(online.packagePath + L".sig"));
    ASSERT_EQ(online.InstallFirmwarePackage(), 1);
    EXPECT_EQ(ReadAll(files, install + L"\\Firmware\\res\\font.dat"), "glyphs");
    EXPECT_EQ(online.packageVersion.packed, 0x020A);
    EXPECT_EQ(Value(VALUE_PACKAGE_EXISTS), L"0");
    EXPECT_FALSE(files.FileExists(install + L"\\Downloads\\pkg_2_10.exe.sig"));
}

TEST_F(SignedWorld, ASignedToolInstallerRuns) {
    const std::string address(base.begin(), base.end());
    WriteAll(root + L"\\qm.txt", "version=V9.01\r\nurl=" + address + "Setup.exe\r\n" +
                                     SignatureLine(L"installer") + "\r\n");
    ASSERT_EQ(online.FetchToolDescriptor(base + L"qm.txt"), 1);
    online.toolUpdateAvailable = 1;
    ASSERT_EQ(online.DownloadToolInstaller(), 1);
    SetEnvironmentVariableW(L"QM_INSTALLER_EXIT", L"0");
    EXPECT_EQ(online.RunToolInstaller(), 1);
    ASSERT_TRUE(
        CopyFileW((root + L"\\pkg_2_10.exe").c_str(), online.toolInstallerPath.c_str(), FALSE));
    EXPECT_EQ(online.RunToolInstaller(), 0) << "swapped";
}
} // namespace
