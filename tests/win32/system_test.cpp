#include "app/language.h"
#include "app/system_check.h"
#include "app/win32/win32_system_info.h"
#include <gtest/gtest.h>

namespace {
// The test prefix reports Windows 7 and runs everything elevated.
TEST(Win32SystemInfo, TestPrefixIsASupportedSystem) {
    CWin32SystemInfo system;
    VersionRecord record;
    ASSERT_TRUE(system.QueryVersion(record));
    EXPECT_EQ(record.platformId, 2u);
    EXPECT_EQ(GetSystemCode(system), SYSTEM_WIN7);
    EXPECT_EQ(IsUserAdmin(system), 1);
    EXPECT_EQ(SystemGateMessage(GetSystemCode(system), system), 0);
}

TEST(Win32SystemInfo, UserDefaultLanguageMapsIntoTheCatalogue) {
    CWin32SystemInfo system;
    EXPECT_NE(system.UserDefaultLanguage(), 0);
    const uint16_t language = LanguageFromUserDefault(system.UserDefaultLanguage());
    EXPECT_TRUE(language == LANGUAGE_ENGLISH || language != 0);
}
} // namespace
