#include "engine/product_keys.h"
#include "online/download_callback.h"
#include "online/online_system.h"
#include "online/safe_names.h"
#include "tests/support/fake_online.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
std::vector<int32_t> g_percentages;
void Record(int32_t percent) {
    g_percentages.push_back(percent);
}

const wchar_t* const APP_DATA = COnlineWorld::APP_DATA;

class Download : public testing::Test {
  protected:
    COnlineWorld world{PULO5_KEY};
    COnlineSystem online{world.platform};
    CDownloadCallback sink{Record};

    void SetUp() override {
        g_percentages.clear();
        online.keyPath = PULO5_KEY;
        online.progressSink = &sink;
        online.firmwareUpdateAvailable = 1;
        online.firmwarePackageUrl = L"http://h/fw/pkg_1_09.exe";
        online.onlineFirmwareVersion = MakeFirmwareVersion(0, 1, 9);
        online.toolUpdateAvailable = 1;
        online.toolInstallerUrl = L"http://h/qm/Setup.exe";
    }
    static std::wstring InAppData(const wchar_t* name) {
        return std::wstring(APP_DATA) + L"\\" + name;
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
    EXPECT_EQ(world.disk.Content(InAppData(L"pkg_1_09.exe")).size(), 200000u);
    EXPECT_EQ(online.packagePath, InAppData(L"pkg_1_09.exe"));
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

// The file arrived but its record could not be stored: no success, the offer stays, and the
// in-memory record describes the file for the caller.
TEST_F(Download, RecordThatCannotBeStoredAfterAGoodTransfer) {
    world.internet.Serve(online.firmwarePackageUrl, "package");
    CStubbornStore store;
    store.values = world.machine.values;
    store.readOnly = {VALUE_PACKAGE_MID};
    world.platform.settings = &store;
    EXPECT_EQ(online.DownloadFirmwarePackage(), 0);
    EXPECT_EQ(world.disk.Content(InAppData(L"pkg_1_09.exe")), "package");
    EXPECT_EQ(online.firmwareUpdateAvailable, 1);
    EXPECT_EQ(online.downloadedFirmwareReady, 0);
    EXPECT_EQ(online.packageRecorded, 1);
    EXPECT_EQ(online.packagePath, InAppData(L"pkg_1_09.exe"));
    EXPECT_EQ(online.downloadedVersion.packed, 0x0109);
    EXPECT_EQ((store.values[{PULO5_KEY, VALUE_PACKAGE_NAME}]), L"pkg_1_09.exe");
    EXPECT_EQ((store.values[{PULO5_KEY, VALUE_PACKAGE_MINOR}]), L"0") << "stopped at the failure";
}

TEST_F(Download, FailedTransfersLeaveTheOfferButNotTheOldPackage) {
    const std::wstring old = InAppData(L"old.exe");
    world.disk.AddFile(old, "MZ");
    online.packageRecorded = 1;
    online.packagePath = old;
    online.downloadedVersion = MakeFirmwareVersion(0, 1, 7);
    CFakeInternet::Resource dropped{200, std::string(100000, 'p')};
    dropped.dropAfter = 70000;
    world.internet.resources[online.firmwarePackageUrl] = dropped;
    EXPECT_EQ(online.DownloadFirmwarePackage(), 0);
    EXPECT_FALSE(world.disk.HasFile(old));
    EXPECT_EQ(online.packageRecorded, 0);
    EXPECT_EQ(world.Value(VALUE_PACKAGE_EXISTS), L"0");
    EXPECT_EQ(online.firmwareUpdateAvailable, 1);
    EXPECT_EQ(online.downloadedFirmwareReady, 0);

    world.internet.Serve(online.firmwarePackageUrl, "<html>404</html>", 404);
    EXPECT_EQ(online.DownloadFirmwarePackage(), 0);
    EXPECT_EQ(online.packageRecorded, 0);
    // Without a total only the start is reported.
    g_percentages.clear();
    CFakeInternet::Resource unsized{200, std::string(100000, 'p'), -1};
    world.internet.resources[online.firmwarePackageUrl] = unsized;
    EXPECT_EQ(online.DownloadFirmwarePackage(), 1);
    EXPECT_EQ(g_percentages, std::vector<int32_t>{0});
}

TEST_F(Download, UnsafeFileNamesAreRefusedBeforeAnythingHappens) {
    const std::wstring old = InAppData(L"old.exe");
    world.disk.AddFile(old, "MZ");
    online.packageRecorded = 1;
    online.packagePath = old;
    for (const wchar_t* address :
         {L"http://h/..", L"http://h/", L"http://h/x/CON", L"http://h/a\\..\\..\\evil.exe",
          L"http://h/c:evil.exe", L"http://h/p.exe?x=1", L"http://h/\x01.exe"}) {
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

TEST_F(Download, GatesAndMissingApplicationDataFolder) {
    online.firmwareUpdateAvailable = 0;
    online.toolInstallerUrl.clear();
    EXPECT_EQ(online.DownloadFirmwarePackage(), 0);
    EXPECT_EQ(online.DownloadToolInstaller(), 0);
    online.firmwareUpdateAvailable = 1;
    online.toolInstallerUrl = L"http://h/qm/Setup.exe";
    world.disk.appDataAvailable = false;
    world.internet.Serve(online.firmwarePackageUrl, "MZ");
    world.internet.Serve(online.toolInstallerUrl, "MZ");
    EXPECT_EQ(online.DownloadFirmwarePackage(), 0);
    EXPECT_EQ(online.DownloadToolInstaller(), 0);
    EXPECT_TRUE(world.internet.opened.empty());
}

TEST_F(Download, ToolInstallerReplacesAnOlderFile) {
    const std::wstring target = InAppData(L"Setup.exe");
    world.disk.AddFile(target, "old installer");
    world.internet.Serve(online.toolInstallerUrl, "", 500);
    EXPECT_EQ(online.DownloadToolInstaller(), 0);
    EXPECT_FALSE(world.disk.HasFile(target)) << "deleted before the transfer";
    EXPECT_EQ(online.toolUpdateAvailable, 1);
    world.internet.Serve(online.toolInstallerUrl, "new installer");
    ASSERT_EQ(online.DownloadToolInstaller(), 1);
    EXPECT_EQ(world.disk.Content(target), "new installer");
    EXPECT_EQ(online.toolInstallerPath, target);
    EXPECT_EQ(online.toolUpdateAvailable, 0);
}
} // namespace
