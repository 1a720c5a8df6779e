#include "app/quillmate_app.h"
#include "engine/product_keys.h"
#include "platform/platform.h"
#include "tests/support/builtin_message_source.h"
#include "tests/support/fake_app.h"
#include "tests/support/fakes.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {
const VersionRecord WIN2000{2, 5, 0};
const VersionRecord WIN7{2, 6, 1};
const VersionRecord WIN8{2, 6, 2};
const std::wstring COMMAND_LINE = L"\"C:\\Prog\\Q\\app.exe\" -silent";

struct AppWorld {
    AppWorld() {
        platform.settings = &settings;
        platform.system = &system;
        platform.files = &files;
        platform.messages = &messages;
    }
    // Runs start-up and ends the application object, as the process does.
    void Run(const std::wstring& arguments = L"", const std::wstring& commandLine = COMMAND_LINE) {
        CQuillmateApp app(platform, host, runningCopy, autoPlay);
        EXPECT_FALSE(app.InitInstance(commandLine, arguments));
        language = app.m_wLanguage;
        rightToLeft = app.m_bRightToLeft;
    }

    Journal journal;
    CFakeSettingsStore settings;
    CFakeSystemInfo system;
    CFakeFileSystem files;
    CBuiltInMessageSource messages;
    CFakeAppHost host{journal};
    CFakeRunningCopy runningCopy{journal};
    CFakeAutoPlaySystem autoPlay;
    Platform platform;
    uint16_t language = 0;
    int32_t rightToLeft = -1;
};

struct GateCase {
    VersionRecord version;
    bool admin;
    uint16_t refusal; // 0 = the program runs
    int adminQueries;
};

TEST(Startup, SystemGateRefusesBeforeAnyOtherCopyIsTouched) {
    const GateCase cases[] = {
        {{2, 4, 0}, true, 190, 0}, {{1, 4, 90}, true, 190, 0}, {{1, 4, 10}, true, 190, 0},
        {{2, 6, 3}, true, 190, 0}, {{2, 10, 0}, true, 190, 0}, {{3, 6, 1}, true, 190, 0},
        {WIN2000, false, 189, 1},  {{2, 5, 1}, false, 189, 1}, {WIN7, false, 189, 1},
        {WIN7, true, 0, 1},        {WIN8, false, 0, 0},
    };
    for (const GateCase& c : cases) {
        AppWorld world;
        world.system.version = c.version;
        world.system.admin = c.admin;
        world.Run();
        SCOPED_TRACE(testing::Message()
                     << c.version.platformId << " " << c.version.major << "." << c.version.minor);
        EXPECT_EQ(world.system.adminQueries, c.adminQueries);
        if (c.refusal) {
            EXPECT_EQ(world.journal,
                      (Journal{"controls", "colours", "warning " + std::to_string(c.refusal)}));
        } else {
            EXPECT_TRUE(world.host.warnings.empty());
            EXPECT_EQ(world.host.window.silent, 0);
        }
    }
}

TEST(Startup, FailedVersionQueryIsAnUnsupportedSystem) {
    AppWorld world;
    world.system.versionAvailable = false;
    world.Run();
    EXPECT_EQ(world.host.warnings, std::vector<uint16_t>{190});
}

TEST(Startup, OnlyCopyOnWindows2000RunsWatcherComAndWindowInOrder) {
    AppWorld world;
    world.system.version = WIN2000;
    world.Run(L"-silent");
    EXPECT_EQ(world.journal, (Journal{"controls", "colours", "broadcast", "mutex", "watcher start",
                                      "com init", "window create", "window run", "com release",
                                      "drain", "window destroy", "watcher stop"}));
    EXPECT_EQ(world.host.stopWait, 10000u);
    EXPECT_EQ(world.runningCopy.mutexName, L"Norvane Tembly ZQ4MKT Quillmate is running now");
    EXPECT_EQ(world.host.window.winMe, 0);
    EXPECT_EQ(world.host.window.silent, 1);
}

TEST(Startup, WatcherOnlyOnWindows2000AndStoppedOnlyWhenStarted) {
    for (const VersionRecord& version : {WIN7, WIN8, VersionRecord{2, 5, 1}}) {
        AppWorld world;
        world.system.version = version;
        world.Run();
        EXPECT_EQ(std::count(world.journal.begin(), world.journal.end(), "watcher start"), 0);
        EXPECT_EQ(std::count(world.journal.begin(), world.journal.end(), "watcher stop"), 0);
    }
    AppWorld refused;
    refused.system.version = WIN2000;
    refused.host.watcherStarts = false;
    refused.Run();
    EXPECT_EQ(refused.journal.back(), "window destroy");
}

struct InstanceCase {
    MutexCreation mutex;
    bool windowExists;
    Journal tail; // after the broadcast
};

TEST(Startup, SingleInstanceResults) {
    const InstanceCase cases[] = {
        {{true, true}, true, {"mutex", "bring forward"}},
        {{true, true}, false, {"mutex", "no window", "warning 146"}},
        {{false, false}, true, {"mutex", "warning 146"}},
        {{false, true}, true, {"mutex", "warning 146"}},
    };
    for (const InstanceCase& c : cases) {
        AppWorld world;
        world.runningCopy.mutex = c.mutex;
        world.runningCopy.windowExists = c.windowExists;
        world.Run();
        Journal expected{"controls", "colours", "broadcast"};
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(world.journal, expected);
    }
}

TEST(Startup, RunningCopyIsFoundByTheTitleInTheChosenLanguage) {
    AppWorld world;
    world.settings.Set(PULO5_KEY, VALUE_LANGUAGE, L"1031");
    world.runningCopy.mutex = {true, true};
    world.Run();
    EXPECT_EQ(world.runningCopy.searchedTitle, L"Norvane Quillmate Tembly ZQ4MKT");
    EXPECT_EQ(world.host.warningLanguage, 1031);
}

TEST(Startup, ArabicUserLanguageMirrorsMessagesAndTheWindow) {
    AppWorld arabic;
    arabic.system.userLanguage = 0x0401;
    arabic.Run();
    EXPECT_EQ(arabic.language, 1025);
    EXPECT_EQ(arabic.rightToLeft, 1);
    EXPECT_EQ(arabic.host.window.rightToLeft, 1);
    EXPECT_EQ(arabic.host.window.language, 1025);

    AppWorld refused;
    refused.system.userLanguage = 0x0401;
    refused.system.version = {2, 4, 0};
    refused.Run();
    EXPECT_EQ(refused.host.warningLanguage, 1025);
    EXPECT_EQ(refused.host.warningRightToLeft, 1);

    AppWorld german;
    german.system.userLanguage = 0x0407;
    german.Run();
    EXPECT_EQ(german.rightToLeft, 0);
}

TEST(Startup, ColoursAndWorkingFolderAreSetBeforeTheGate) {
    AppWorld world;
    world.system.version = {2, 4, 0};
    world.Run();
    EXPECT_EQ(world.host.textColour, 0u);
    EXPECT_EQ(world.host.backgroundColour, 0xF2F2F2u);
    EXPECT_EQ(world.files.folderChanges,
              std::vector<std::wstring>{L"C:\\Prog\\Q\\Firmware\\PULO5"});
}

TEST(Startup, SilentIsACaseSensitiveSubstringOfTheArguments) {
    const std::pair<const wchar_t*, int32_t> cases[] = {
        {L"-silent", 1}, {L"/a -silently", 1}, {L"x-silent", 1},
        {L"-Silent", 0}, {L"silent", 0},       {L"", 0},
    };
    for (const auto& [arguments, silent] : cases) {
        AppWorld world;
        world.Run(arguments);
        EXPECT_EQ(world.host.window.silent, silent) << testing::PrintToString(arguments);
    }
}

TEST(Startup, MainWindowSwitchesAutoplayThroughTheApplication) {
    AppWorld world;
    CQuillmateApp app(world.platform, world.host, world.runningCopy, world.autoPlay);
    app.InitInstance(COMMAND_LINE, L"");
    ASSERT_EQ(world.host.windowApp, &app);
    world.host.windowApp->StartAutoPlayReject();
    EXPECT_EQ(world.autoPlay.registered.size(), 1u);
    world.host.windowApp->StopAutoPlayReject();
    EXPECT_TRUE(world.autoPlay.registered.empty());
}

TEST(AutoPlaySwitch, OnWindows2000To7Only) {
    const std::pair<VersionRecord, size_t> cases[] = {
        {WIN2000, 1}, {{2, 5, 1}, 1}, {{2, 6, 0}, 1}, {WIN7, 1}, {WIN8, 0}, {{2, 4, 0}, 0},
    };
    for (const auto& [version, registrations] : cases) {
        AppWorld world;
        world.system.version = version;
        CQuillmateApp app(world.platform, world.host, world.runningCopy, world.autoPlay);
        app.StartAutoPlayReject();
        EXPECT_EQ(world.autoPlay.registered.size(), registrations) << version.minor;
    }
}

TEST(AutoPlaySwitch, EndOfTheApplicationSwitchesItOff) {
    AppWorld world;
    {
        CQuillmateApp app(world.platform, world.host, world.runningCopy, world.autoPlay);
        app.StartAutoPlayReject();
        EXPECT_EQ(world.autoPlay.userValue, 1u);
    }
    EXPECT_TRUE(world.autoPlay.registered.empty());
    EXPECT_EQ(world.autoPlay.userValue, 0u);
}
} // namespace
