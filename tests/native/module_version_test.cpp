#include "engine/module_version.h"
#include "tests/support/fakes.h"
#include <gtest/gtest.h>

namespace {
std::vector<uint8_t> FixedBlock(uint32_t signature) {
    std::vector<uint8_t> block(52, 0);
    for (int i = 0; i < 4; ++i)
        block[i] = static_cast<uint8_t>(signature >> (8 * i));
    return block;
}

CFakeVersionResource ProgramResource() {
    CFakeVersionResource resource;
    resource.binary[L"\\"] = FixedBlock(0xFEEF04BD);
    resource.binary[L"\\VarFileInfo\\Translation"] = {0x09, 0x04, 0xB0, 0x04};
    resource.strings[L"\\StringFileInfo\\040904b0\\CompanyName"] = L"Norvane";
    resource.strings[L"\\StringFileInfo\\040904b0\\ProductVersion"] = L"1, 00, 0, 0";
    return resource;
}

TEST(ModuleVersion, ReadsValuesForTheModulesTranslation) {
    CFakeVersionResource resource = ProgramResource();
    CModuleVersion version(resource);
    ASSERT_TRUE(version.Load(nullptr));
    EXPECT_EQ(version.Fixed().signature, 0xFEEF04BDu);
    EXPECT_EQ(version.CompanyName(), L"Norvane");
    EXPECT_EQ(version.ProductVersion(), L"Version 1.00");
    EXPECT_EQ(version.LegalCopyright(), L"");
}

TEST(ModuleVersion, WithoutTranslationUsesLanguageZeroAndCodePage1252) {
    CFakeVersionResource resource = ProgramResource();
    resource.binary[L"\\VarFileInfo\\Translation"] = {0x09, 0x04, 0xB0}; // too short to count
    CModuleVersion version(resource);
    ASSERT_TRUE(version.Load(nullptr));
    version.GetValue(L"ProductName");
    ASSERT_FALSE(resource.stringQueries.empty());
    EXPECT_EQ(resource.stringQueries.back(), L"\\StringFileInfo\\000004e4\\ProductName");
}

TEST(ModuleVersion, WrongSignatureFailsTheLoad) {
    CFakeVersionResource resource = ProgramResource();
    resource.binary[L"\\"] = FixedBlock(0x12345678);
    CModuleVersion version(resource);
    EXPECT_FALSE(version.Load(nullptr));
}

TEST(ModuleVersion, NoResourceGivesEmptyValues) {
    CFakeVersionResource resource = ProgramResource();
    resource.loadable = false;
    CModuleVersion version(resource);
    EXPECT_FALSE(version.Load(L"other.dll"));
    EXPECT_EQ(version.CompanyName(), L"");
    EXPECT_EQ(version.ProductVersion(), L"Version ");
    EXPECT_TRUE(resource.stringQueries.empty());
}

TEST(ModuleVersion, MissingFixedBlockFailsTheLoad) {
    CFakeVersionResource resource = ProgramResource();
    resource.binary.erase(L"\\");
    CModuleVersion version(resource);
    EXPECT_FALSE(version.Load(nullptr));
    EXPECT_EQ(version.CompanyName(), L"");
}

TEST(ShortProductVersion, CutsAfterTwoCharactersFollowingThePoint) {
    EXPECT_EQ(ShortProductVersion(L"1, 05, 0, 12"), L"1.05");
    EXPECT_EQ(ShortProductVersion(L"1.2.3.4"), L"1.2.");
    EXPECT_EQ(ShortProductVersion(L"12.345"), L"12.34");
    EXPECT_EQ(ShortProductVersion(L"1.5"), L"1.5");
    EXPECT_EQ(ShortProductVersion(L"123"), L"12");
    EXPECT_EQ(ShortProductVersion(L" 7 "), L"7");
    EXPECT_EQ(ShortProductVersion(L""), L"");
}
} // namespace
