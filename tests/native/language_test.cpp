#include "app/language.h"
#include "engine/product_keys.h"
#include "tests/support/fakes.h"
#include <gtest/gtest.h>

namespace {
TEST(LanguageFromSetting, EverySpellingOfTheTable) {
    const struct {
        const wchar_t* hex;
        const wchar_t* decimal;
        uint16_t language;
    } rows[] = {
        {L"0x0007", L"1031", 1031}, {L"0x0009", L"1033", 1033}, {L"0x000A", L"1034", 1034},
        {L"0x040C", L"1036", 1036}, {L"0x0010", L"1040", 1040}, {L"0x0013", L"1043", 1043},
        {L"0x0015", L"1045", 1045}, {L"0x0416", L"1046", 1046}, {L"0x0019", L"1049", 1049},
        {L"0x0804", L"2052", 2052}, {L"0x001D", L"1053", 1053}, {L"0x0404", L"1028", 1028},
        {L"0x001E", L"1054", 1054}, {L"0x001F", L"1055", 1055},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(LanguageFromSetting(row.hex), row.language) << row.hex;
        EXPECT_EQ(LanguageFromSetting(row.decimal), row.language) << row.decimal;
    }
}

TEST(LanguageFromSetting, CaseDoesNotMatter) {
    EXPECT_EQ(LanguageFromSetting(L"0x000a"), 1034);
    EXPECT_EQ(LanguageFromSetting(L"0X040c"), 1036);
    EXPECT_EQ(LanguageFromSetting(L"0X001d"), 1053);
}

TEST(LanguageFromSetting, AnythingElseIsEnglish) {
    EXPECT_EQ(LanguageFromSetting(L"0x0C"), 1033);
    EXPECT_EQ(LanguageFromSetting(L"1025"), 1033); // no setting text for Arabic
    EXPECT_EQ(LanguageFromSetting(L""), 1033);
    EXPECT_EQ(LanguageFromSetting(L" 1031"), 1033);
    EXPECT_EQ(LanguageFromSetting(L"1031 "), 1033);
    EXPECT_EQ(LanguageFromSetting(L"103"), 1033);
    EXPECT_EQ(LanguageFromSetting(L"10311"), 1033);
    EXPECT_EQ(LanguageFromSetting(std::wstring(100, L'7')), 1033);
    EXPECT_EQ(LanguageFromSetting(L"1031" + std::wstring(96, L' ')), 1033);
}

TEST(LanguageFromUserDefault, PrimaryLanguageTable) {
    const struct {
        uint16_t primary;
        uint16_t language;
    } rows[] = {{0x01, 1025}, {0x07, 1031}, {0x0A, 1034}, {0x0C, 1036}, {0x10, 1040},
                {0x13, 1043}, {0x15, 1045}, {0x16, 1046}, {0x19, 1049}, {0x1D, 1053},
                {0x1E, 1054}, {0x1F, 1055}, {0x09, 1033}, {0x08, 1033}, {0x11, 1033}};
    for (const auto& row : rows) {
        // The sub-language does not matter outside Chinese.
        EXPECT_EQ(LanguageFromUserDefault(row.primary | 1 << 10), row.language) << row.primary;
        EXPECT_EQ(LanguageFromUserDefault(row.primary | 3 << 10), row.language) << row.primary;
    }
}

TEST(LanguageFromUserDefault, ChineseBySubLanguage) {
    EXPECT_EQ(LanguageFromUserDefault(0x0804), 2052); // PRC
    EXPECT_EQ(LanguageFromUserDefault(0x0404), 1028); // Taiwan
    EXPECT_EQ(LanguageFromUserDefault(0x1004), 1028); // Singapore, sub-language 4
    EXPECT_EQ(LanguageFromUserDefault(0x0C04), 1028); // Hong Kong
}

TEST(ChooseLanguage, Pulo5KeyComesFirst) {
    CFakeSettingsStore settings;
    CFakeSystemInfo system;
    settings.Set(PULO5_KEY, VALUE_LANGUAGE, L"1031");
    settings.Set(PULO4_KEY, VALUE_LANGUAGE, L"1036");
    EXPECT_EQ(ChooseLanguage(settings, system), 1031);
}

TEST(ChooseLanguage, Pulo4KeyWhenPulo5HasNone) {
    CFakeSettingsStore settings;
    CFakeSystemInfo system;
    settings.Set(PULO4_KEY, VALUE_LANGUAGE, L"0x0019");
    EXPECT_EQ(ChooseLanguage(settings, system), 1049);
}

TEST(ChooseLanguage, ReadButEmptyIsEnglishWithoutAskingTheUserDefault) {
    CFakeSettingsStore settings;
    CFakeSystemInfo system;
    system.userLanguage = 0x0401;
    settings.Set(PULO5_KEY, VALUE_LANGUAGE, L"");
    settings.Set(PULO4_KEY, VALUE_LANGUAGE, L"1031");
    EXPECT_EQ(ChooseLanguage(settings, system), 1033);
}

TEST(ChooseLanguage, UserDefaultWithoutSetting) {
    CFakeSettingsStore settings;
    CFakeSystemInfo system;
    system.userLanguage = 0x0401;
    const uint16_t language = ChooseLanguage(settings, system);
    EXPECT_EQ(language, 1025);
    EXPECT_EQ(IsRightToLeft(language), 1);
    system.userLanguage = 0x0804;
    EXPECT_EQ(ChooseLanguage(settings, system), 2052);
}

TEST(ChooseLanguage, OnlyArabicIsRightToLeft) {
    for (uint16_t language :
         {1028, 1031, 1033, 1034, 1036, 1040, 1043, 1045, 1046, 1049, 1053, 1054, 1055, 2052})
        EXPECT_EQ(IsRightToLeft(language), 0) << language;
}
} // namespace
