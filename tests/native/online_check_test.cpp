#include "engine/product_keys.h"
#include "online/online_system.h"
#include "tests/support/fake_online.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <string>

namespace {
const wchar_t* const PRIMARY = L"http://primary/fw.txt";
const wchar_t* const SECONDARY = L"http://secondary/fw.txt";
const wchar_t* const TEMPORARY = L"C:\\Quillmate\\urlTemp.tmp";

std::string Descriptor(int minor) {
    return "version=V1." + std::to_string(minor) + "\r\nurl=http://h/pkg" + std::to_string(minor) +
           ".exe\r\ninfo=http://h/news.htm\r\n";
}

class OnlineCheck : public testing::Test {
  protected:
    COnlineWorld world{PULO5_KEY};
    COnlineSystem online{world.platform};

    void SetUp() override {
        online.keyPath = PULO5_KEY;
        online.runPath = COnlineWorld::RUN_PATH;
        online.firmwareLink = PRIMARY;
        online.firmwareLinkSecondary = SECONDARY;
        online.toolLink = L"http://primary/qm.txt";
        online.toolLinkSecondary = L"http://secondary/qm.txt";
    }
    // A minor version served at the address; -1 serves a missing file.
    void Serve(const wchar_t* address, int minor) {
        if (minor < 0)
            world.internet.Serve(address, "<html>Not Found</html>", 404);
        else
            world.internet.Serve(address, Descriptor(minor));
    }
    bool Asked(const wchar_t* address) const {
        const auto& opened = world.internet.opened;
        return std::find(opened.begin(), opened.end(), address) != opened.end();
    }
};

struct Row {
    const char* name;
    int recorded, carried, downloaded, primary, secondary, readyBefore;
    int available, ready;
    bool secondaryAsked;
};

// Versions are minor numbers of 1.x; -1 = the descriptor cannot be fetched.
const Row ROWS[] = {
    {"R0 primary newer", 0, 5, 0, 7, -1, 1, 1, 1, false},
    {"R0 primary newer, U stays 0", 0, 5, 0, 7, -1, 0, 1, 0, false},
    {"R0 primary same, secondary newer", 0, 5, 0, 5, 8, 1, 1, 1, true},
    {"R0 primary same, secondary same", 0, 5, 0, 5, 5, 0, 0, 0, true},
    {"R0 primary older, secondary fails", 0, 5, 0, 3, -1, 1, 0, 1, true},
    {"R1 primary newer than D and P", 1, 5, 6, 7, -1, 1, 1, 0, false},
    {"R1 primary newer than D only", 1, 8, 6, 7, -1, 1, 0, 0, false},
    {"R1 primary not newer, D not newer than P", 1, 6, 6, 6, 9, 1, 0, 0, false},
    {"R1 D newer than P, secondary newer than both", 1, 5, 7, 7, 9, 0, 1, 0, true},
    {"R1 D newer than P, secondary not newer", 1, 5, 7, 6, 7, 0, 0, 1, true},
    {"R1 D newer than P, secondary fails", 1, 5, 7, 7, -1, 0, 0, 1, true},
    {"primary fails, R0, secondary newer", 0, 5, 0, -1, 7, 1, 1, 0, true},
    {"primary fails, R0, secondary same", 0, 5, 0, -1, 5, 1, 0, 0, true},
    {"primary fails, R1, secondary newer than D and P", 1, 5, 6, -1, 7, 1, 1, 0, true},
    {"primary fails, R1, secondary newer than D only", 1, 9, 6, -1, 7, 1, 0, 0, true},
    {"primary fails, R1, secondary not newer, D newer than P", 1, 5, 7, -1, 6, 0, 0, 1, true},
    {"primary fails, R1, secondary not newer, D not newer", 1, 8, 7, -1, 6, 1, 0, 0, true},
    {"both fail, R1, D newer than P", 1, 5, 7, -1, -1, 0, 0, 1, true},
    {"both fail, R1, D not newer than P", 1, 8, 7, -1, -1, 1, 0, 0, true},
    {"both fail, R0", 0, 5, 7, -1, -1, 1, 0, 0, true},
};

TEST_F(OnlineCheck, FirmwareTables) {
    for (const Row& row : ROWS) {
        world.internet.resources.clear();
        world.internet.opened.clear();
        Serve(PRIMARY, row.primary);
        Serve(SECONDARY, row.secondary);
        online.packageRecorded = row.recorded;
        online.packageVersion = MakeFirmwareVersion(0, 1, row.carried);
        online.downloadedVersion = MakeFirmwareVersion(0, 1, row.downloaded);
        online.downloadedFirmwareReady = row.readyBefore;
        online.firmwareUpdateAvailable = !row.available;
        EXPECT_EQ(online.CheckFirmwareOnline(), 1) << row.name;
        EXPECT_EQ(online.firmwareUpdateAvailable, row.available) << row.name;
        EXPECT_EQ(online.downloadedFirmwareReady, row.ready) << row.name;
        EXPECT_EQ(Asked(SECONDARY), row.secondaryAsked) << row.name;
    }
}

TEST_F(OnlineCheck, NoConnectionAsksTwiceAndFetchesNothing) {
    world.internet.connected = false;
    Serve(PRIMARY, 9);
    online.packageRecorded = 1;
    online.packageVersion = MakeFirmwareVersion(0, 1, 5);
    online.downloadedVersion = MakeFirmwareVersion(0, 1, 6);
    online.firmwareUpdateAvailable = 1;
    EXPECT_EQ(online.CheckFirmwareOnline(), 1);
    EXPECT_EQ(online.firmwareUpdateAvailable, 0);
    EXPECT_EQ(online.downloadedFirmwareReady, 1);
    EXPECT_EQ(world.internet.connectedQueries, 2);
    EXPECT_TRUE(world.internet.opened.empty());

    // A connection that comes back for the second question reaches the secondary link.
    world.internet.connectedAnswers = {false, true};
    Serve(SECONDARY, 9);
    online.packageRecorded = 0;
    online.CheckFirmwareOnline();
    EXPECT_EQ(online.firmwareUpdateAvailable, 1);
    EXPECT_EQ(world.internet.opened, std::vector<std::wstring>{SECONDARY});
}

TEST_F(OnlineCheck, FetchFillsTheResultsAndRemovesTheTemporaryFile) {
    Serve(PRIMARY, 7);
    ASSERT_EQ(online.FetchFirmwareDescriptor(PRIMARY), 1);
    EXPECT_EQ(online.onlineFirmwareVersion.packed, 0x0107);
    EXPECT_EQ(online.onlineFirmwareVersion.major, 0);
    EXPECT_EQ(online.firmwarePackageUrl, L"http://h/pkg7.exe");
    EXPECT_EQ(online.GetFirmwareInfoUrl(), L"http://h/news.htm");
    EXPECT_EQ(world.internet.discarded, std::vector<std::wstring>{PRIMARY});
    EXPECT_FALSE(world.disk.HasFile(TEMPORARY));

    // A failed fetch clears version, address and page.
    world.internet.Serve(PRIMARY, "version=1.08\r\nurl=http://h/p.exe\r\nERROR: gone");
    EXPECT_EQ(online.FetchFirmwareDescriptor(PRIMARY), 0);
    EXPECT_EQ(online.onlineFirmwareVersion.packed, 0);
    EXPECT_EQ(online.onlineFirmwareVersion.mid, 0);
    EXPECT_EQ(online.firmwarePackageUrl, L"");
    EXPECT_EQ(online.firmwareInfoUrl, L"");
    EXPECT_FALSE(world.disk.HasFile(TEMPORARY));
}

TEST_F(OnlineCheck, OnlyAWholeSuccessfulAnswerCountsAsADescriptor) {
    CFakeInternet::Resource resource{200, Descriptor(7)};
    const struct {
        const char* name;
        int status;
        int64_t length;
        size_t drop;
    } failures[] = {{"404", 404, -2, std::string::npos},
                    {"500", 500, -2, std::string::npos},
                    {"redirect", 302, -2, std::string::npos},
                    {"dropped", 200, -2, 10},
                    {"shorter than announced", 200, 1000, std::string::npos}};
    for (const auto& failure : failures) {
        resource.status = failure.status;
        resource.contentLength = failure.length;
        resource.dropAfter = failure.drop;
        world.internet.resources[PRIMARY] = resource;
        EXPECT_EQ(online.FetchFirmwareDescriptor(PRIMARY), 0) << failure.name;
    }
    resource = {200, Descriptor(7), -1};
    world.internet.resources[PRIMARY] = resource;
    EXPECT_EQ(online.FetchFirmwareDescriptor(PRIMARY), 1) << "without a length";
    world.internet.Serve(PRIMARY, std::string(17 << 20, ' ') + Descriptor(7));
    EXPECT_EQ(online.FetchFirmwareDescriptor(PRIMARY), 0) << "too long";
    world.internet.sessionAvailable = false;
    Serve(PRIMARY, 7);
    EXPECT_EQ(online.FetchFirmwareDescriptor(PRIMARY), 0) << "no session";
}

TEST_F(OnlineCheck, ToolCheck) {
    online.toolVersion = MakeToolVersion(1, 2, 3, 4);
    const auto tool = [](const char* version) {
        return std::string("version=") + version + "\r\nurl=http://h/Setup.exe\r\n";
    };
    world.internet.Serve(L"http://primary/qm.txt", tool("V2.04"));
    EXPECT_EQ(online.CheckToolOnline(), 1);
    EXPECT_EQ(online.IsToolUpdateAvailable(), 1);
    EXPECT_EQ(online.onlineToolVersion.packed, 0x0204);
    EXPECT_EQ(online.toolInstallerUrl, L"http://h/Setup.exe");
    EXPECT_FALSE(Asked(L"http://secondary/qm.txt"));

    // Not newer on the primary: the secondary decides.
    world.internet.Serve(L"http://primary/qm.txt", tool("2.03"));
    world.internet.Serve(L"http://secondary/qm.txt", tool("2.02"));
    online.CheckToolOnline();
    EXPECT_EQ(online.toolUpdateAvailable, 0);
    world.internet.Serve(L"http://secondary/qm.txt", tool("3.00"));
    online.CheckToolOnline();
    EXPECT_EQ(online.toolUpdateAvailable, 1);

    // Primary fails and the connection is gone at the second question.
    world.internet.Serve(L"http://primary/qm.txt", "", 404);
    world.internet.connectedAnswers = {true, false};
    online.CheckToolOnline();
    EXPECT_EQ(online.toolUpdateAvailable, 0);
    // Primary fails, secondary answers newer.
    online.CheckToolOnline();
    EXPECT_EQ(online.toolUpdateAvailable, 1);
}

TEST_F(OnlineCheck, ProbeArgumentsAndAttempts) {
    EXPECT_EQ(online.ProbeUpdateServer(0, 0), 0);
    EXPECT_EQ(online.ProbeUpdateServer(-1, 2), 0);
    EXPECT_EQ(world.internet.sessions, 0);
    EXPECT_EQ(online.firmwareLink, PRIMARY) << "settings were loaded";

    world.Set(VALUE_FW_LINK, L"http://moved/fw.txt");
    EXPECT_EQ(online.ProbeUpdateServer(250, 3), 0);
    EXPECT_EQ(online.firmwareLink, L"http://moved/fw.txt");
    EXPECT_EQ(world.internet.opened.size(), 6u);
    EXPECT_EQ(world.clock.durations, (std::vector<uint32_t>{250, 250, 250}));

    // One attempt with a negative interval must not turn into an endless pause.
    world.clock.durations.clear();
    EXPECT_EQ(online.ProbeUpdateServer(-1, 1), 0);
    EXPECT_EQ(world.clock.durations, std::vector<uint32_t>{0});

    Serve(SECONDARY, -1); // any answer, even an error page, means the server is there
    world.internet.opened.clear();
    EXPECT_EQ(online.ProbeUpdateServer(0, 3), 1);
    EXPECT_EQ(world.internet.opened,
              (std::vector<std::wstring>{L"http://moved/fw.txt", SECONDARY}));

    world.internet.sessionAvailable = false;
    world.internet.opened.clear();
    EXPECT_EQ(online.ProbeUpdateServer(0, 3), 0);
    EXPECT_TRUE(world.internet.opened.empty());
}
} // namespace
