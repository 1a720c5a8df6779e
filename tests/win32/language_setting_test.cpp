#include "app/language.h"
#include "engine/product_keys.h"
#include "engine/win32/registry.h"
#include "platform/win32/scoped_handles.h"
#include "tests/support/fakes.h"
#include <gtest/gtest.h>

namespace {
// The product keys' layout under the current user of the test prefix: the reading rules are
// the registry's, whichever hive holds them.
class LanguageSetting : public testing::Test {
  protected:
    CRegistry registry{HKEY_CURRENT_USER};
    CFakeSystemInfo system;

    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Norvane"); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Norvane"); }

    static void SetDword(const wchar_t* key, const wchar_t* name, DWORD value) {
        HKEY hKey = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &hKey,
                                  nullptr),
                  ERROR_SUCCESS);
        const CScopedKey opened(hKey);
        ASSERT_EQ(RegSetValueExW(opened.Get(), name, 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&value), sizeof value),
                  ERROR_SUCCESS);
    }
};

// A number stored where the installer writes a text cannot be read as a setting, so the
// second product key decides.
TEST_F(LanguageSetting, NonStringUnderPulo5FallsThroughToPulo4) {
    SetDword(PULO5_KEY, VALUE_LANGUAGE, 1031);
    ASSERT_TRUE(registry.WriteString(PULO4_KEY, VALUE_LANGUAGE, L"0x040C"));
    system.userLanguage = 0x0410;
    EXPECT_EQ(ChooseLanguage(registry, system), 1036);

    RegDeleteTreeW(HKEY_CURRENT_USER, PULO4_KEY);
    EXPECT_EQ(ChooseLanguage(registry, system), 1040) << "neither readable: the user default";
}
} // namespace
