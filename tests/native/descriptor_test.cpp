#include "online/descriptor.h"
#include "tests/support/fake_engine.h"
#include <gtest/gtest.h>
#include <string>

namespace {
CFakeUpgradeLibrary g_codePage;
DescriptorContent Firmware(const std::string& text) {
    return ParseDescriptor(text, DescriptorKind::FIRMWARE, g_codePage);
}
DescriptorContent Tool(const std::string& text) {
    return ParseDescriptor(text, DescriptorKind::TOOL, g_codePage);
}

TEST(Descriptor, VersionForms) {
    const struct {
        const char* line;
        int major, minor;
    } cases[] = {{"version=V1.05", 1, 5},  {"version=v1.05", 1, 5},    {"version=1.05", 1, 5},
                 {"version=1.5", 1, 5},    {"version=12.345", 12, 34}, {"version= 2.07", 2, 7},
                 {"version=V-3.x1", -3, 0}};
    for (const auto& c : cases) {
        const DescriptorContent content =
            Firmware(std::string(c.line) + "\r\nurl=http://h/p.exe\r\n");
        EXPECT_EQ(content.result, 1) << c.line;
        EXPECT_EQ(content.major, c.major) << c.line;
        EXPECT_EQ(content.minor, c.minor) << c.line;
    }
}

TEST(Descriptor, AddressExtentAndLineEnds) {
    EXPECT_EQ(Firmware("version=1.05\r\nurl=http://h/P.exe\r\ninfo=http://h/i.htm\r\n").packageUrl,
              L"http://h/P.exe");
    EXPECT_EQ(Firmware("version=1.05\nurl=http://h/p.exe \t\ninfo=http://h/i.htm\n").packageUrl,
              L"http://h/p.exe");
    // The last line without a line feed ends after ".exe", whatever follows.
    EXPECT_EQ(Firmware("version=1.05\nurl=http://h/p.EXE?x=1").packageUrl, L"http://h/p.EXE");
    EXPECT_EQ(Firmware("version=1.05\nurl= http://h/p.exe\n").packageUrl, L" http://h/p.exe");
    const DescriptorContent noEnd =
        Firmware("version=1.05\ninfo=http://h/i.htm\nurl=http://h/p.bin");
    EXPECT_EQ(noEnd.result, 0);
    EXPECT_EQ(noEnd.infoUrl, L"http://h/i.htm");
    // A page address that ends the text without a line feed is cut after ".htm".
    EXPECT_EQ(Firmware("version=1.05\nurl=http://h/p.exe\ninfo=http://h/page.html").infoUrl,
              L"http://h/page.htm");
    EXPECT_EQ(Firmware("version=1.05\nurl=http://h/p.exe\ninfo=http://h/page").infoUrl, L"");
}

TEST(Descriptor, KeysInAnyCaseValuesAsRead) {
    const DescriptorContent content =
        Firmware("VERSION=V2.10\r\nURL=HTTP://Host/Pkg.Exe\r\nInfo=http://Host/A.HTM\r\n");
    EXPECT_EQ(content.result, 1);
    EXPECT_EQ(content.major, 2);
    EXPECT_EQ(content.minor, 10);
    EXPECT_EQ(content.packageUrl, L"HTTP://Host/Pkg.Exe");
    EXPECT_EQ(content.infoUrl, L"http://Host/A.HTM");
    // Keys need not begin a line; only the first occurrence counts.
    EXPECT_EQ(Firmware("xversion=1.02 url=http://a/1.exe\nurl=http://a/2.exe\n").packageUrl,
              L"http://a/1.exe");
}

TEST(Descriptor, Rejections) {
    const char* rejected[] = {
        "",
        "version=1.05\n",
        "url=http://h/p.exe\n",
        "version=105\nurl=http://h/p\n",
        "version=1.05\nurl=http://h/p.exe\nError: no such model\n",
        "version=1.05\nurl=http://h/p.exe\nsome eRRoR:\n",
        "version=1.05\nurl=http://h/p.bin",
        "version=1.05\nurl=\nvers//h/p.exe\n", // an empty address (found by fuzzing)
        "version=1.05\r\nurl= \t\r\n",
    };
    for (const char* text : rejected) {
        EXPECT_EQ(Firmware(text).result, 0) << text;
        EXPECT_EQ(Tool(text).result, 0) << text;
    }
    EXPECT_EQ(Firmware("version=1.05\nurl=http://h/p.exe\nerror :\n").result, 1);
    // The point is searched beyond the version line.
    const DescriptorContent late = Firmware("version=105\nurl=http://h/p.exe\n");
    EXPECT_EQ(late.result, 1);
    EXPECT_EQ(late.major, 105);
}

TEST(Descriptor, InfoAtTheVeryStartIsIgnored) {
    EXPECT_EQ(Firmware("info=http://h/i.htm\nversion=1.05\nurl=http://h/p.exe\n").infoUrl, L"");
    EXPECT_EQ(Firmware("\ninfo=http://h/i.htm\nversion=1.05\nurl=http://h/p.exe\n").infoUrl,
              L"http://h/i.htm");
}

TEST(Descriptor, ToolNeedsTheUrlAfterTheVersion) {
    const std::string urlFirst = "url=http://h/setup.exe\r\nversion=V1.05\r\n";
    EXPECT_EQ(Tool(urlFirst).result, 0);
    EXPECT_EQ(Firmware(urlFirst).result, 1);
    // The url key must begin more than four characters after the number.
    EXPECT_EQ(Tool("version=1.05url=http://h/s.exe\ninfo=http://h/i.htm\n").result, 0);
    EXPECT_EQ(Tool("version=1.05url=http://h/s.exe\ninfo=http://h/i.htm\n").infoUrl, L"");
    EXPECT_EQ(Tool("version=1.055url=http://h/s.exe\n").result, 1);
    const DescriptorContent content = Tool("version=V2.7\r\nurl=http://h/Setup.exe\r\n");
    EXPECT_EQ(content.major, 2);
    EXPECT_EQ(content.minor, 7);
}

TEST(Descriptor, BinaryZeroesAndHugeTexts) {
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary.push_back(static_cast<char>((i * 37 + 11) & 0xFF));
    EXPECT_EQ(Firmware(binary + "version=1.05\nurl=http://h/p.exe\n").result,
              binary.find('\0') == std::string::npos ? 1 : 0);
    // The text ends at its first zero byte.
    EXPECT_EQ(Firmware(std::string("version=1.05\n\0url=http://h/p.exe\n", 33)).result, 0);
    const std::string padding(10 << 20, 'x');
    const DescriptorContent huge = Firmware(padding + "\nversion=3.01\nurl=http://h/p.exe\n");
    EXPECT_EQ(huge.result, 1);
    EXPECT_EQ(huge.minor, 1);
    // Digits without end stay within 32 bits.
    EXPECT_EQ(Firmware("version=" + std::string(5000, '9') + ".05\nurl=http://h/p.exe\n").major,
              2147483647);
    // Bytes above 127 are kept as characters of their own.
    EXPECT_EQ(Firmware("version=1.05\nurl=http://h/\xe9.exe\n").packageUrl, L"http://h/\u00e9.exe");
}
} // namespace

namespace {
// The bytes go through the ANSI code page, not one character per byte.
TEST(Descriptor, ReadThroughTheAnsiCodePage) {
    CFakeUpgradeLibrary western;
    western.codePage = 1252;
    // 0x80 is the euro sign in 1252, not U+0080; 0x93/0x94 are typographic quotes.
    const DescriptorContent euro =
        ParseDescriptor("version=V1.05\r\nurl=http://h/p.exe\r\ninfo=http://h/\x80\x93.htm\r\n",
                        DescriptorKind::FIRMWARE, western);
    EXPECT_EQ(euro.result, 1);
    EXPECT_EQ(euro.infoUrl, L"http://h/\u20AC\u201C.htm");

    CFakeUpgradeLibrary japanese;
    japanese.codePage = 932;
    // 0x83 0x76 is one character (PU), 0x95 0x5C one whose second byte is a backslash.
    const std::string text = "version=\x83\x76"
                             "2.07\r\nurl=http://h/\x95\x5C.exe\r\n";
    const DescriptorContent dbcs = ParseDescriptor(text, DescriptorKind::FIRMWARE, japanese);
    EXPECT_EQ(dbcs.result, 1);
    EXPECT_EQ(dbcs.major, 0); // the version text starts with a Katakana letter, not a digit
    EXPECT_EQ(dbcs.minor, 7);
    EXPECT_EQ(dbcs.packageUrl, L"http://h/\u8868.exe");
    // 0x83 0x75 is BU: read byte by byte, its second byte and what follows would spell "url=".
    // In the converted text there is no such key.
    const DescriptorContent hidden = ParseDescriptor("version=1.05\r\n\x83url=http://h/p.exe\r\n",
                                                     DescriptorKind::FIRMWARE, japanese);
    EXPECT_EQ(hidden.result, 0);
    EXPECT_TRUE(hidden.packageUrl.empty());
    // The same text as a 1252 descriptor: 0x83 is a letter of its own, the key stands.
    EXPECT_EQ(ParseDescriptor("version=1.05\r\n\x83url=http://h/p.exe\r\n",
                              DescriptorKind::FIRMWARE, western)
                  .result,
              1);
    // A lead byte without its second byte cannot be converted: no descriptor.
    EXPECT_EQ(ParseDescriptor("version=1.05\r\nurl=http://h/p.exe\r\n\x82", DescriptorKind::TOOL,
                              japanese)
                  .result,
              0);
    // The tool's version parts read as from the 8-bit text, the url key counted in characters.
    const DescriptorContent tool = ParseDescriptor("version=2.07\x82\xA0\r\nurl=http://h/s.exe\n",
                                                   DescriptorKind::TOOL, japanese);
    EXPECT_EQ(tool.result, 1);
    EXPECT_EQ(tool.major, 2);
    EXPECT_EQ(tool.minor, 7);
}
} // namespace
