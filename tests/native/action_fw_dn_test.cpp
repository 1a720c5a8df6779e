#include "engine/action_fw_dn.h"
#include "engine/product_keys.h"
#include "platform/platform.h"
#include "tests/support/fake_engine.h"
#include "tests/support/fakes.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

namespace {
const std::string GUID = "{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
const std::string PULO5_NORMAL = "\\\\?\\usb#vid_0471&pid_2186#0123abcd#" + GUID;
const std::string PULO5_RECOVERY = "\\\\?\\USB#VID_10D6&PID_10D6#LOADER01#" + GUID;
const std::string PULO4_RECOVERY = "\\\\?\\usb#vid_066f&pid_3770#5&2f#" + GUID;

class Binding : public testing::Test {
  protected:
    CFakeSettingsStore settings;
    CFakeFileSystem files;
    CFakeUsbBus bus;
    CFakeUpgradeLibrary library;
    CFakeClock clock;
    CFakeMutexes mutexes;
    CFakeSystemInfo system;
    Platform platform;

    Binding() {
        platform.settings = &settings;
        platform.files = &files;
        platform.usb = &bus;
        platform.upgradeLibrary = &library;
        platform.clock = &clock;
        platform.mutexes = &mutexes;
        platform.system = &system;
        for (const wchar_t* key : {PULO5_KEY, PULO4_KEY}) {
            settings.Set(key, L"QmRunPath", L"C:\\Program Files\\Quillmate");
            settings.Set(key, L"QmFwFolder", L"Firmware\\PULO5");
        }
        library.SetVersionText("1.23");
    }
};

TEST_F(Binding, ModelTableAndConstruction) {
    ActionFwDn pulo5(platform, MODEL_PULO5, nullptr);
    EXPECT_EQ(pulo5.keyPath, PULO5_KEY);
    EXPECT_EQ(pulo5.downloadFolderName, L"TempPULO5");
    EXPECT_STREQ(pulo5.identities[2].vendorId, "10D6");
    EXPECT_EQ(pulo5.recoveryMode, 0);
    EXPECT_EQ(pulo5.deviceKey[0], '\0');
    ASSERT_EQ(library.loads.size(), 1u);
    EXPECT_EQ(library.loads[0], L"C:\\Program Files\\Quillmate\\NorvaneUpgradeDll.dll");
    EXPECT_NE(pulo5.getDeviceInfo, nullptr);
    EXPECT_NE(pulo5.debugPort, nullptr);
    EXPECT_NE(pulo5.getDeviceInfo, pulo5.debugPort);
    ASSERT_EQ(mutexes.names.size(), 1u);
    EXPECT_EQ(mutexes.names[0], L"Tembly ZQ4MKT ActionFWDN Mutex");

    const ActionFwDn pulo4b(platform, MODEL_PULO4_B, nullptr);
    EXPECT_EQ(pulo4b.keyPath, PULO4_KEY);
    EXPECT_EQ(pulo4b.downloadFolderName, L"TempPULO4");
    EXPECT_STREQ(pulo4b.identities[0].productId, "2141");
    EXPECT_STREQ(pulo4b.identities[1].productId, "2142");
    EXPECT_STREQ(pulo4b.identities[2].productId, "3770");

    const ActionFwDn unknown(platform, 3, nullptr);
    EXPECT_TRUE(unknown.keyPath.empty());
    EXPECT_STREQ(unknown.identities[0].vendorId, "");
    EXPECT_EQ(unknown.library, nullptr);
}

TEST_F(Binding, RunPathWithTrailingBackslashAndProgressSink) {
    settings.Set(PULO5_KEY, L"QmRunPath", L"D:\\Q\\");
    auto* sink = reinterpret_cast<CDownloadCallback*>(&clock);
    const ActionFwDn binding(platform, MODEL_PULO5, sink);
    EXPECT_EQ(library.loads.at(0), L"D:\\Q\\NorvaneUpgradeDll.dll");
    EXPECT_EQ(binding.progressSink, sink);
}

TEST_F(Binding, LibraryMissingPartlyOrWholly) {
    library.exports = {"GetDeviceInfo", "DoNormalUpdate"};
    {
        const ActionFwDn binding(platform, MODEL_PULO5, nullptr);
        EXPECT_NE(binding.doNormalUpdate, nullptr);
        EXPECT_EQ(binding.doRecoveryUpdate, nullptr);
        EXPECT_EQ(binding.debugPort, nullptr);
    }
    EXPECT_EQ(library.unloads, 1);
    EXPECT_EQ(mutexes.closes, 1);

    library.loadable = false;
    ActionFwDn unloaded(platform, MODEL_PULO5, nullptr);
    EXPECT_EQ(unloaded.library, nullptr);
    EXPECT_EQ(unloaded.getDeviceInfo, nullptr);
    EXPECT_EQ(unloaded.CallDebugPort(42), 0);
    // Detection still works by the bus alone; no version is read.
    bus.Plug(PULO5_NORMAL);
    EXPECT_EQ(unloaded.FindDevice(), MATCH_NORMAL);
    EXPECT_EQ(unloaded.deviceVersion.packed, 0);
}

TEST_F(Binding, MissingOrEmptyRunPathLeavesTheLibraryUnloaded) {
    settings.values.erase({PULO5_KEY, L"QmRunPath"});
    settings.Set(PULO4_KEY, L"QmRunPath", L"");
    const ActionFwDn missing(platform, MODEL_PULO5, nullptr);
    const ActionFwDn empty(platform, MODEL_PULO4_A, nullptr);
    EXPECT_TRUE(library.loads.empty());
    EXPECT_EQ(missing.library, nullptr);
    EXPECT_EQ(empty.library, nullptr);
}

TEST_F(Binding, OnlyALocalFullRunPathLoadsTheLibrary) {
    const struct {
        const wchar_t* runPath;
        const wchar_t* loaded; // null: refused
    } cases[] = {
        {L"C:\\Program Files\\Quillmate", L"C:\\Program Files\\Quillmate\\NorvaneUpgradeDll.dll"},
        {L"d:/Q", L"d:/Q\\NorvaneUpgradeDll.dll"},
        {L"\\\\?\\C:\\Q", L"\\\\?\\C:\\Q\\NorvaneUpgradeDll.dll"},
        {L"Quillmate", nullptr},
        {L".\\Quillmate", nullptr},
        {L"\\Quillmate", nullptr},
        {L"C:Quillmate", nullptr},
        {L"C:", nullptr},
        {L"\\\\server\\share\\Quillmate", nullptr},
        {L"//server/share/Quillmate", nullptr},
        {L"\\\\?\\UNC\\server\\share", nullptr},
        {L"\\\\.\\C:\\Q", nullptr},
        {L"\\\\?\\", nullptr},
        {L"1:\\Q", nullptr},
    };
    for (const auto& c : cases) {
        library.loads.clear();
        settings.Set(PULO5_KEY, L"QmRunPath", c.runPath);
        const ActionFwDn binding(platform, MODEL_PULO5, nullptr);
        if (c.loaded) {
            EXPECT_EQ(library.loads, std::vector<std::wstring>{c.loaded});
        } else {
            EXPECT_TRUE(library.loads.empty()) << c.runPath;
            EXPECT_EQ(binding.library, nullptr);
        }
    }
    // Nor is an update started from such a folder.
    settings.Set(PULO5_KEY, L"QmRunPath", L"\\\\server\\share");
    ActionFwDn remote(platform, MODEL_PULO5, nullptr);
    std::memcpy(remote.deviceKey, "KEY", 4);
    EXPECT_EQ(remote.RunUpgrade(), 0);
    EXPECT_TRUE(library.calls.empty());
}

TEST_F(Binding, EveryMatchValue) {
    struct Case {
        int32_t model;
        std::string path;
        DeviceMatch match;
        int32_t recoveryMode;
        const char* key;
    } cases[] = {
        {MODEL_PULO5, "", MATCH_NONE, 0, ""},
        {MODEL_PULO5, PULO5_NORMAL, MATCH_NORMAL, 0, "0123ABCD"},
        {MODEL_PULO5, PULO5_RECOVERY, MATCH_RECOVERY, 1, "LOADER01"},
        {MODEL_PULO4_A, "\\\\?\\usb#vid_0471&pid_213F#AB#" + GUID, MATCH_OLD_MODEL, 0, "AB"},
        {MODEL_PULO4_B, "\\\\?\\usb#vid_0471&pid_2141#CD#" + GUID, MATCH_OLD_MODEL, 0, "CD"},
        {MODEL_PULO4_A, PULO4_RECOVERY, MATCH_OLD_MODEL_RECOVERY, 1, "5&2F"},
        {MODEL_PULO4_B, PULO5_NORMAL, MATCH_NONE, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        bus.slots.clear();
        if (!c.path.empty())
            bus.Plug(c.path);
        library.calls.clear();
        ActionFwDn binding(platform, c.model, nullptr);
        binding.deviceVersion = MakeFirmwareVersion(0, 9, 9);
        EXPECT_EQ(binding.FindDevice(), c.match);
        EXPECT_EQ(binding.recoveryMode, c.recoveryMode);
        EXPECT_STREQ(binding.deviceKey, c.key);
        // Only a Pulo5 player in normal mode is asked for its version.
        const bool asked = c.match == MATCH_NORMAL;
        EXPECT_EQ(library.calls.size(), asked ? 1u : 0u);
        if (c.match != MATCH_NONE) {
            EXPECT_EQ(binding.deviceVersion.packed, asked ? 0x0117 : 0);
        }
        EXPECT_EQ(mutexes.held, 0);
    }
}

TEST_F(Binding, IdentityOrderDecides) {
    bus.Plug(PULO4_RECOVERY);
    bus.Plug("\\\\?\\usb#vid_0471&pid_213f#SECOND#" + GUID);
    bus.Plug("\\\\?\\usb#vid_0471&pid_213e#FIRST#" + GUID);
    ActionFwDn binding(platform, MODEL_PULO4_A, nullptr);
    EXPECT_EQ(binding.FindDevice(), MATCH_OLD_MODEL);
    EXPECT_STREQ(binding.deviceKey, "FIRST");
    bus.slots.pop_back();
    EXPECT_EQ(binding.FindDevice(), MATCH_OLD_MODEL);
    EXPECT_STREQ(binding.deviceKey, "SECOND");
    bus.slots.pop_back();
    EXPECT_EQ(binding.FindDevice(), MATCH_OLD_MODEL_RECOVERY);
    EXPECT_STREQ(binding.deviceKey, "5&2F");
}

TEST_F(Binding, GetDeviceInfoGetsTheKeyAndItsFailureHidesTheDevice) {
    bus.Plug(PULO5_NORMAL);
    ActionFwDn binding(platform, MODEL_PULO5, nullptr);
    ASSERT_EQ(binding.FindDevice(), MATCH_NORMAL);
    ASSERT_EQ(library.calls.size(), 1u);
    EXPECT_EQ(library.calls[0].entry, "GetDeviceInfo");
    EXPECT_EQ(library.calls[0].deviceKey, "0123ABCD");
    library.results["GetDeviceInfo"] = 3;
    EXPECT_EQ(binding.FindDevice(), MATCH_NONE);
    EXPECT_EQ(binding.deviceVersion.packed, 0);
}

TEST_F(Binding, NoHitKeepsTheLastDeviceAndALeavingDeviceClearsTheKey) {
    bus.Plug(PULO5_RECOVERY);
    ActionFwDn binding(platform, MODEL_PULO5, nullptr);
    ASSERT_EQ(binding.FindDevice(), MATCH_RECOVERY);
    bus.slots.clear();
    EXPECT_EQ(binding.FindDevice(), MATCH_NONE);
    EXPECT_EQ(binding.recoveryMode, 1);
    EXPECT_STREQ(binding.deviceKey, "LOADER01");

    // Present for the probe, gone for the lookup.
    bus.Plug(PULO5_NORMAL);
    bus.onWalk = [&](int walks) {
        if (walks == 2)
            bus.slots.clear();
    };
    bus.walks = 0;
    EXPECT_EQ(binding.FindDevice(), MATCH_NONE);
    EXPECT_EQ(binding.recoveryMode, 0);
    EXPECT_STREQ(binding.deviceKey, "");
    EXPECT_TRUE(library.calls.empty());
}

TEST_F(Binding, DetectionRunsUnderTheMutex) {
    bus.Plug(PULO5_NORMAL);
    ActionFwDn binding(platform, MODEL_PULO5, nullptr);
    int unlocked = 0;
    bus.onWalk = [&](int) { unlocked += mutexes.held == 1 ? 0 : 1; };
    EXPECT_EQ(binding.FindDevice(), MATCH_NORMAL);
    EXPECT_EQ(unlocked, 0);
    EXPECT_EQ(mutexes.waits, 1);
    EXPECT_EQ(mutexes.releases, 1);

    mutexes.answer = MutexWait::FAILED;
    EXPECT_EQ(binding.FindDevice(), MATCH_NONE);
    EXPECT_EQ(mutexes.releases, 1);
    // An abandoned mutex is ours: it goes back at once, and this round finds nothing.
    mutexes.answer = MutexWait::ABANDONED;
    const int walks = bus.walks;
    EXPECT_EQ(binding.FindDevice(), MATCH_NONE);
    EXPECT_EQ(mutexes.held, 0);
    EXPECT_EQ(bus.walks, walks);
    // A holder that never lets go: the wait is bounded, the round finds nothing, and the
    // mutex, never ours, is not released.
    mutexes.answer = MutexWait::TIMED_OUT;
    const int releases = mutexes.releases;
    EXPECT_EQ(binding.FindDevice(), MATCH_NONE);
    EXPECT_EQ(mutexes.lastWaitMs, DETECTION_WAIT_MS);
    EXPECT_LE(DETECTION_WAIT_MS, 10000u);
    EXPECT_EQ(mutexes.releases, releases);
    EXPECT_EQ(bus.walks, walks);
    mutexes.answer = MutexWait::ACQUIRED;
    EXPECT_EQ(binding.FindDevice(), MATCH_NORMAL);
}

TEST_F(Binding, NoMutexNoDetection) {
    mutexes.creatable = false;
    bus.Plug(PULO5_NORMAL);
    ActionFwDn binding(platform, MODEL_PULO5, nullptr);
    EXPECT_EQ(binding.FindDevice(), MATCH_NONE);
    EXPECT_EQ(bus.walks, 0);
}

FirmwareVersion VersionOf(const std::string& text, bool terminated = true) {
    uint8_t record[DEVICE_INFO_SIZE] = {};
    std::string bytes = text;
    if (!terminated)
        bytes.resize(DEVICE_INFO_SIZE - DEVICE_INFO_VERSION_OFFSET, '7');
    std::memcpy(record + DEVICE_INFO_VERSION_OFFSET, bytes.data(), bytes.size());
    return ParseDeviceVersion(record);
}

TEST(DeviceVersion, MidAndAtMostTwoMinorDigits) {
    struct {
        const char* text;
        int mid, minor;
    } cases[] = {{"1.23", 1, 23}, {"2.5", 2, 5},  {"3.456", 3, 45}, {"123456789.01", 123456789, 1},
                 {"0.00", 0, 0},  {"01.09", 1, 9}};
    for (const auto& c : cases) {
        const FirmwareVersion v = VersionOf(c.text);
        EXPECT_EQ(v.mid, c.mid) << c.text;
        EXPECT_EQ(v.minor, c.minor) << c.text;
        EXPECT_EQ(v.major, 0);
        EXPECT_EQ(v.packed, MakeFirmwareVersion(0, c.mid, c.minor).packed) << c.text;
    }
}

TEST(DeviceVersion, NoVersionFromUnreadableTexts) {
    // Anything but digits around the point: unknown, not a guess that may order the player
    // before or after every package.
    for (const char* text : {"", "123", "1234567890.12", ".7", "4.", "x.y", "V1.23", "-1.-5",
                             "1.-5", "+1.23", " 1.23", "1.2x", "1.23 ", "1..2"})
        EXPECT_EQ(VersionOf(text).packed, 0) << text;
    // Unterminated within the record: read to its end and no further.
    EXPECT_EQ(VersionOf("", false).packed, 0);
    const FirmwareVersion v = VersionOf("1.2", false);
    EXPECT_EQ(v.mid, 1);
    EXPECT_EQ(v.minor, 27);
}

TEST_F(Binding, UpdateNeededComparesPackedVersions) {
    ActionFwDn binding(platform, MODEL_PULO5, nullptr);
    binding.deviceVersion = MakeFirmwareVersion(0, 1, 23);
    binding.packageVersion = MakeFirmwareVersion(0, 1, 24);
    EXPECT_TRUE(binding.IsUpdateNeeded());
    binding.packageVersion = MakeFirmwareVersion(0, 1, 23);
    EXPECT_FALSE(binding.IsUpdateNeeded());
    binding.deviceVersion = FirmwareVersion{};
    EXPECT_TRUE(binding.IsUpdateNeeded());
}

TEST_F(Binding, DebugPortGetsTheWindow) {
    ActionFwDn binding(platform, MODEL_PULO5, nullptr);
    library.results["DebugPort"] = 7;
    EXPECT_EQ(binding.CallDebugPort(0x1234), 7);
    ASSERT_EQ(library.calls.size(), 1u);
    EXPECT_EQ(library.calls[0].entry, "DebugPort");
    EXPECT_EQ(library.calls[0].deviceKey, std::to_string(0x1234));
}

// The player as seen on the bus after an update call: which identity is present after how many
// one-second waits.
class Upgrade : public Binding {
  protected:
    ActionFwDn binding{platform, MODEL_PULO5, nullptr};

    void Attach(const std::string& path) {
        bus.Plug(path);
        ASSERT_NE(binding.FindDevice(), MATCH_NONE);
        library.calls.clear();
    }
    // After the update call: normal until `toRecovery` waits, recovery until `toNormal` waits.
    void Timeline(int toRecovery, int toNormal) {
        auto show = [=, this](int sleeps) {
            bus.slots.clear();
            bus.Plug(sleeps < toRecovery ? PULO5_NORMAL
                     : sleeps < toNormal ? PULO5_RECOVERY
                                         : PULO5_NORMAL);
        };
        clock.sleeps = 0;
        library.onUpdate = [=, this](const std::string&) {
            show(0);
            clock.onSleep = show;
        };
    }
    void ExpectUpgrade(int toRecovery, int toNormal, int result, int sleeps) {
        Timeline(toRecovery, toNormal);
        EXPECT_EQ(binding.RunUpgrade(), result);
        EXPECT_EQ(clock.sleeps, sleeps);
    }
};

TEST_F(Upgrade, NormalUpdateSucceedsWhenThePlayerPassesThroughRecovery) {
    Attach(PULO5_NORMAL);
    files.folderChanges.clear();
    ExpectUpgrade(3, 8, 1, 8);
    ASSERT_EQ(library.calls.size(), 1u);
    EXPECT_EQ(library.calls[0].entry, "DoNormalUpdate");
    EXPECT_EQ(library.calls[0].deviceKey, "0123ABCD");
    EXPECT_EQ(library.calls[0].folder, "C:\\Program Files\\Quillmate\\Firmware\\PULO5");
    // The firmware folder is current during the call, and the old folder afterwards.
    ASSERT_EQ(files.folderChanges.size(), 2u);
    EXPECT_EQ(files.folderChanges[0], L"C:\\Program Files\\Quillmate\\Firmware\\PULO5");
    EXPECT_EQ(files.currentFolder, L"C:\\Start");
}

TEST_F(Upgrade, EachPhaseGivesUpAfterSixtyWaits) {
    Attach(PULO5_NORMAL);
    ExpectUpgrade(1000, 1000, 0, 60);

    ExpectUpgrade(60, 1000, 0, 120);

    // The last chance in each phase still counts.
    ExpectUpgrade(60, 120, 1, 120);
    EXPECT_EQ(files.currentFolder, L"C:\\Start");
}

TEST_F(Upgrade, RecoveryUpdateWaitsForTheLoaderToLeave) {
    Attach(PULO5_RECOVERY);
    ExpectUpgrade(0, 4, 1, 4);
    ASSERT_EQ(library.calls.size(), 1u);
    EXPECT_EQ(library.calls[0].entry, "DoRecoveryUpdate");
    EXPECT_EQ(library.calls[0].deviceKey, "LOADER01");

    ExpectUpgrade(0, 1000, 0, 60);
}

TEST_F(Upgrade, LibraryFailureEndsWithoutWaits) {
    Attach(PULO5_NORMAL);
    library.results["DoNormalUpdate"] = 1;
    EXPECT_EQ(binding.RunUpgrade(), 0);
    EXPECT_EQ(clock.sleeps, 0);
    EXPECT_EQ(files.currentFolder, L"C:\\Start");
}

TEST_F(Upgrade, MissingExportStillWaits) {
    library.exports = {"GetDeviceInfo"};
    ActionFwDn partial(platform, MODEL_PULO5, nullptr);
    bus.Plug(PULO5_NORMAL);
    ASSERT_EQ(partial.FindDevice(), MATCH_NORMAL);
    library.calls.clear();
    EXPECT_EQ(partial.RunUpgrade(), 0);
    EXPECT_TRUE(library.calls.empty());
    EXPECT_EQ(clock.sleeps, 60);
}

TEST_F(Upgrade, RecoveryUpdateWithoutItsExportStillWaits) {
    library.exports = {"GetDeviceInfo", "DoNormalUpdate"};
    ActionFwDn partial(platform, MODEL_PULO5, nullptr);
    bus.Plug(PULO5_RECOVERY);
    ASSERT_EQ(partial.FindDevice(), MATCH_RECOVERY);
    library.calls.clear();
    EXPECT_EQ(partial.RunUpgrade(), 0) << "the loader never leaves";
    EXPECT_TRUE(library.calls.empty());
    EXPECT_EQ(clock.sleeps, 60);

    clock.sleeps = 0;
    clock.onSleep = [&](int sleeps) {
        if (sleeps == 3)
            bus.Unplug(PULO5_RECOVERY);
    };
    EXPECT_EQ(partial.RunUpgrade(), 1);
    EXPECT_EQ(clock.sleeps, 3);
}

TEST_F(Upgrade, EmptyKeyOrNoRunPathFailsAtOnce) {
    EXPECT_EQ(binding.RunUpgrade(), 0);
    EXPECT_TRUE(library.calls.empty());
    EXPECT_EQ(clock.sleeps, 0);
    EXPECT_EQ(files.currentFolder, L"C:\\Start");

    Attach(PULO5_NORMAL);
    settings.Set(PULO5_KEY, L"QmRunPath", L"");
    EXPECT_EQ(binding.RunUpgrade(), 0);
    settings.values.erase({PULO5_KEY, L"QmRunPath"});
    EXPECT_EQ(binding.RunUpgrade(), 0);
    EXPECT_TRUE(library.calls.empty());
    EXPECT_EQ(clock.sleeps, 0);
    EXPECT_EQ(files.currentFolder, L"C:\\Start");
}

TEST_F(Upgrade, FolderThatCannotReachTheLibraryFails) {
    Attach(PULO5_NORMAL);
    settings.Set(PULO5_KEY, L"QmFwFolder", L"Firmware\\\u0141\u00f3d\u017a");
    EXPECT_EQ(binding.RunUpgrade(), 0);
    settings.Set(PULO5_KEY, L"QmFwFolder", std::wstring(240, L'f'));
    EXPECT_EQ(binding.RunUpgrade(), 0);
    EXPECT_TRUE(library.calls.empty());
    EXPECT_EQ(clock.sleeps, 0);
    EXPECT_EQ(files.currentFolder, L"C:\\Start");
}

TEST_F(Upgrade, UnicodeCodePageHandsTheLibraryUtf8) {
    Attach(PULO5_NORMAL);
    library.codePage = 65001;
    settings.Set(PULO5_KEY, L"QmFwFolder", L"\u0141\u00f3d\u017a");
    binding.RunUpgrade();
    ASSERT_EQ(library.calls.size(), 1u);
    EXPECT_EQ(library.calls[0].folder, "C:\\Program Files\\Quillmate\\\xc5\x81\xc3\xb3"
                                       "d\xc5\xba");
}
} // namespace
