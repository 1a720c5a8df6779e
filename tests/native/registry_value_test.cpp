#include "engine/registry_value.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
std::vector<uint8_t> Utf16Bytes(const std::u16string& units) {
    std::vector<uint8_t> bytes;
    for (char16_t u : units) {
        bytes.push_back(static_cast<uint8_t>(u & 0xFF));
        bytes.push_back(static_cast<uint8_t>(u >> 8));
    }
    return bytes;
}

TEST(RegistryValueToText, StringTypesCount) {
    const auto data = Utf16Bytes(std::u16string(u"C:\\Prog") + u'\0');
    for (uint32_t type : {REGISTRY_SZ, REGISTRY_EXPAND_SZ, REGISTRY_LINK}) {
        std::wstring text = L"old";
        EXPECT_TRUE(RegistryValueToText(type, data.data(), data.size(), text)) << type;
        EXPECT_EQ(text, L"C:\\Prog");
    }
}

TEST(RegistryValueToText, OtherTypesLeaveTheTextUnchanged) {
    const uint8_t dword[] = {1, 0, 0, 0};
    std::wstring text = L"previous";
    EXPECT_FALSE(RegistryValueToText(REGISTRY_DWORD, dword, sizeof dword, text));
    EXPECT_EQ(text, L"previous");
    const auto multi = Utf16Bytes(std::u16string(u"a\0b\0\0", 5));
    EXPECT_FALSE(RegistryValueToText(REGISTRY_MULTI_SZ, multi.data(), multi.size(), text));
    EXPECT_EQ(text, L"previous");
}

TEST(RegistryValueToText, EndsAtTheFirstZeroOrAtTheEndOfTheData) {
    std::wstring text;
    const auto unterminated = Utf16Bytes(u"1031");
    EXPECT_TRUE(RegistryValueToText(REGISTRY_SZ, unterminated.data(), unterminated.size(), text));
    EXPECT_EQ(text, L"1031");
    const auto embedded = Utf16Bytes(std::u16string(u"ab\0cd", 5));
    EXPECT_TRUE(RegistryValueToText(REGISTRY_SZ, embedded.data(), embedded.size(), text));
    EXPECT_EQ(text, L"ab");
    // A dangling odd byte is not half a character.
    std::vector<uint8_t> odd = Utf16Bytes(u"xy");
    odd.push_back('z');
    EXPECT_TRUE(RegistryValueToText(REGISTRY_SZ, odd.data(), odd.size(), text));
    EXPECT_EQ(text, L"xy");
    EXPECT_TRUE(RegistryValueToText(REGISTRY_SZ, nullptr, 0, text));
    EXPECT_EQ(text, L"");
}

TEST(RegistryValueToText, LongAndNonLatinValues) {
    std::wstring text;
    const auto big = Utf16Bytes(std::u16string(32767, u'x') + u'\0');
    EXPECT_TRUE(RegistryValueToText(REGISTRY_SZ, big.data(), big.size(), text));
    EXPECT_EQ(text.size(), 32767u);
    const auto wide = Utf16Bytes(std::u16string(u"\u66f4\u65b0 \U0001F3B5") + u'\0');
    EXPECT_TRUE(RegistryValueToText(REGISTRY_SZ, wide.data(), wide.size(), text));
    EXPECT_EQ(text, L"\u66f4\u65b0 \U0001F3B5");
}
} // namespace
