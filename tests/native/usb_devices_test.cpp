#include "engine/usb_devices.h"
#include "tests/support/fake_engine.h"
#include <gtest/gtest.h>
#include <string>

namespace {
const std::string GUID = "{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

struct Parts {
    std::string vendor, product, key;
    int result = 0;
};

Parts Parse(const std::string& path, size_t keySize = DEVICE_KEY_SIZE) {
    char vendor[USB_ID_SIZE] = {};
    char product[USB_ID_SIZE] = {};
    char key[DEVICE_KEY_SIZE + 8] = {};
    Parts parts;
    parts.result = ParseDevicePath(path.c_str(), path.size() + 1, product, vendor, key, keySize);
    parts.vendor = vendor;
    parts.product = product;
    parts.key = key;
    return parts;
}

TEST(ParseDevicePath, TypicalPathInAnyCase) {
    const Parts parts = Parse("\\\\?\\usb#vid_0471&pid_2186#0123abcd#" + GUID);
    EXPECT_EQ(parts.result, 1);
    EXPECT_EQ(parts.vendor, "0471");
    EXPECT_EQ(parts.product, "2186");
    EXPECT_EQ(parts.key, "0123ABCD");
}

TEST(ParseDevicePath, KeyBetweenBackslashes) {
    EXPECT_EQ(Parse("USB\\VID_066f&PID_3770\\5&1a2b\\rest").key, "5&1A2B");
    EXPECT_EQ(Parse("USB\\VID_066f&PID_3770\\tail").key, "TAIL");
    // No "#" and no backslash after the product id, or a "#" without a second one: no key.
    EXPECT_EQ(Parse("USB\\VID_066F&PID_3770").key, "");
    EXPECT_EQ(Parse("USB\\VID_066F&PID_3770#open").key, "");
    // The "#" rule wins over backslashes.
    EXPECT_EQ(Parse("x\\VID_0471&PID_2186\\a#b#c").key, "B");
}

TEST(ParseDevicePath, MarkersMissingOrAtTheStart) {
    Parts parts = Parse("\\\\?\\usb#pid_2186#KEY#" + GUID);
    EXPECT_EQ(parts.vendor, "");
    EXPECT_EQ(parts.product, "2186");
    EXPECT_EQ(parts.key, "KEY");
    parts = Parse("\\\\?\\usb#vid_0471#KEY#" + GUID);
    EXPECT_EQ(parts.vendor, "0471");
    EXPECT_EQ(parts.product, "");
    EXPECT_EQ(parts.key, "");
    parts = Parse("VID_0471&PID_2186#KEY#");
    EXPECT_EQ(parts.vendor, "");
    EXPECT_EQ(parts.product, "2186");
    parts = Parse("PID_2186#KEY#");
    EXPECT_EQ(parts.product, "");
    EXPECT_EQ(parts.key, "");
    // A path that ends inside an id gives only what is there.
    EXPECT_EQ(Parse("#VID_04").vendor, "04");
}

TEST(ParseDevicePath, OutputsMayBeNullAndLengthBoundsTheText) {
    const std::string path = "\\\\?\\usb#vid_0471&pid_2186#0123abcd#" + GUID;
    char key[DEVICE_KEY_SIZE] = {};
    EXPECT_EQ(ParseDevicePath(path.c_str(), path.size(), nullptr, nullptr, key, sizeof key), 1);
    EXPECT_STREQ(key, "0123ABCD");
    char vendor[USB_ID_SIZE] = {};
    char product[USB_ID_SIZE] = {};
    ParseDevicePath(path.c_str(), 16, product, vendor, nullptr, 0);
    EXPECT_STREQ(vendor, "0471");
    EXPECT_STREQ(product, "");
}

TEST(ParseDevicePath, KeyLongerThanTheBufferIsRejected) {
    const std::string fits(DEVICE_KEY_SIZE - 1, 'K');
    const std::string tooLong(DEVICE_KEY_SIZE, 'K');
    Parts parts = Parse("\\\\?\\usb#vid_0471&pid_2186#" + fits + "#" + GUID);
    EXPECT_EQ(parts.result, 1);
    EXPECT_EQ(parts.key, fits);
    parts = Parse("\\\\?\\usb#vid_0471&pid_2186#" + tooLong + "#" + GUID);
    EXPECT_EQ(parts.result, 0);
    EXPECT_EQ(parts.key, "");
    EXPECT_EQ(parts.vendor, "0471");
    EXPECT_EQ(Parse("\\\\?\\usb#vid_0471&pid_2186#ABCDE#", 5).result, 0);
}

class FindUsb : public testing::Test {
  protected:
    CFakeUsbBus bus;
    char path[USB_PATH_SIZE];

    static std::string Path(const std::string& ids, const std::string& key) {
        return "\\\\?\\usb#" + ids + "#" + key + "#" + GUID;
    }
    int Find(const char* vendor, const char* product) {
        std::memset(path, 'x', sizeof path);
        return FindUsbDevice(bus, vendor, product, path, sizeof path);
    }
};

TEST_F(FindUsb, IdsMatchWithoutCaseAndThePathKeepsItsCase) {
    bus.Plug(Path("vid_1234&pid_5678", "other"));
    bus.Plug(Path("VID_066F&PID_3770", "loader"));
    ASSERT_EQ(Find("066f", "3770"), 1);
    EXPECT_STREQ(path, Path("VID_066F&PID_3770", "loader").c_str());
    EXPECT_EQ(path[sizeof path - 1], '\0');
    ASSERT_EQ(Find("0471", "2186"), 0);
    EXPECT_TRUE(IsUsbDevicePresent(bus, "1234", "5678"));
    EXPECT_FALSE(IsUsbDevicePresent(bus, "1234", "5679"));
    EXPECT_EQ(FindUsbDevice(bus, "066f", "3770", nullptr, 260), 0);
    EXPECT_EQ(bus.walks, 4);
}

TEST_F(FindUsb, FirstInEnumerationOrderWins) {
    bus.Plug(Path("vid_0471&pid_2186", "first"));
    bus.Plug(Path("vid_0471&pid_2186", "second"));
    ASSERT_EQ(Find("0471", "2186"), 1);
    EXPECT_STREQ(path, Path("vid_0471&pid_2186", "first").c_str());
}

TEST_F(FindUsb, ErrorsSkipAnIndexAndTheEndStopsTheWalk) {
    bus.slots.push_back({5, true, Path("vid_0471&pid_2186", "failed")});
    bus.slots.push_back({0, false, Path("vid_0471&pid_2186", "unreadable")});
    bus.Plug(Path("vid_0471&pid_2186", "good"));
    ASSERT_EQ(Find("0471", "2186"), 1);
    EXPECT_STREQ(path, Path("vid_0471&pid_2186", "good").c_str());

    bus.slots.clear();
    bus.slots.push_back({USB_NO_MORE_ITEMS, true, ""});
    bus.Plug(Path("vid_0471&pid_2186", "beyond"));
    EXPECT_EQ(Find("0471", "2186"), 0);
}

TEST_F(FindUsb, OnlyTheFirst128IndexesAreWalked) {
    for (int i = 0; i < 127; ++i)
        bus.slots.push_back({31, true, ""});
    bus.Plug(Path("vid_0471&pid_2186", "last"));
    EXPECT_EQ(Find("0471", "2186"), 1);
    bus.slots.insert(bus.slots.begin(), CFakeUsbBus::Slot{31, true, ""});
    EXPECT_EQ(Find("0471", "2186"), 0);
}

TEST_F(FindUsb, OverlongPathsAndKeysAreSkipped) {
    std::string longPath = Path("vid_0471&pid_2186", "long");
    longPath += std::string(USB_PATH_SIZE - longPath.size(), 'z');
    bus.Plug(longPath);
    bus.Plug(Path("vid_0471&pid_2186", std::string(DEVICE_KEY_SIZE, 'k')));
    EXPECT_EQ(Find("0471", "2186"), 0);
    bus.Plug(Path("vid_0471&pid_2186", "ok"));
    ASSERT_EQ(Find("0471", "2186"), 1);
    EXPECT_STREQ(path, Path("vid_0471&pid_2186", "ok").c_str());
    // A path that fits the walk but not a small caller buffer is not cut either.
    char small[16];
    EXPECT_EQ(FindUsbDevice(bus, "0471", "2186", small, sizeof small), 0);
}

TEST_F(FindUsb, PathsWithoutIdsNeverMatchEmptyRequests) {
    bus.Plug("\\\\?\\hid#something#1#" + GUID);
    EXPECT_EQ(Find("", ""), 0);
    EXPECT_EQ(Find("0471", ""), 0);
}
} // namespace
