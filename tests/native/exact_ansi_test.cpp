#include "platform/upgrade_library.h"
#include "tests/support/fake_engine.h"
#include <gtest/gtest.h>

namespace {
struct AnsiRow {
    uint32_t codePage;
    std::wstring text;
    bool converted;
    std::string ansi;
};

// The folder the library gets must be the folder named, byte for byte, or nothing.
TEST(ExactAnsi, OnlyTextThatComesBackUnchanged) {
    const AnsiRow rows[] = {
        {1252, L"", true, ""},
        {1252, L"C:\\Prog\\Q\\Firmware\\PULO5", true, "C:\\Prog\\Q\\Firmware\\PULO5"},
        {1252, L"C:\\Programme\\M\u00fcller", true, "C:\\Programme\\M\xfcller"},
        // Best fit would hand the library C:\Programme\Lodz, another folder.
        {1252, L"C:\\Programme\\\u0141\u00f3d\u017a\\Firmware", false, ""},
        {1252, L"C:\\\u20ac\u0100", false, ""},
        // The system-wide UTF-8 code page takes no conversion flags; every name fits it.
        {65001, L"C:\\Prog\\Q", true, "C:\\Prog\\Q"},
        {65001, L"C:\\\u0141\u00f3d\u017a", true,
         "C:\\\xc5\x81\xc3\xb3"
         "d\xc5\xba"},
        {65001, std::wstring(L"C:\\") + static_cast<wchar_t>(0xD800), false, ""},
    };
    for (const AnsiRow& row : rows) {
        SCOPED_TRACE(testing::Message() << row.codePage << " " << testing::PrintToString(row.text));
        CFakeUpgradeLibrary library;
        library.codePage = row.codePage;
        std::string ansi = "previous";
        EXPECT_EQ(ToExactAnsi(library, row.text, ansi), row.converted);
        EXPECT_EQ(ansi, row.ansi);
    }
}
} // namespace
