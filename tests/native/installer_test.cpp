#include "engine/product_keys.h"
#include "online/browser.h"
#include "online/folder_tree.h"
#include "online/install_lock.h"
#include "online/signature.h"
#include "online/online_system.h"
#include "tests/support/fake_online.h"
#include "ui/open_address.h"
#include <gtest/gtest.h>
#include <string>

namespace {
const std::wstring PACKAGE = std::wstring(COnlineWorld::PACKAGES) + L"\\pkg.exe";
const std::wstring STAGING = COnlineWorld::STAGING;
const std::wstring FIRMWARE = COnlineWorld::FIRMWARE_FOLDER;

class Installer : public testing::Test {
  protected:
    COnlineWorld world{PULO5_KEY};
    COnlineSystem online{world.platform};

    void SetUp() override {
        online.keyPath = PULO5_KEY;
        online.downloadFolderName = L"TempPULO5";
        ASSERT_EQ(online.LoadOnlineSettings(), 1);
        world.disk.AddFile(PACKAGE, "MZ");
        online.packageRecorded = 1;
        online.packagePath = PACKAGE;
        online.downloadedVersion = MakeFirmwareVersion(0, 2, 1);
        online.downloadedFirmwareReady = 1;
        online.SaveFirmwarePackageRecord();
    }
    // The package as its maker builds it: files and a sub-folder in the download folder, then
    // the marker.
    void PackageExtracts(bool marks) {
        world.processes.onRun = [this, marks](const std::wstring&, int32_t& exitCode) {
            world.disk.AddFile(STAGING + L"\\fw.ini", COnlineWorld::Description(0, 2, 1));
            world.disk.AddFile(STAGING + L"\\fw.bin", "firmware");
            world.disk.AddFile(STAGING + L"\\res\\font.dat", "font");
            if (marks)
                world.Set(VALUE_PARTIAL_INSTALLED, L"1");
            exitCode = 3;
        };
    }
};

TEST_F(Installer, PackageThatMarksItsFilesIsInstalled) {
    PackageExtracts(true);
    ASSERT_EQ(online.InstallFirmwarePackage(), 1);
    EXPECT_EQ(world.processes.runs, std::vector<std::wstring>{PACKAGE + L"| 1"});
    EXPECT_EQ(world.disk.Content(FIRMWARE + L"\\res\\font.dat"), "font");
    EXPECT_EQ(world.disk.Content(FIRMWARE + L"\\fw.bin"), "firmware");
    EXPECT_FALSE(world.disk.HasFile(PACKAGE));
    EXPECT_FALSE(world.disk.FileExists(STAGING));
    EXPECT_EQ(world.Value(VALUE_PACKAGE_EXISTS), L"0");
    EXPECT_EQ(world.Value(VALUE_PACKAGE_NAME), L"");
    EXPECT_EQ(world.Value(VALUE_PACKAGE_INSTALLED), L"1");
    EXPECT_EQ(world.Value(VALUE_PARTIAL_INSTALLED), L"0");
    EXPECT_EQ(online.packageVersion.packed, 0x0201);
    EXPECT_EQ(online.packageRecorded, 0);
    EXPECT_EQ(online.downloadedFirmwareReady, 0);
    EXPECT_EQ(world.clock.durations, std::vector<uint32_t>{500});
}

TEST_F(Installer, PackageWithoutMarkerOrStartIsNotInstalled) {
    PackageExtracts(false);
    EXPECT_EQ(online.InstallFirmwarePackage(), 0);
    EXPECT_EQ(world.Value(VALUE_PACKAGE_INSTALLED), L"0");
    EXPECT_TRUE(world.disk.HasFile(PACKAGE));
    EXPECT_EQ(online.packageRecorded, 1);
    EXPECT_EQ(world.Value(VALUE_PACKAGE_EXISTS), L"1");
    EXPECT_FALSE(world.disk.HasFile(FIRMWARE + L"\\fw.bin"));

    world.processes.startable = false;
    EXPECT_EQ(online.InstallFirmwarePackage(), 0);
    world.processes.startable = true;

    world.processes.onRun = [this](const std::wstring&, int32_t&) {
        world.machine.values.erase({world.key, VALUE_PARTIAL_INSTALLED});
    };
    EXPECT_EQ(online.InstallFirmwarePackage(), 0) << "marker unreadable";

    online.downloadedFirmwareReady = 0;
    world.processes.runs.clear();
    EXPECT_EQ(online.InstallFirmwarePackage(), 0);
    EXPECT_TRUE(world.processes.runs.empty());
}

// Without the first marker written, the package is not run at all.
TEST_F(Installer, FailingFirstMarkerWriteRunsNothing) {
    PackageExtracts(true);
    CStubbornStore store;
    store.values = world.machine.values;
    store.readOnly = {VALUE_PACKAGE_INSTALLED};
    world.platform.settings = &store;
    EXPECT_EQ(online.InstallFirmwarePackage(), 0);
    EXPECT_TRUE(world.processes.runs.empty());
    EXPECT_TRUE(world.disk.HasFile(PACKAGE));
    EXPECT_EQ((store.values[{PULO5_KEY, VALUE_PACKAGE_EXISTS}]), L"1");
    EXPECT_EQ(online.packageRecorded, 1);
}

TEST_F(Installer, MarkerInAnyCaseOtherThanZero) {
    world.processes.onRun = [this](const std::wstring&, int32_t&) {
        world.disk.AddFile(STAGING + L"\\fw.ini", COnlineWorld::Description(0, 2, 1));
        world.Set(VALUE_PARTIAL_INSTALLED, L"yes");
    };
    EXPECT_EQ(online.InstallFirmwarePackage(), 1);
}

TEST_F(Installer, FailedStepsStillResetTheRecord) {
    world.disk.AddFile(STAGING + L"\\fw.ini", COnlineWorld::Description(0, 2, 1));
    world.disk.undeletable.insert(PACKAGE);
    EXPECT_EQ(online.CompleteFirmwareInstall(), 0);
    EXPECT_EQ(online.packageRecorded, 0);
    EXPECT_EQ(world.Value(VALUE_PACKAGE_EXISTS), L"0");
    EXPECT_EQ(world.Value(VALUE_PACKAGE_INSTALLED), L"1");
    EXPECT_EQ(online.packageVersion.packed, 0x0201);
}

TEST_F(Installer, SystemFilesAreNeitherCopiedNorDeleted) {
    world.disk.AddFile(STAGING + L"\\fw.ini", COnlineWorld::Description(0, 2, 1));
    world.disk.AddFile(STAGING + L"\\desktop.ini", "sys", true);
    world.disk.AddFile(STAGING + L"\\sub\\a.bin", "a");
    EXPECT_EQ(CopyFolderTree(world.disk, STAGING + L"\\", FIRMWARE), 1);
    EXPECT_FALSE(world.disk.HasFile(FIRMWARE + L"\\desktop.ini"));
    EXPECT_EQ(world.disk.Content(FIRMWARE + L"\\sub\\a.bin"), "a");
    EXPECT_EQ(DeleteFolderTree(world.disk, STAGING), 1);
    EXPECT_EQ(world.disk.Tree(STAGING), std::vector<std::wstring>{L"desktop.ini"});
    EXPECT_TRUE(world.disk.FileExists(STAGING)) << "the folder stays with its system file";
}

TEST_F(Installer, FolderTreeFailures) {
    EXPECT_EQ(DeleteFolderTree(world.disk, L"C:\\nowhere"), 0);
    EXPECT_EQ(DeleteFolderTree(world.disk, L""), 0);
    EXPECT_EQ(CopyFolderTree(world.disk, L"C:\\nowhere", FIRMWARE), 0);
    EXPECT_EQ(CopyFolderTree(world.disk, STAGING, L""), 0);
    world.disk.AddFile(STAGING + L"\\a\\b\\c.bin", "c");
    world.disk.AddFile(STAGING + L"\\z.bin", "z");
    world.disk.undeletable.insert(STAGING + L"\\a\\b\\c.bin");
    EXPECT_EQ(DeleteFolderTree(world.disk, STAGING), 0);
    EXPECT_TRUE(world.disk.HasFile(STAGING + L"\\z.bin")) << "the walk stops at the failure";
    // A target folder that cannot be made fails the copy of its files.
    EXPECT_EQ(CopyFolderTree(world.disk, STAGING, L"C:\\missing\\target"), 0);
}

TEST_F(Installer, ToolInstallerArgumentsAndExitCodes) {
    const std::wstring arguments =
        L" /s /v\"/qr REINSTALLMODE=\\\"vamus\\\" REINSTALL=\\\"ALL\\\"\"";
    ASSERT_EQ(arguments.size(), 53u);
    EXPECT_EQ(online.RunToolInstaller(), 0) << "no installer downloaded";
    online.toolInstallerPath = L"C:\\d\\Setup.exe";
    world.disk.AddFile(online.toolInstallerPath, "MZ");
    int32_t code = 0;
    world.processes.onRun = [&code](const std::wstring&, int32_t& exitCode) { exitCode = code; };
    EXPECT_EQ(online.RunToolInstaller(), 1);
    // The path stays the program's path; each run passes the arguments once.
    for (const int32_t failing : {1, 259, -1}) {
        code = failing;
        EXPECT_EQ(online.RunToolInstaller(), 0) << failing;
    }
    EXPECT_EQ(world.processes.runs, std::vector<std::wstring>(4, L"C:\\d\\Setup.exe|" + arguments));
    // An unreadable code counts as -1.
    world.processes.onRun = [](const std::wstring&, int32_t&) {};
    EXPECT_EQ(online.RunToolInstaller(), 0);
    world.processes.startable = false;
    EXPECT_EQ(online.RunToolInstaller(), 0);
    world.processes.startable = true;
    world.disk.files.erase(online.toolInstallerPath);
    EXPECT_EQ(online.RunToolInstaller(), 0) << "the file is gone";
}

// A read-only file in the firmware folder stops the copy halfway: the folder keeps its old
// contents, nothing is left beside it, and the failure is reported.
TEST_F(Installer, AFailedCopyLeavesTheOldFirmwareFolderIntact) {
    world.disk.AddFile(FIRMWARE + L"\\fw.bin", "old firmware");
    world.disk.readOnly.insert(FIRMWARE + L"\\fw.bin");
    const std::vector<std::wstring> before = world.disk.Tree(FIRMWARE);
    PackageExtracts(true);
    EXPECT_EQ(online.InstallFirmwarePackage(), 0);
    EXPECT_EQ(world.disk.Tree(FIRMWARE), before);
    EXPECT_EQ(world.disk.Content(FIRMWARE + L"\\fw.bin"), "old firmware");
    EXPECT_EQ(world.disk.Content(FIRMWARE + L"\\fw.ini"), COnlineWorld::Description(0, 1, 5));
    EXPECT_FALSE(world.disk.FileExists(FIRMWARE + L".new"));
    EXPECT_FALSE(world.disk.FileExists(FIRMWARE + L".old"));
    EXPECT_EQ(online.packageVersion.packed, 0x0105);
    EXPECT_EQ(world.Value(VALUE_PARTIAL_INSTALLED), L"0");
}

TEST_F(Installer, FilesOnlyInTheOldFolderStayAfterTheSwap) {
    world.disk.AddFile(FIRMWARE + L"\\keep.dat", "kept");
    PackageExtracts(true);
    ASSERT_EQ(online.InstallFirmwarePackage(), 1);
    EXPECT_EQ(world.disk.Content(FIRMWARE + L"\\keep.dat"), "kept");
    EXPECT_EQ(world.disk.Content(FIRMWARE + L"\\fw.bin"), "firmware");
    EXPECT_FALSE(world.disk.FileExists(FIRMWARE + L".new"));
    EXPECT_FALSE(world.disk.FileExists(FIRMWARE + L".old"));
}

// The program's current folder is its firmware folder (or one below it), which the system
// will not let it rename: the swap still happens and the program is back in the same path.
TEST_F(Installer, SwapSucceedsFromInsideTheFirmwareFolder) {
    for (const std::wstring& inside : {FIRMWARE, FIRMWARE + L"\\", FIRMWARE + L"\\res"}) {
        SCOPED_TRACE(std::string(inside.begin(), inside.end()));
        SetUp();
        world.disk.AddFolder(FIRMWARE + L"\\res");
        world.disk.SetCurrentFolder(inside);
        PackageExtracts(true);
        ASSERT_EQ(online.InstallFirmwarePackage(), 1);
        EXPECT_EQ(world.disk.Content(FIRMWARE + L"\\fw.bin"), "firmware");
        EXPECT_FALSE(world.disk.FileExists(FIRMWARE + L".old"));
        EXPECT_EQ(world.disk.currentFolder, inside);
    }
    // A folder that only begins with the same letters is not inside it.
    SetUp();
    world.disk.AddFolder(FIRMWARE + L"X");
    world.disk.SetCurrentFolder(FIRMWARE + L"X");
    const size_t changes = world.disk.folderChanges.size();
    PackageExtracts(true);
    ASSERT_EQ(online.InstallFirmwarePackage(), 1);
    EXPECT_EQ(world.disk.folderChanges.size(), changes);
}

// What a stop at each step of the swap leaves, and what the next start makes of it.
TEST_F(Installer, InterruptedSwapsAreSettledByTheNextLoad) {
    const std::wstring fresh = FIRMWARE + L".new";
    const std::wstring old = FIRMWARE + L".old";
    const struct {
        const char* stop;
        std::vector<std::wstring> present; // folders with one file "which" each
        std::string expected;              // what the firmware folder then holds
    } cases[] = {
        {"while assembling", {FIRMWARE, fresh}, "current"},
        {"between the renames", {old, fresh}, "new"},
        {"while deleting the old", {FIRMWARE, old}, "current"},
        {"after putting the old away", {old}, "old"},
    };
    for (const auto& c : cases) {
        world.disk.files.clear();
        world.disk.folders.clear();
        world.disk.AddFolder(COnlineWorld::RUN_PATH);
        for (const std::wstring& folder : c.present) {
            const std::string which = folder == FIRMWARE ? "current"
                                      : folder == fresh  ? "new"
                                                         : "old";
            world.disk.AddFile(folder + L"\\which", which);
            world.disk.AddFile(folder + L"\\fw.ini", COnlineWorld::Description(0, 1, 5));
        }
        const int waits = world.mutexes.waits;
        ASSERT_EQ(online.LoadOnlineSettings(), 1) << c.stop;
        EXPECT_EQ(world.disk.Content(FIRMWARE + L"\\which"), c.expected) << c.stop;
        EXPECT_FALSE(world.disk.FileExists(fresh)) << c.stop;
        EXPECT_FALSE(world.disk.FileExists(old)) << c.stop;
        EXPECT_EQ(world.mutexes.waits, waits + 1) << c.stop;
        EXPECT_EQ(world.mutexes.held, 0) << c.stop;
    }
    // Nothing beside the folder: the load takes no lock.
    const int waits = world.mutexes.waits;
    ASSERT_EQ(online.LoadOnlineSettings(), 1);
    EXPECT_EQ(world.mutexes.waits, waits);
}

TEST_F(Installer, InstallsAreSerialisedPerKey) {
    PackageExtracts(true);
    world.mutexes.answer = MutexWait::FAILED;
    EXPECT_EQ(online.InstallFirmwarePackage(), 0);
    EXPECT_TRUE(world.processes.runs.empty());
    world.mutexes.answer = MutexWait::ABANDONED;
    EXPECT_EQ(online.InstallFirmwarePackage(), 1) << "its owner ended; the lock is ours";
    EXPECT_EQ(world.mutexes.held, 0);
    EXPECT_EQ(world.mutexes.names.back(), InstallMutexName(PULO5_KEY));
    EXPECT_EQ(InstallMutexName(PULO4_KEY),
              L"Quillmate install Software/Norvane/Tembly ZQ4MKT Quillmate/Pulo4");
}

// A build with a key checks the package again right before it runs, from the bytes the run
// starts: a file swapped since the download is refused and goes with its record.
TEST_F(Installer, SignedPackageIsCheckedAgainBeforeItRuns) {
    world.signatures.hasKey = true;
    const std::string signature = CFakeSignatures::Base64SignatureOf(
        SignedMessage({UpdateKind::FIRMWARE, 0, 2, 1, ""}, "MZ"));
    world.disk.AddFile(PACKAGE + L".sig", signature);
    PackageExtracts(true);
    world.disk.AddFile(PACKAGE, "MZ swapped");
    EXPECT_EQ(online.InstallFirmwarePackage(), 0);
    EXPECT_EQ(world.processes.checkedBytes, std::vector<std::string>{"MZ swapped"});
    EXPECT_FALSE(world.disk.HasFile(PACKAGE));
    EXPECT_FALSE(world.disk.HasFile(PACKAGE + L".sig"));
    EXPECT_EQ(world.Value(VALUE_PACKAGE_EXISTS), L"0");
    EXPECT_EQ(online.downloadedFirmwareReady, 0);
    EXPECT_FALSE(world.disk.FileExists(STAGING)) << "the package never ran";
    EXPECT_EQ(world.disk.Content(FIRMWARE + L"\\fw.ini"), COnlineWorld::Description(0, 1, 5));

    const auto record = [this] {
        world.disk.AddFile(PACKAGE, "MZ");
        online.packageRecorded = 1;
        online.packagePath = PACKAGE;
        online.downloadedVersion = MakeFirmwareVersion(0, 2, 1);
        online.downloadedFirmwareReady = 1;
        return online.SaveFirmwarePackageRecord();
    };
    ASSERT_TRUE(record());
    EXPECT_EQ(online.InstallFirmwarePackage(), 0) << "its signature went with the swapped file";
    ASSERT_TRUE(record());
    world.disk.AddFile(PACKAGE + L".sig", signature);
    EXPECT_EQ(online.InstallFirmwarePackage(), 1);
    EXPECT_FALSE(world.disk.HasFile(PACKAGE + L".sig"));
}

// Junctions and symbolic links are never followed: not copied, and deleted as links only.
TEST_F(Installer, FolderTreesLeaveLinksAlone) {
    // What the link points to shows through it as its content.
    const std::wstring through = STAGING + L"\\link\\kernel32.dll";
    world.disk.AddFile(through, "system");
    world.disk.AddFile(STAGING + L"\\fw.bin", "fw");
    world.disk.links.insert(STAGING + L"\\link");
    EXPECT_EQ(CopyFolderTree(world.disk, STAGING, FIRMWARE), 1);
    EXPECT_FALSE(world.disk.FileExists(FIRMWARE + L"\\link"));
    EXPECT_EQ(world.disk.Content(FIRMWARE + L"\\fw.bin"), "fw");
    EXPECT_EQ(DeleteFolderTree(world.disk, STAGING), 1);
    EXPECT_FALSE(world.disk.FileExists(STAGING));
    EXPECT_TRUE(world.disk.HasFile(through)) << "the link's target keeps its files";
}

class Browser : public testing::Test {
  protected:
    COnlineWorld world{PULO5_KEY};
    COnlineSystem online{world.platform};
    const wchar_t* KEY = L"Software\\Clients\\StartMenuInternet";

    // The order of an unelevated run; elevated runs are in the browser hand-off's tests.
    void SetUp() override { world.system.admin = false; }
    void Register(CFakeSettingsStore& hive, const wchar_t* name, const wchar_t* command) {
        hive.Set(KEY, L"", name);
        hive.Set((std::wstring(KEY) + L"\\" + name + L"\\shell\\open\\command").c_str(), L"",
                 command);
    }
};

TEST_F(Browser, DefaultBrowserFromTheUserThenTheMachine) {
    EXPECT_EQ(GetDefaultBrowserCommand(world.platform), L"");
    Register(world.machine, L"IEXPLORE.EXE", L"%ProgramFiles%\\ie\\iexplore.exe");
    world.shell.environment[L"ProgramFiles"] = L"C:\\Program Files";
    EXPECT_EQ(GetDefaultBrowserCommand(world.platform), L"C:\\Program Files\\ie\\iexplore.exe");
    // The user's name with its command in the machine's hive only: no command.
    world.user.Set(KEY, L"", L"Firefox");
    world.machine.Set(L"Software\\Clients\\StartMenuInternet\\Firefox\\shell\\open\\command", L"",
                      L"firefox.exe");
    EXPECT_EQ(GetDefaultBrowserCommand(world.platform), L"");
    Register(world.user, L"Firefox", L"\"C:\\ff\\firefox.exe\" -url \"%1\" -new");
    EXPECT_EQ(GetDefaultBrowserCommand(world.platform),
              L"\"C:\\ff\\firefox.exe\" -url \"%1\" -new");
    world.shell.expandable = false;
    EXPECT_EQ(GetDefaultBrowserCommand(world.platform), L"");
}

TEST_F(Browser, OpenInBrowserAppendsOnlySafeAddresses) {
    Register(world.user, L"Firefox", L"\"C:\\ff\\firefox.exe\" \"%1\" -new");
    ASSERT_EQ(online.OpenInBrowser(L"http://h/news.htm"), 1);
    EXPECT_EQ(world.processes.starts,
              std::vector<std::wstring>{L"\"C:\\ff\\firefox.exe\" \"%1\" -new http://h/news.htm"});
    for (const wchar_t* bad : {L"", L"http://h/a\" -profile C:\\x", L"file:///C:/x.exe",
                               L"C:\\setup.exe", L"http://h/a b", L"http://h/\r\nx"})
        EXPECT_EQ(online.OpenInBrowser(bad), 0) << bad;
    EXPECT_EQ(world.processes.starts.size(), 1u);
    world.processes.startable = false;
    EXPECT_EQ(online.OpenInBrowser(L"http://h/news.htm"), 0);
    world.user.values.clear();
    world.processes.startable = true;
    EXPECT_EQ(online.OpenInBrowser(L"http://h/news.htm"), 0);
}

TEST_F(Browser, LinksOpenThroughTheSameRules) {
    CPlatformBrowser browser(world.platform);
    IBrowser& links = browser;
    EXPECT_EQ(links.OpenAddress(L"", 1), OPEN_ADDRESS_EMPTY);
    EXPECT_EQ(links.OpenAddress(L"javascript:alert(1)", 1), OPEN_ADDRESS_REFUSED);
    EXPECT_TRUE(world.shell.opens.empty());
    EXPECT_EQ(links.OpenAddress(L"https://support.norvane.example/", 1), 42);
    EXPECT_EQ(world.shell.opens, std::vector<std::wstring>{L"https://support.norvane.example/"});
}

TEST_F(Browser, OpenAddressThroughTheShellThenTheHtmlClass) {
    EXPECT_EQ(OpenAddress(world.platform, L"", 1), OPEN_ADDRESS_EMPTY);
    EXPECT_TRUE(world.shell.opens.empty());
    EXPECT_EQ(OpenAddress(world.platform, L"http://h/", 1), 42);
    EXPECT_EQ(OpenAddress(world.platform, L"notepad.exe", 1), OPEN_ADDRESS_REFUSED);
    EXPECT_EQ(world.shell.opens, std::vector<std::wstring>{L"http://h/"});

    world.shell.openResult = 31;
    EXPECT_EQ(OpenAddress(world.platform, L"http://h/", 1), 31) << "no class registered";
    world.classes.Set(L".htm", L"", L"htmlfile");
    const struct {
        const wchar_t* registered;
        const wchar_t* started;
    } commands[] = {
        {L"\"C:\\b.exe\" -a \"%1\" -switch %1", L"\"C:\\b.exe\" -a  http://h/"},
        {L"C:\\b.exe -a %1 -x", L"C:\\b.exe -a  http://h/"},
        {L"C:\\b.exe", L"C:\\b.exe http://h/"},
    };
    for (const auto& c : commands) {
        world.classes.Set(L"htmlfile\\shell\\open\\command", L"", c.registered);
        EXPECT_EQ(OpenAddress(world.platform, L"http://h/", 5), OPEN_ADDRESS_STARTED);
        EXPECT_EQ(world.processes.shownStarts.back(), (std::pair<std::wstring, int>{c.started, 5}));
    }
    // The composed command must fit in 520 characters with its terminating zero.
    const std::wstring program = L"C:\\b.exe";
    world.classes.Set(L"htmlfile\\shell\\open\\command", L"", program);
    const std::wstring fits = L"http://h/" + std::wstring(519 - program.size() - 10, L'a');
    EXPECT_EQ(OpenAddress(world.platform, fits, 1), OPEN_ADDRESS_STARTED);
    EXPECT_EQ(world.processes.shownStarts.back().first.size(), 519u);
    const size_t starts = world.processes.shownStarts.size();
    EXPECT_EQ(OpenAddress(world.platform, fits + L"a", 1), OPEN_ADDRESS_REFUSED);
    EXPECT_EQ(world.processes.shownStarts.size(), starts);
    world.processes.startable = false;
    EXPECT_EQ(OpenAddress(world.platform, L"http://h/", 1), OPEN_ADDRESS_REFUSED);
}
} // namespace
