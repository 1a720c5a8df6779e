#include "engine/win32/registry.h"
#include <gtest/gtest.h>
#include <string>

namespace {
// A scratch key under the current user; the product keys are never touched here.
class Registry : public testing::Test {
  protected:
    const wchar_t* KEY = L"Software\\QuillmateTests\\Registry";
    CRegistry registry{HKEY_CURRENT_USER};

    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QuillmateTests"); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QuillmateTests"); }

    void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY hKey = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, KEY, 0, nullptr, 0, KEY_WRITE, nullptr, &hKey,
                                  nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(hKey, name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
        RegCloseKey(hKey);
    }
};

TEST_F(Registry, WriteCreatesTheKeyAndReadsBack) {
    ASSERT_TRUE(registry.WriteString(KEY, L"QmRunPath", L"C:\\Program Files\\Quillmate"));
    std::wstring text;
    ASSERT_TRUE(registry.ReadString(KEY, L"QmRunPath", text));
    EXPECT_EQ(text, L"C:\\Program Files\\Quillmate");

    DWORD type = 0;
    DWORD size = 0;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, KEY, L"QmRunPath", RRF_RT_ANY, &type, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, (text.size() + 1) * sizeof(wchar_t));
}

TEST_F(Registry, NonLatinAndEmptyTexts) {
    ASSERT_TRUE(registry.WriteString(KEY, L"Name", L"\u66f4\u65b0\u5b8c\u6210 \u0627\u0644"));
    ASSERT_TRUE(registry.WriteString(KEY, L"Empty", L""));
    std::wstring text = L"x";
    ASSERT_TRUE(registry.ReadString(KEY, L"Name", text));
    EXPECT_EQ(text, L"\u66f4\u65b0\u5b8c\u6210 \u0627\u0644");
    ASSERT_TRUE(registry.ReadString(KEY, L"Empty", text));
    EXPECT_EQ(text, L"");
}

TEST_F(Registry, MissingKeyOrValueLeavesTheTextUnchanged) {
    std::wstring text = L"before";
    EXPECT_FALSE(registry.ReadString(L"Software\\QuillmateTests\\Nowhere", L"QmRunPath", text));
    ASSERT_TRUE(registry.WriteString(KEY, L"Other", L"1"));
    EXPECT_FALSE(registry.ReadString(KEY, L"QmRunPath", text));
    EXPECT_EQ(text, L"before");
}

TEST_F(Registry, DwordCountsAsMissing) {
    const DWORD one = 1;
    SetRaw(L"OnlineCheckUpdate", REG_DWORD, &one, sizeof one);
    std::wstring text = L"before";
    EXPECT_FALSE(registry.ReadString(KEY, L"OnlineCheckUpdate", text));
    EXPECT_EQ(text, L"before");
}

TEST_F(Registry, StringWithoutTerminatingZero) {
    const wchar_t data[] = {L'1', L'0', L'3', L'1'};
    SetRaw(L"QMLanguage", REG_SZ, data, sizeof data);
    std::wstring text;
    ASSERT_TRUE(registry.ReadString(KEY, L"QMLanguage", text));
    EXPECT_EQ(text, L"1031");
}

TEST_F(Registry, TextEndsAtTheFirstZero) {
    const wchar_t data[] = L"ab\0cd";
    SetRaw(L"Split", REG_SZ, data, sizeof data);
    std::wstring text;
    ASSERT_TRUE(registry.ReadString(KEY, L"Split", text));
    EXPECT_EQ(text, L"ab");
}

TEST_F(Registry, ExpandableTextIsNotExpanded) {
    const wchar_t data[] = L"%SystemRoot%\\x";
    SetRaw(L"Expand", REG_EXPAND_SZ, data, sizeof data);
    std::wstring text;
    ASSERT_TRUE(registry.ReadString(KEY, L"Expand", text));
    EXPECT_EQ(text, L"%SystemRoot%\\x");
}

TEST_F(Registry, LargeValue) {
    const std::wstring big(32767, L'q'); // 64 KB with its terminating zero
    ASSERT_TRUE(registry.WriteString(KEY, L"Big", big));
    std::wstring text;
    ASSERT_TRUE(registry.ReadString(KEY, L"Big", text));
    EXPECT_EQ(text, big);
}
} // namespace
