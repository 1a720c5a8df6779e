#include "engine/firmware_version.h"
#include "tests/support/fakes.h"
#include <gtest/gtest.h>

namespace {
const std::wstring INI = L"C:\\Q\\Firmware\\PULO5\\fw.ini";

TEST(FirmwareVersion, PackedFromTheLowBytes) {
    const FirmwareVersion v = MakeFirmwareVersion(1, 2, 3);
    EXPECT_EQ(v.packed, 0x010203);
    EXPECT_EQ(FormatVersion(v), L"2.03");
    const FirmwareVersion wide = MakeFirmwareVersion(0, 300, 7);
    EXPECT_EQ(wide.mid, 300);
    EXPECT_EQ(wide.packed, 44 << 8 | 7);
    EXPECT_EQ(FormatVersion(wide), L"300.07");
}

TEST(FirmwareVersion, TextHasAtLeastTwoMinorDigits) {
    EXPECT_EQ(FormatVersion(MakeFirmwareVersion(0, 1, 5)), L"1.05");
    EXPECT_EQ(FormatVersion(MakeFirmwareVersion(0, 2, 123)), L"2.123");
    EXPECT_EQ(FormatVersion(FirmwareVersion{}), L"0.00");
}

TEST(FirmwareVersion, OrderedByPackedAlone) {
    const FirmwareVersion device = MakeFirmwareVersion(0, 1, 23);
    EXPECT_TRUE(IsNewer(MakeFirmwareVersion(0, 1, 24), device));
    EXPECT_FALSE(IsNewer(MakeFirmwareVersion(0, 1, 23), device));
    // A package with a major number is newer than any player firmware.
    EXPECT_TRUE(IsNewer(MakeFirmwareVersion(1, 0, 0), MakeFirmwareVersion(0, 255, 255)));
    // Only the low byte of each number counts: 256 packs as 0.
    EXPECT_FALSE(IsNewer(MakeFirmwareVersion(0, 1, 256), device));
}

TEST(ReadPackageVersion, AllThreeKeys) {
    CFakeFileSystem files;
    files.ini[INI][L"FIRMWARE"] = {{L"MAJORVER", 1}, {L"MIDVER", 2}, {L"MINORVER", 3}};
    FirmwareVersion v;
    EXPECT_EQ(ReadPackageVersion(files, INI, v), 1);
    EXPECT_EQ(v.packed, 0x010203);
    EXPECT_EQ(v.major, 1);
    EXPECT_EQ(v.mid, 2);
    EXPECT_EQ(v.minor, 3);
}

TEST(ReadPackageVersion, AnyMissingKeyGivesAZeroRecord) {
    for (const wchar_t* missing : {L"MAJORVER", L"MIDVER", L"MINORVER"}) {
        CFakeFileSystem files;
        files.ini[INI][L"FIRMWARE"] = {{L"MAJORVER", 1}, {L"MIDVER", 2}, {L"MINORVER", 3}};
        files.ini[INI][L"FIRMWARE"].erase(missing);
        FirmwareVersion v = MakeFirmwareVersion(9, 9, 9);
        EXPECT_EQ(ReadPackageVersion(files, INI, v), 0) << missing;
        EXPECT_EQ(v.packed, 0);
        EXPECT_EQ(v.major, 0);
        EXPECT_EQ(v.mid, 0);
        EXPECT_EQ(v.minor, 0);
    }
}

TEST(ReadPackageVersion, MissingFileOrSection) {
    CFakeFileSystem files;
    FirmwareVersion v = MakeFirmwareVersion(1, 1, 1);
    EXPECT_EQ(ReadPackageVersion(files, INI, v), 0);
    EXPECT_EQ(v.packed, 0);
    files.ini[INI][L"OTHER"] = {{L"MAJORVER", 1}, {L"MIDVER", 2}, {L"MINORVER", 3}};
    EXPECT_EQ(ReadPackageVersion(files, INI, v), 0);
}
} // namespace
