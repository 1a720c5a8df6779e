#include "engine/product_keys.h"
#include "online/download_callback.h"
#include "online/online_system.h"
#include "online/safe_names.h"
#include "online/signature.h"
#include "tests/support/fake_online.h"
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {
std::vector<int32_t> g_percentages;
void Record(int32_t percent) {
    g_percentages.push_back(percent);
}

const wchar_t* const PACKAGES = COnlineWorld::PACKAGES;

class Download : public testing::Test {
  protected:
    COnlineWorld world{PULO5_KEY};
    COnlineSystem online{world.platform};
    CDownloadCallback sink{Record};

    void SetUp() override {
        g_percentages.clear();
        online.keyPath = PULO5_KEY;
        online.runPath = COnlineWorld::RUN_PATH;
        online.progressSink = &sink;
        online.firmwareUpdateAvailable = 1;
        online.firmwarePackageUrl = L"http://h/fw/pkg_1_09.exe";
        online.onlineFirmwareVersion = MakeFirmwareVersion(0, 1, 9);
        online.toolUpdateAvailable = 1;
        online.toolInstallerUrl = L"http://h/qm/Setup.exe";
    }
    static std::wstring InPackages(const wchar_t* name) {
        return std::wstring(PACKAGES) + L"\\" + name;
    }
};

TEST(DownloadCallback, PercentagesWithoutOverflow) {
    g_percentages.clear();
    CDownloadCallback sink;
    sink.OnProgress(1, 2); // no function yet
    sink.SetNotifyFunction(Record);
    sink.OnProgress(5, 0);
    sink.OnProgress(1, 3);
    sink.OnProgress(3000000000ull, 4000000000ull);
    sink.OnProgress(7, 7);
    EXPECT_EQ(g_percentages, (std::vector<int32_t>{33, 75, 100}));
}

TEST(SafeNames, FileNames) {
    EXPECT_EQ(FileNameOfAddress(L"http://h/a/b.exe?x=1"), L"b.exe?x=1");
    EXPECT_EQ(FileNameOfAddress(L"noslash.exe"), L"noslash.exe");
    EXPECT_EQ(FileNameOfAddress(L"http://h/"), L"");
    for (const wchar_t* good : {L"pkg_1_09.exe", L"Setup (2).exe", L"console.exe x", L"a.b.c"})
        EXPECT_TRUE(IsSafeFileName(good)) << good;
    for (const wchar_t* bad : {L"",        L"..",           L".",        L"a..b.exe", L"..\\x.exe",
                               L"C:x.exe", L"x.exe:stream", L"a\\b.exe", L"a\tb.exe", L"a\x7f.exe",
                               L"CON",     L"con.exe",      L"Nul .txt", L"COM1.exe", L"lpt9",
                               L"CONOUT$", L"x.exe.",       L"x.exe ",   L"x?.exe",   L"*.exe",
                               L"a\"b",    L"a<b",          L"a|b"})
        EXPECT_FALSE(IsSafeFileName(bad)) << bad;
    EXPECT_FALSE(IsSafeFileName(std::wstring(256, L'a')));
    EXPECT_TRUE(IsSafeFileName(L"COM10.exe"));
    for (const wchar_t* reserved : {L"COM\u00b9.exe", L"lpt\u00b2", L"COM\u00b3 .txt"})
        EXPECT_FALSE(IsSafeFileName(reserved)) << reserved;
}

TEST(SafeNames, DownloadNames) {
    for (const wchar_t* good : {L"pkg_1_09.exe", L"Setup.EXE", L"a.exe", L"fw-2.10.exe"})
        EXPECT_TRUE(IsSafeDownloadName(good)) << good;
    for (const wchar_t* bad :
         {L"",          L".exe",        L"Setup (2).exe",  L"set up.exe",    L"setup",
          L"setup.bat", L"setup.cmd",   L"setup.exe.bat",  L"setup.ex",      L"SETUP~1.EXE",
          L"con.exe",   L"COM1.exe",    L"COM\u00b9.exe",  L"LPT\u00b3.exe", L"..exe",
          L"a..exe",    L".hidden.exe", L"p\u00e4ket.exe", L"a%20b.exe",     L"a+b.exe",
          L"a;b.exe",   L"a&b.exe",     L"x.exe?y=1",      L"a/b.exe"})
        EXPECT_FALSE(IsSafeDownloadName(bad)) << bad;
    // Folder, backslash, name and ".part" within 259 characters.
    const std::wstring folder = L"C:\\Q";
    EXPECT_TRUE(FitsDownloadPath(folder, std::wstring(259 - 4 - 1 - 5 - 4, L'a') + L".exe"));
    EXPECT_FALSE(FitsDownloadPath(folder, std::wstring(259 - 4 - 1 - 5 - 3, L'a') + L".exe"));
}

TEST(SafeNames, WebAddresses) {
    for (const wchar_t* good : {L"http://h/p.htm", L"HTTPS://h.example/a?b=c&d=%20", L"http://h"})
        EXPECT_TRUE(IsSafeWebAddress(good)) << good;
    for (const wchar_t* bad :
         {L"", L"http://", L"https:///x", L"file:///c:/x.exe", L"C:\\Windows\\calc.exe",
          L"ftp://h/x", L"http://h/a b", L"http://h/\"x\" --kiosk", L"http://h/a\tb",
          L"http://h/a\nb", L"http://h/\u00a0", L" http://h/", L"javascript:alert(1)"})
        EXPECT_FALSE(IsSafeWebAddress(bad)) << bad;
}

TEST_F(Download, FirmwarePackageIsRecorded) {
    world.internet.Serve(online.firmwarePackageUrl, std::string(200000, 'p'));
    ASSERT_EQ(online.DownloadFirmwarePackage(), 1);
    EXPECT_EQ(world.disk.Content(InPackages(L"pkg_1_09.exe")).size(), 200000u);
    EXPECT_FALSE(world.disk.HasFile(InPackages(L"pkg_1_09.exe.part")));
    EXPECT_EQ(world.disk.privateFolders, std::set<std::wstring>{PACKAGES});
    EXPECT_EQ(online.packagePath, InPackages(L"pkg_1_09.exe"));
    EXPECT_EQ(online.downloadedVersion.packed, 0x0109);
    EXPECT_EQ(online.firmwareUpdateAvailable, 0);
    EXPECT_EQ(online.downloadedFirmwareReady, 1);
    EXPECT_EQ(world.Value(VALUE_PACKAGE_EXISTS), L"1");
    EXPECT_EQ(world.Value(VALUE_PACKAGE_NAME), L"pkg_1_09.exe");
    EXPECT_EQ(world.Value(VALUE_PACKAGE_MINOR), L"9");
    EXPECT_EQ(world.internet.discarded, std::vector<std::wstring>{online.firmwarePackageUrl});
    // The start, then one notification per piece that arrived, rising to 100.
    ASSERT_GE(g_percentages.size(), 4u);
    EXPECT_EQ(g_percentages.front(), 0);
    EXPECT_EQ(g_percentages.back(), 100);
    EXPECT_TRUE(std::is_sorted(g_percentages.begin(), g_percentages.end()));
    // Nothing more to download until a new check.
    EXPECT_EQ(online.DownloadFirmwarePackage(), 0);
}

// The window waits for each notification: a large package arriving in a thousand pieces gives
// one per percent, rising, ending at 100; a piece that changes no percentage gives none.
TEST_F(Download, ProgressIsReportedOncePerPercent) {
    world.internet.Serve(online.firmwarePackageUrl, std::string(64u << 20, 'p'));
    ASSERT_EQ(online.DownloadFirmwarePackage(), 1);
    ASSERT_EQ(g_percentages.size(), 101u);
    for (int32_t percent = 0; percent <= 100; ++percent)
        EXPECT_EQ(g_percentages[static_cast<size_t>(percent)], percent);
}

// The file arrived but its record could not be stored: no success, the offer stays, and the
// in-memory record describes the file for the caller.
TEST_F(Download, RecordThatCannotBeStoredAfterAGoodTransfer) {
    world.internet.Serve(online.firmwarePackageUrl, "package");
    CStubbornStore store;
    store.values = world.machine.values;
    store.readOnly = {VALUE_PACKAGE_MID};
    world.platform.settings = &store;
    EXPECT_EQ(online.DownloadFirmwarePackage(), 0);
    EXPECT_EQ(world.disk.Content(InPackages(L"pkg_1_09.exe")), "package");
    EXPECT_EQ(online.firmwareUpdateAvailable, 1);
    EXPECT_EQ(online.downloadedFirmwareReady, 0);
    EXPECT_EQ(online.packageRecorded, 1);
    EXPECT_EQ(online.packagePath, InPackages(L"pkg_1_09.exe"));
    EXPECT_EQ(online.downloadedVersion.packed, 0x0109);
    EXPECT_EQ((store.values[{PULO5_KEY, VALUE_PACKAGE_NAME}]), L"pkg_1_09.exe");
    EXPECT_EQ((store.values[{PULO5_KEY, VALUE_PACKAGE_MINOR}]), L"0") << "stopped at the failure";
}

// A transfer goes to a ".part" file that takes its name only when it is complete: a failed
// one leaves the earlier package and its record as they were.
TEST_F(Download, FailedTransfersLeaveTheOfferAndTheOldPackage) {
    const std::wstring old = InPackages(L"pkg_1_09.exe");
    world.disk.AddFile(old, "old package");
    online.packageRecorded = 1;
    online.packagePath = old;
    online.downloadedVersion = MakeFirmwareVersion(0, 1, 7);
    online.SaveFirmwarePackageRecord();
    CFakeInternet::Resource dropped{200, std::string(100000, 'p')};
    dropped.dropAfter = 70000;
    CFakeInternet::Resource shorter{200, std::string(100000, 'p'), 200000};
    const CFakeInternet::Resource answers[] = {dropped, shorter, {404, "<html>404</html>"}};
    for (const CFakeInternet::Resource& answer : answers) {
        world.internet.resources[online.firmwarePackageUrl] = answer;
        EXPECT_EQ(online.DownloadFirmwarePackage(), 0) << answer.status;
        EXPECT_EQ(world.disk.Content(old), "old package");
        EXPECT_FALSE(world.disk.HasFile(old + L".part"));
        EXPECT_EQ(online.packageRecorded, 1);
        EXPECT_EQ(world.Value(VALUE_PACKAGE_EXISTS), L"1");
        EXPECT_EQ(world.Value(VALUE_PACKAGE_MINOR), L"7");
        EXPECT_EQ(online.firmwareUpdateAvailable, 1);
    }
    // Without a total only the start is reported; the complete file replaces the old one.
    g_percentages.clear();
    CFakeInternet::Resource unsized{200, std::string(100000, 'p'), -1};
    world.internet.resources[online.firmwarePackageUrl] = unsized;
    EXPECT_EQ(online.DownloadFirmwarePackage(), 1);
    EXPECT_EQ(g_percentages, std::vector<int32_t>{0});
    EXPECT_EQ(world.disk.Content(old).size(), 100000u);
    EXPECT_EQ(world.Value(VALUE_PACKAGE_MINOR), L"9");
}

TEST_F(Download, AnEarlierPackageOfAnotherNameGoesOnceTheNewOneIsComplete) {
    const std::wstring old = InPackages(L"old.exe");
    world.disk.AddFile(old, "MZ");
    world.disk.AddFile(old + L".sig", "c2ln");
    online.packageRecorded = 1;
    online.packagePath = old;
    world.internet.Serve(online.firmwarePackageUrl, "new package");
    ASSERT_EQ(online.DownloadFirmwarePackage(), 1);
    EXPECT_FALSE(world.disk.HasFile(old));
    EXPECT_FALSE(world.disk.HasFile(old + L".sig"));
    EXPECT_EQ(world.disk.Content(InPackages(L"pkg_1_09.exe")), "new package");
    // No key: the descriptor's (empty) signature is kept all the same.
    EXPECT_EQ(world.disk.Content(InPackages(L"pkg_1_09.exe.sig")), "");
}

TEST_F(Download, UnsafeFileNamesAreRefusedBeforeAnythingHappens) {
    const std::wstring old = InPackages(L"old.exe");
    world.disk.AddFile(old, "MZ");
    online.packageRecorded = 1;
    online.packagePath = old;
    for (const wchar_t* address :
         {L"http://h/..", L"http://h/", L"http://h/x/CON", L"http://h/a\\..\\..\\evil.exe",
          L"http://h/c:evil.exe", L"http://h/p.exe?x=1", L"http://h/\x01.exe", L"http://h/run.bat",
          L"http://h/setup", L"http://h/SETUP~1.EXE", L"http://h/COM\u00b2.exe",
          L"http://h/a b.exe"}) {
        online.firmwarePackageUrl = address;
        online.toolInstallerUrl = address;
        world.internet.Serve(address, "MZ");
        EXPECT_EQ(online.DownloadFirmwarePackage(), 0) << address;
        EXPECT_EQ(online.DownloadToolInstaller(), 0) << address;
    }
    EXPECT_TRUE(world.disk.HasFile(old));
    EXPECT_EQ(online.packageRecorded, 1);
    EXPECT_TRUE(world.internet.opened.empty());
    EXPECT_TRUE(g_percentages.empty());
}

TEST_F(Download, GatesLongPathsAndAFolderThatCannotBeMade) {
    online.firmwareUpdateAvailable = 0;
    online.toolInstallerUrl.clear();
    EXPECT_EQ(online.DownloadFirmwarePackage(), 0);
    EXPECT_EQ(online.DownloadToolInstaller(), 0);
    online.firmwareUpdateAvailable = 1;
    online.toolInstallerUrl = L"http://h/qm/Setup.exe";
    // The folder is a junction: nothing is downloaded into it.
    world.disk.AddFolder(PACKAGES);
    world.disk.links.insert(PACKAGES);
    world.internet.Serve(online.firmwarePackageUrl, "MZ");
    world.internet.Serve(online.toolInstallerUrl, "MZ");
    EXPECT_EQ(online.DownloadFirmwarePackage(), 0);
    EXPECT_EQ(online.DownloadToolInstaller(), 0);
    world.disk.links.clear();
    online.firmwarePackageUrl = L"http://h/" + std::wstring(250, L'a') + L".exe";
    EXPECT_EQ(online.DownloadFirmwarePackage(), 0);
    EXPECT_TRUE(world.internet.opened.empty());
}

TEST_F(Download, ToolInstallerReplacesAnOlderFileOnlyWhenComplete) {
    const std::wstring target = InPackages(L"Setup.exe");
    world.disk.AddFile(target, "old installer");
    world.internet.Serve(online.toolInstallerUrl, "", 500);
    EXPECT_EQ(online.DownloadToolInstaller(), 0);
    EXPECT_EQ(world.disk.Content(target), "old installer");
    EXPECT_EQ(online.toolUpdateAvailable, 1);
    world.internet.Serve(online.toolInstallerUrl, "new installer");
    ASSERT_EQ(online.DownloadToolInstaller(), 1);
    EXPECT_EQ(world.disk.Content(target), "new installer");
    EXPECT_EQ(online.toolInstallerPath, target);
    EXPECT_EQ(online.toolUpdateAvailable, 0);
}

// A build with a key: only a file whose signature covers its bytes and the offered version is
// kept; anything else is removed and the offer stays.
class SignedDownload : public Download {
  protected:
    void SetUp() override {
        Download::SetUp();
        world.signatures.hasKey = true;
    }
    static std::string Signed(UpdateKind kind, int32_t mid, int32_t minor,
                              const std::string& file) {
        return CFakeSignatures::Base64SignatureOf(SignedMessage({kind, 0, mid, minor, ""}, file));
    }
};

TEST_F(SignedDownload, OnlyTheSignedFileForTheOfferedVersionIsKept) {
    const std::string package = "MZ signed package";
    world.internet.Serve(online.firmwarePackageUrl, package);
    const std::string good = Signed(UpdateKind::FIRMWARE, 1, 9, package);
    std::string notBase64 = good;
    notBase64[0] = '!';
    const std::string refused[] = {
        "",                                             // unsigned
        Signed(UpdateKind::FIRMWARE, 1, 8, package),    // an older version
        Signed(UpdateKind::TOOL, 1, 9, package),        // another kind
        Signed(UpdateKind::FIRMWARE, 1, 9, "MZ other"), // another file
        good.substr(0, good.size() - 4),                // cut
        notBase64,
    };
    for (const std::string& signature : refused) {
        online.firmwareSignature = signature;
        EXPECT_EQ(online.DownloadFirmwarePackage(), 0) << signature;
        EXPECT_TRUE(world.disk.Tree(PACKAGES).empty()) << signature;
        EXPECT_EQ(online.packageRecorded, 0);
        EXPECT_EQ(world.Value(VALUE_PACKAGE_EXISTS), L"0");
        EXPECT_EQ(online.firmwareUpdateAvailable, 1);
    }
    online.firmwareSignature = good;
    ASSERT_EQ(online.DownloadFirmwarePackage(), 1);
    EXPECT_EQ(world.disk.Content(InPackages(L"pkg_1_09.exe")), package);
    EXPECT_EQ(world.disk.Content(InPackages(L"pkg_1_09.exe.sig")), good);
    EXPECT_EQ(world.Value(VALUE_PACKAGE_EXISTS), L"1");
}

TEST_F(SignedDownload, ToolInstallerKeepsItsClaimForTheRun) {
    online.onlineToolVersion = MakeToolVersion(0, 9, 1, 0);
    world.internet.Serve(online.toolInstallerUrl, "MZ installer");
    online.toolSignature = Signed(UpdateKind::FIRMWARE, 9, 1, "MZ installer");
    EXPECT_EQ(online.DownloadToolInstaller(), 0) << "a firmware signature";
    EXPECT_FALSE(world.disk.HasFile(InPackages(L"Setup.exe")));
    online.toolSignature = Signed(UpdateKind::TOOL, 9, 1, "MZ installer");
    ASSERT_EQ(online.DownloadToolInstaller(), 1);
    EXPECT_EQ(online.toolInstallerClaim.signature, online.toolSignature);
    EXPECT_EQ(online.toolInstallerClaim.mid, 9);
    EXPECT_EQ(online.toolInstallerClaim.minor, 1);
    EXPECT_EQ(online.RunToolInstaller(), 1);
    EXPECT_EQ(world.processes.checkedBytes, std::vector<std::string>{"MZ installer"});
}
} // namespace