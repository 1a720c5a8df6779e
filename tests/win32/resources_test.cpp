#include "engine/module_version.h"
#include "engine/win32/win32_version_resource.h"
#include "tests/support/builtin_message_source.h"
#include "ui/message_catalogue.h"
#include "ui/win32/resource_message_source.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <string>

namespace {
// The test program carries the same resources as quillmate.exe.
TEST(ResourceCatalogue, EqualsTheCatalogueSources) {
    CResourceMessageSource resources(GetModuleHandleW(nullptr));
    CBuiltInMessageSource builtIn;
    const CMessageCatalogue fromResources(resources);
    const CMessageCatalogue fromSources(builtIn);
    std::vector<uint16_t> languages(std::begin(CATALOGUE_LANGUAGES), std::end(CATALOGUE_LANGUAGES));
    languages.insert(languages.end(), {0, 1032, 0x0807, 0x0C04, 0x0001, 0x0009});
    for (uint16_t language : languages) {
        for (uint16_t id = 95; id <= 220; ++id) {
            std::wstring a = L"unset";
            std::wstring b = L"unset";
            const bool foundA = fromResources.Load(a, language, id);
            const bool foundB = fromSources.Load(b, language, id);
            EXPECT_EQ(foundA, foundB) << language << " " << id;
            EXPECT_EQ(a, b) << language << " " << id;
        }
    }
}

// The language enumerator as Windows Vista and later run it: an enumeration that its callback
// stopped fails with ERROR_RESOURCE_ENUM_USER_STOP. Wine leaves the last error alone.
BOOL WINAPI EnumerateLikeVista(HMODULE hModule, LPCWSTR type, LPCWSTR name,
                               ENUMRESLANGPROCW callback, LONG_PTR param) {
    SetLastError(ERROR_SUCCESS);
    if (EnumResourceLanguagesW(hModule, type, name, callback, param))
        return TRUE;
    if (GetLastError() == ERROR_SUCCESS)
        SetLastError(ERROR_RESOURCE_ENUM_USER_STOP);
    return FALSE;
}

// Related languages (German of Switzerland, neutral German) must not borrow German texts; the
// exact language is found whatever last error the stopped enumeration leaves.
TEST(ResourceCatalogue, OnlyTheExactLanguageTag) {
    for (const auto enumerate : {&EnumResourceLanguagesW, &EnumerateLikeVista}) {
        CResourceMessageSource resources(GetModuleHandleW(nullptr), enumerate);
        const CMessageCatalogue catalogue(resources);
        std::wstring text;
        EXPECT_TRUE(catalogue.Load(text, 0x0407, 111));
        EXPECT_TRUE(catalogue.Load(text, 0x0401, 102));
        for (uint16_t language : {0x0807, 0x0007, 0x0000 | 0x0400, 0x0809}) {
            text = L"kept";
            EXPECT_FALSE(catalogue.Load(text, language, 111)) << language;
            EXPECT_EQ(text, L"kept");
        }
    }
}

TEST(ModuleVersion, ProgramsOwnVersionRecord) {
    CWin32VersionResource platform;
    CModuleVersion version(platform);
    ASSERT_TRUE(version.Load(nullptr));
    EXPECT_EQ(version.CompanyName(), L"Norvane");
    EXPECT_EQ(version.ProductName(), L"Quillmate Tembly ZQ4MKT");
    EXPECT_EQ(version.CompanyName() + L" " + version.ProductName(),
              L"Norvane Quillmate Tembly ZQ4MKT");
    EXPECT_EQ(version.ProductVersion(), L"Version 1.00");
    EXPECT_FALSE(version.LegalCopyright().empty());
    EXPECT_EQ(version.GetValue(L"NoSuchValue"), L"");
}

TEST(ModuleVersion, ModuleThatIsNotLoaded) {
    CWin32VersionResource platform;
    CModuleVersion version(platform);
    EXPECT_FALSE(version.Load(L"quillmate-no-such-module.dll"));
    EXPECT_EQ(version.ProductVersion(), L"Version ");
}

TEST(Manifest, RequestsElevationAndCommonControls6) {
    HRSRC info = FindResourceW(nullptr, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(info, nullptr);
    const char* data = static_cast<const char*>(LockResource(LoadResource(nullptr, info)));
    const std::string manifest(data, SizeofResource(nullptr, info));
    EXPECT_NE(manifest.find("level=\"requireAdministrator\" uiAccess=\"false\""),
              std::string::npos);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Quillmate\" version=\"1.0.0.0\""),
              std::string::npos);
}
} // namespace
