#include "engine/product_keys.h"
#include "online/online_system.h"
#include "tests/support/fake_online.h"
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {
const wchar_t* const PACKAGE = L"C:\\Quillmate\\Downloads\\fw_1_07.exe";

class OnlineSettings : public testing::Test {
  protected:
    COnlineWorld world{PULO4_KEY};
    COnlineSystem online{world.platform};

    void SetUp() override {
        online.keyPath = PULO4_KEY;
        online.downloadFolderName = L"TempPULO5";
    }
    void RecordPackage(int minor) {
        world.disk.AddFile(PACKAGE, "MZ");
        world.Set(VALUE_PACKAGE_EXISTS, L"1");
        world.Set(VALUE_PACKAGE_NAME, L"fw_1_07.exe");
        world.Set(VALUE_PACKAGE_MID, L"1");
        world.Set(VALUE_PACKAGE_MINOR, std::to_wstring(minor));
    }
    void Stage(const std::string& description) {
        world.disk.AddFile(std::wstring(COnlineWorld::STAGING) + L"\\fw.ini", description);
        world.disk.AddFile(std::wstring(COnlineWorld::STAGING) + L"\\data\\fw.bin", "firmware");
        world.Set(VALUE_PARTIAL_INSTALLED, L"1");
    }
};

TEST(ToolVersionText, HexPairsAndDecimalTail) {
    CFakeUpgradeLibrary ansi;
    EXPECT_EQ(ParseHexNumber(ansi, L"0A"), 10);
    EXPECT_EQ(ParseHexNumber(ansi, L"ff"), 255);
    EXPECT_EQ(ParseHexNumber(ansi, L"7FFFFFFF"), 0x7FFFFFFF);
    EXPECT_EQ(ParseHexNumber(ansi, L""), 0);
    EXPECT_EQ(ParseHexNumber(ansi, L"123456789"), 0);
    EXPECT_EQ(ParseHexNumber(ansi, L"G"), 'G' - '0');

    ToolVersion version;
    ASSERT_TRUE(ParseToolVersion(ansi, L"0102030004", version));
    EXPECT_EQ(version.part1, 1);
    EXPECT_EQ(version.part2, 2);
    EXPECT_EQ(version.part3, 3);
    EXPECT_EQ(version.part4, 4);
    EXPECT_EQ(version.packed, 0x0203);
    ASSERT_TRUE(ParseToolVersion(ansi, L"01020A 12x", version));
    EXPECT_EQ(version.part3, 10);
    EXPECT_EQ(version.part4, 12);
    EXPECT_FALSE(ParseToolVersion(ansi, L"010203000", version));
    EXPECT_FALSE(ParseToolVersion(ansi, L"01020300045", version));
}

// A character outside ASCII counts by its byte in the code page, and the length limit counts
// bytes: what the 8-bit conversion makes of it, not its UTF-16 unit.
TEST(ToolVersionText, HexDigitsAreReadAsAnsiBytes) {
    CFakeUpgradeLibrary western;
    // The euro sign is 0x80 in 1252 (its UTF-16 unit is 0x20AC).
    EXPECT_EQ(ParseHexNumber(western, L"\u20AC"), 0x80 - '0');
    EXPECT_EQ(ParseHexNumber(western, L"1\u20AC"), 16 + 0x80 - '0');
    // A letter the code page lacks becomes its best fit: the Polish L-stroke is "L".
    EXPECT_EQ(ParseHexNumber(western, L"\u0141"), 'L' - '0');
    CFakeUpgradeLibrary japanese;
    japanese.codePage = 932;
    // HIRAGANA A is the two bytes 0x82 0xA0.
    EXPECT_EQ(ParseHexNumber(japanese, L"\u3042"),
              static_cast<int32_t>((0x82u - '0') * 16 + (0xA0u - '0')));
    // Five characters, ten bytes: over the limit of eight.
    EXPECT_EQ(ParseHexNumber(japanese, L"\u3042\u3042\u3042\u3042\u3042"), 0);
    EXPECT_NE(ParseHexNumber(japanese, L"\u3042\u3042\u3042\u3042"), 0);
    CFakeUpgradeLibrary utf8;
    utf8.codePage = 65001;
    EXPECT_EQ(ParseHexNumber(utf8, L"\u00C9"),
              static_cast<int32_t>((0xC3u - '0') * 16 + (0x89u - '0')));
}

TEST_F(OnlineSettings, LoadsEveryValue) {
    ASSERT_EQ(online.LoadOnlineSettings(), 1);
    EXPECT_EQ(online.fwType, 2);
    EXPECT_EQ(online.runPath, L"C:\\Quillmate");
    EXPECT_EQ(online.firmwareFolder, COnlineWorld::FIRMWARE_FOLDER);
    EXPECT_EQ(online.firmwareInfoPath, COnlineWorld::INFO_PATH);
    EXPECT_EQ(online.firmwareLink, L"http://primary/fw.txt");
    EXPECT_EQ(online.firmwareLinkSecondary, L"http://secondary/fw.txt");
    EXPECT_EQ(online.checkPeriod, 7);
    EXPECT_EQ(online.toolVersion.packed, 0x0203);
    EXPECT_EQ(online.toolLink, L"http://primary/qm.txt");
    EXPECT_EQ(online.toolLinkSecondary, L"http://secondary/qm.txt");
    EXPECT_EQ(online.IsOnlineCheckEnabled(), 1);
    world.Set(VALUE_CHECK_ENABLED, L"01");
    online.LoadOnlineSettings();
    EXPECT_EQ(online.onlineCheckEnabled, 1);
    world.Set(VALUE_CHECK_ENABLED, L"yes");
    online.LoadOnlineSettings();
    EXPECT_EQ(online.onlineCheckEnabled, 0);
}

TEST_F(OnlineSettings, EachMissingValueEndsTheLoadThere) {
    const wchar_t* const order[] = {VALUE_FW_TYPE,           VALUE_RUN_PATH,
                                    VALUE_FW_FOLDER,         VALUE_FW_INFO,
                                    VALUE_FW_LINK,           VALUE_FW_LINK_SECONDARY,
                                    VALUE_PARTIAL_INSTALLED, VALUE_PACKAGE_EXISTS,
                                    VALUE_CHECK_ENABLED,     VALUE_LAST_CHECK_TIME,
                                    VALUE_CHECK_PERIOD,      VALUE_TOOL_VERSION,
                                    VALUE_TOOL_LINK,         VALUE_TOOL_LINK_SECONDARY};
    for (const wchar_t* missing : order) {
        COnlineWorld fresh{PULO4_KEY};
        fresh.Set(VALUE_CHECK_ENABLED, L"0");
        fresh.Remove(missing);
        COnlineSystem system{fresh.platform};
        system.keyPath = PULO4_KEY;
        EXPECT_EQ(system.LoadOnlineSettings(), 0) << missing;
        const bool reachedLinks = missing == std::wstring(VALUE_TOOL_LINK_SECONDARY);
        EXPECT_EQ(system.toolLink.empty(), !reachedLinks) << missing;
        // Values after the missing one keep their initial contents.
        const bool beforeCheck = std::wstring(missing) != VALUE_TOOL_LINK &&
                                 std::wstring(missing) != VALUE_TOOL_VERSION &&
                                 std::wstring(missing) != VALUE_CHECK_PERIOD &&
                                 std::wstring(missing) != VALUE_LAST_CHECK_TIME && !reachedLinks;
        EXPECT_EQ(system.onlineCheckEnabled, beforeCheck ? 1 : 0) << missing;
        EXPECT_EQ(system.fwType, missing == std::wstring(VALUE_FW_TYPE) ? -1 : 2) << missing;
        // No clean-up runs on a failed load: the record keeps its values.
        EXPECT_EQ(fresh.Value(VALUE_PACKAGE_MINOR), L"0");
    }
    world.Set(VALUE_TOOL_VERSION, L"123456789");
    EXPECT_EQ(online.LoadOnlineSettings(), 0);
    EXPECT_TRUE(online.toolLink.empty());
    world.Set(VALUE_TOOL_VERSION, L"12345678901");
    EXPECT_EQ(online.LoadOnlineSettings(), 0);
}

TEST_F(OnlineSettings, RecordedPackageAndItsMissingValues) {
    RecordPackage(7);
    ASSERT_EQ(online.LoadOnlineSettings(), 1);
    EXPECT_EQ(online.packageRecorded, 1);
    EXPECT_EQ(online.packagePath, PACKAGE);
    EXPECT_EQ(online.downloadedVersion.packed, 0x0107);
    for (const wchar_t* missing :
         {VALUE_PACKAGE_NAME, VALUE_PACKAGE_MAJOR, VALUE_PACKAGE_MID, VALUE_PACKAGE_MINOR}) {
        COnlineWorld fresh{PULO4_KEY};
        fresh.disk.AddFile(PACKAGE, "MZ");
        fresh.Set(VALUE_PACKAGE_EXISTS, L"1");
        fresh.Set(VALUE_PACKAGE_NAME, L"fw_1_07.exe");
        fresh.Remove(missing);
        COnlineSystem system{fresh.platform};
        system.keyPath = PULO4_KEY;
        EXPECT_EQ(system.LoadOnlineSettings(), 0) << missing;
        EXPECT_EQ(system.toolLink, L"") << missing;
    }
}

TEST_F(OnlineSettings, VanishedPackageIsForgottenAndTheLoadEndsEarly) {
    RecordPackage(7);
    world.disk.files.erase(PACKAGE);
    world.Set(VALUE_CHECK_ENABLED, L"0");
    ASSERT_EQ(online.LoadOnlineSettings(), 1);
    EXPECT_EQ(world.Value(VALUE_PACKAGE_EXISTS), L"0");
    EXPECT_EQ(world.Value(VALUE_PACKAGE_NAME), L"");
    EXPECT_EQ(world.Value(VALUE_PACKAGE_MINOR), L"0");
    EXPECT_EQ(online.packagePath, L"");
    EXPECT_EQ(online.onlineCheckEnabled, 1) << "not read in this load";
    EXPECT_TRUE(online.toolLink.empty());
    ASSERT_EQ(online.LoadOnlineSettings(), 1);
    EXPECT_EQ(online.onlineCheckEnabled, 0);
    EXPECT_FALSE(online.toolLink.empty());
}

TEST_F(OnlineSettings, UnsafeRecordedNameCountsAsVanishedAndDeletesNothing) {
    const std::wstring outside = L"C:\\Quillmate\\evil.exe";
    world.disk.AddFile(outside, "MZ");
    RecordPackage(7);
    world.Set(VALUE_PACKAGE_NAME, L"..\\evil.exe");
    ASSERT_EQ(online.LoadOnlineSettings(), 1);
    EXPECT_EQ(online.packageRecorded, 0);
    EXPECT_EQ(world.Value(VALUE_PACKAGE_EXISTS), L"0");
    EXPECT_TRUE(world.disk.HasFile(outside));
    EXPECT_EQ(world.Value(VALUE_PACKAGE_NAME), L"");
}

TEST_F(OnlineSettings, StaleRecordCleanUp) {
    world.disk.AddFile(PACKAGE, "MZ");
    world.Set(VALUE_PACKAGE_NAME, L"fw_1_07.exe");
    world.Set(VALUE_PACKAGE_MINOR, L"7");
    ASSERT_EQ(online.LoadOnlineSettings(), 1);
    EXPECT_FALSE(world.disk.HasFile(PACKAGE));
    EXPECT_EQ(world.Value(VALUE_PACKAGE_NAME), L"");
    EXPECT_EQ(world.Value(VALUE_PACKAGE_MINOR), L"0");

    // A name that is no program name only empties the record.
    for (const wchar_t* name : {L"exe_fw.bin", L"fw.bin"}) {
        const std::wstring path = std::wstring(COnlineWorld::PACKAGES) + L"\\" + name;
        world.disk.AddFile(path, "x");
        world.Set(VALUE_PACKAGE_NAME, name);
        ASSERT_EQ(online.LoadOnlineSettings(), 1);
        EXPECT_TRUE(world.disk.HasFile(path)) << name;
        EXPECT_EQ(world.Value(VALUE_PACKAGE_NAME), L"") << name;
    }

    // A read-only name stops the following writes.
    CStubbornStore store;
    store.values = world.machine.values;
    store.Set(PULO4_KEY, VALUE_PACKAGE_MID, L"3");
    store.readOnly = {VALUE_PACKAGE_MAJOR};
    world.platform.settings = &store;
    ASSERT_EQ(online.LoadOnlineSettings(), 1);
    EXPECT_EQ((store.values[{PULO4_KEY, VALUE_PACKAGE_MID}]), L"3");
}

// With the record's name unsafe and its correction failing, no path is left for the staged
// install that the same load completes to delete.
TEST_F(OnlineSettings, UnsafeNameLeavesNoPathEvenWhenItsCorrectionFails) {
    // The fake disk does not resolve "..": the file stands where the system would find it.
    const std::wstring victim = L"C:\\Quillmate\\Downloads\\..\\victim.dll";
    world.disk.AddFile(victim, "MZ");
    RecordPackage(7);
    world.Set(VALUE_PACKAGE_NAME, L"..\\victim.dll");
    Stage(COnlineWorld::Description(0, 1, 9));
    CStubbornStore store;
    store.values = world.machine.values;
    store.readOnly = {VALUE_PACKAGE_EXISTS};
    world.platform.settings = &store;
    online.packagePath = L"C:\\earlier\\fw.exe";
    EXPECT_EQ(online.LoadOnlineSettings(), 0);
    EXPECT_TRUE(online.packagePath.empty());
    EXPECT_TRUE(world.disk.HasFile(victim));
    EXPECT_EQ(online.packageVersion.packed, 0x0109) << "the staged install itself went ahead";
}

TEST_F(OnlineSettings, UnreadablePackageRecordLeavesNoPath) {
    RecordPackage(7);
    world.Remove(VALUE_PACKAGE_MINOR);
    online.packagePath = L"C:\\earlier\\fw.exe";
    EXPECT_EQ(online.LoadOnlineSettings(), 0);
    EXPECT_TRUE(online.packagePath.empty());
    world.Set(VALUE_PACKAGE_MINOR, L"7");
    ASSERT_EQ(online.LoadOnlineSettings(), 1);
    EXPECT_EQ(online.packagePath, PACKAGE);
}

TEST_F(OnlineSettings, StagedInstallNewerThanTheCarriedFirmwareIsCompleted) {
    Stage(COnlineWorld::Description(0, 1, 9));
    ASSERT_EQ(online.LoadOnlineSettings(), 1);
    EXPECT_EQ(world.disk.Content(std::wstring(COnlineWorld::FIRMWARE_FOLDER) + L"\\data\\fw.bin"),
              "firmware");
    EXPECT_FALSE(world.disk.FileExists(COnlineWorld::STAGING));
    EXPECT_EQ(online.packageVersion.packed, 0x0109);
    EXPECT_EQ(world.Value(VALUE_PARTIAL_INSTALLED), L"0");
    EXPECT_EQ(world.Value(VALUE_PACKAGE_INSTALLED), L"1");
}

TEST_F(OnlineSettings, StagedInstallComparedWithTheDownloadedPackage) {
    RecordPackage(8);
    Stage(COnlineWorld::Description(0, 1, 9));
    ASSERT_EQ(online.LoadOnlineSettings(), 1);
    EXPECT_FALSE(world.disk.HasFile(PACKAGE));
    EXPECT_EQ(online.packageRecorded, 0);
    EXPECT_EQ(world.Value(VALUE_PACKAGE_EXISTS), L"0");
    EXPECT_EQ(online.packageVersion.packed, 0x0109);
}

TEST_F(OnlineSettings, UnwantedStagedFilesAreThrownAway) {
    const std::string stale[] = {COnlineWorld::Description(0, 1, 5),    // same as carried
                                 "[FIRMWARE]\nMAJORVER=0\nMIDVER=3\n"}; // no MINORVER: -1
    for (const std::string& description : stale) {
        Stage(description);
        ASSERT_EQ(online.LoadOnlineSettings(), 1);
        EXPECT_FALSE(world.disk.FileExists(COnlineWorld::STAGING));
        EXPECT_EQ(world.Value(VALUE_PARTIAL_INSTALLED), L"0");
        EXPECT_EQ(online.partialInstall, 1) << "kept in memory until the next load";
        EXPECT_EQ(world.disk.Content(COnlineWorld::INFO_PATH), COnlineWorld::Description(0, 1, 5));
    }
    RecordPackage(9);
    Stage(COnlineWorld::Description(0, 1, 9));
    ASSERT_EQ(online.LoadOnlineSettings(), 1);
    EXPECT_FALSE(world.disk.FileExists(COnlineWorld::STAGING));
    EXPECT_TRUE(world.disk.HasFile(PACKAGE)) << "not newer than the download";
}

TEST_F(OnlineSettings, MissingFwTypeLeavesEverythingAlone) {
    world.Remove(VALUE_FW_TYPE);
    Stage(COnlineWorld::Description(0, 1, 9));
    EXPECT_EQ(online.LoadOnlineSettings(), 0);
    EXPECT_EQ(online.partialInstall, 0);
    EXPECT_TRUE(world.disk.FileExists(COnlineWorld::STAGING));
}

TEST_F(OnlineSettings, RecordSaveDiscardAndRefresh) {
    RecordPackage(7);
    ASSERT_EQ(online.RefreshOnlineState(0), 1);
    EXPECT_EQ(online.IsDownloadedFirmwareReady(), 1);
    EXPECT_EQ(online.IsFirmwareUpdateAvailable(), 0);
    EXPECT_EQ(online.packageVersion.packed, 0x0105);

    ASSERT_EQ(online.DiscardFirmwarePackage(), 1);
    EXPECT_FALSE(world.disk.HasFile(PACKAGE));
    EXPECT_EQ(world.Value(VALUE_PACKAGE_EXISTS), L"0");
    EXPECT_EQ(world.Value(VALUE_PACKAGE_NAME), L"");
    EXPECT_EQ(world.Value(VALUE_PACKAGE_MID), L"0");
    EXPECT_EQ(online.DiscardFirmwarePackage(), 1);

    online.packageRecorded = 1;
    online.packagePath = L"C:\\x\\y\\name.exe";
    online.downloadedVersion = MakeFirmwareVersion(0, 2, 11);
    ASSERT_EQ(online.SaveFirmwarePackageRecord(), 1);
    EXPECT_EQ(world.Value(VALUE_PACKAGE_NAME), L"name.exe");
    EXPECT_EQ(world.Value(VALUE_PACKAGE_MINOR), L"11");

    CStubbornStore store;
    store.readOnly = {VALUE_PACKAGE_NAME};
    world.platform.settings = &store;
    EXPECT_EQ(online.SaveFirmwarePackageRecord(), 0);
    EXPECT_EQ(store.values.count({PULO4_KEY, VALUE_PACKAGE_MAJOR}), 0u);

    world.platform.settings = &world.machine;
    world.disk.files.erase(COnlineWorld::INFO_PATH);
    online.firmwareUpdateAvailable = 1;
    EXPECT_EQ(online.RefreshOnlineState(0), 0);
    EXPECT_EQ(online.firmwareUpdateAvailable, 1);
}

TEST_F(OnlineSettings, RefreshWithCheckAsksTheServer) {
    world.internet.Serve(L"http://primary/fw.txt", "version=1.09\nurl=http://h/p.exe\n");
    ASSERT_EQ(online.RefreshOnlineState(1), 1);
    EXPECT_EQ(online.firmwareUpdateAvailable, 1);
}

TEST_F(OnlineSettings, CheckSwitch) {
    ASSERT_EQ(online.SetOnlineCheckEnabled(0), 1);
    EXPECT_EQ(world.Value(VALUE_CHECK_ENABLED), L"0");
    CStubbornStore store;
    store.readOnly = {VALUE_CHECK_ENABLED};
    store.Set(PULO4_KEY, VALUE_CHECK_ENABLED, L"1");
    world.platform.settings = &store;
    online.onlineCheckEnabled = 1;
    EXPECT_EQ(online.SetOnlineCheckEnabled(0), 0);
    EXPECT_EQ(online.IsOnlineCheckEnabled(), 0);
    EXPECT_EQ((store.values[{PULO4_KEY, VALUE_CHECK_ENABLED}]), L"1");
}
} // namespace
