#include "tests/support/builtin_message_source.h"
#include "tests/support/catalogue_table.h"
#include "ui/message_catalogue.h"
#include <gtest/gtest.h>

namespace {
class Catalogue : public testing::Test {
  protected:
    CBuiltInMessageSource source;
    CMessageCatalogue catalogue{source};

    std::wstring Text(uint16_t language, uint16_t id) {
        std::wstring text;
        catalogue.Load(text, language, id);
        return text;
    }
};

size_t Count(const std::wstring& text, const std::wstring& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST_F(Catalogue, EveryLanguageHasEveryMessageButFrench201) {
    ASSERT_EQ(CATALOGUE_LANGUAGE_COUNT, std::size(CATALOGUE_LANGUAGES));
    for (uint16_t language : CATALOGUE_LANGUAGES) {
        for (uint16_t id = MSG_FIRST; id <= MSG_LAST; ++id) {
            std::wstring text;
            const bool expected = !(language == 1036 && id == 201);
            EXPECT_EQ(catalogue.Load(text, language, id), expected) << language << " " << id;
            EXPECT_EQ(text.empty(), !expected) << language << " " << id;
        }
    }
}

TEST_F(Catalogue, TranslationsKeepPlaceholdersAndMarks) {
    for (uint16_t language : CATALOGUE_LANGUAGES) {
        for (uint16_t id = MSG_FIRST; id <= MSG_LAST; ++id) {
            const std::wstring english = Text(1033, id);
            const std::wstring text = Text(language, id);
            if (text.empty())
                continue;
            EXPECT_EQ(Count(text, L"%s"), Count(english, L"%s")) << language << " " << id;
            EXPECT_EQ(Count(text, L"\n"), Count(english, L"\n")) << language << " " << id;
            EXPECT_EQ(Count(text, L"%"), Count(english, L"%")) << language << " " << id;
        }
        EXPECT_NE(Text(language, 185).find(L")K"), std::wstring::npos) << language;
        EXPECT_NE(Text(language, 187).find(L")K"), std::wstring::npos) << language;
        EXPECT_NE(Text(language, 142).find(L"support.norvane.example"), std::wstring::npos);
        EXPECT_EQ(Text(language, 214), Text(1033, 214)) << language;
        EXPECT_EQ(Text(language, 102), L"Norvane Quillmate %s") << language;
    }
}

TEST_F(Catalogue, Message196IsABlankExceptInGermanAndFrench) {
    for (uint16_t language : CATALOGUE_LANGUAGES) {
        std::wstring text = L"untouched";
        EXPECT_TRUE(catalogue.Load(text, language, 196)) << language;
        if (language == 1031)
            EXPECT_EQ(text, L"w\u00e4hrend Sie den Player an Ihren PC anschlie\u00dfen");
        else if (language == 1036)
            EXPECT_EQ(text, L"lecteur \u00e0 l'ordinateur");
        else
            EXPECT_EQ(text, L" ") << language;
    }
}

TEST_F(Catalogue, EnglishTextsAsTheProgramShowsThem) {
    EXPECT_EQ(Text(1033, 121), L"Current device firmware version: [%s]\n"
                               L"Current Quillmate firmware version: [%s]");
    EXPECT_EQ(Text(1033, 142), L"Visit support.norvane.example for latest updates");
    EXPECT_EQ(Text(1033, 209), L"Sorry, Internet connection unavailable. Please ensure Internet "
                               L"connection is available to run automatic procedure \"Check for "
                               L"updates\".");
    EXPECT_EQ(Text(1033, 211), L"Please close all applications that may  access the device.");
    EXPECT_EQ(Text(1049, 101).find(L'&') != std::wstring::npos, true);
}

TEST_F(Catalogue, TitleAndExitTextAreFilledWithTheModelName) {
    const std::wstring title = catalogue.Title(1033);
    EXPECT_EQ(title, L"Norvane Quillmate Tembly ZQ4MKT");
    EXPECT_EQ(FormatText(Text(1033, 210), {title}),
              L"Norvane Quillmate Tembly ZQ4MKT now exiting...");
}

TEST_F(Catalogue, NoFallbackForUnknownLanguagesOrIds) {
    for (uint16_t id : {100, 101, 214, 215}) {
        std::wstring text = L"kept";
        EXPECT_FALSE(catalogue.Load(text, 1032, id));
        EXPECT_EQ(text, L"kept");
    }
    for (uint16_t language : CATALOGUE_LANGUAGES) {
        std::wstring text = L"kept";
        EXPECT_FALSE(catalogue.Load(text, language, 100));
        EXPECT_FALSE(catalogue.Load(text, language, 215));
        EXPECT_FALSE(catalogue.Load(text, language, 0));
        EXPECT_FALSE(catalogue.Load(text, language, 65535));
        EXPECT_EQ(text, L"kept");
    }
}

TEST_F(Catalogue, LanguageZeroIsEnglish) {
    std::wstring text;
    EXPECT_TRUE(catalogue.Load(text, 177));
    EXPECT_EQ(text, L"Press OK to continue.");
}

TEST(FindBlockEntry, WalksCountedEntries) {
    const char16_t block[] = {0, 2, u'a', u'b', 0, 1, u'c'};
    const char16_t* text = nullptr;
    size_t length = 0;
    EXPECT_FALSE(FindBlockEntry(block, std::size(block), 0, text, length)); // empty entry
    ASSERT_TRUE(FindBlockEntry(block, std::size(block), 1, text, length));
    EXPECT_EQ(std::u16string(text, length), u"ab");
    ASSERT_TRUE(FindBlockEntry(block, std::size(block), 3, text, length));
    EXPECT_EQ(std::u16string(text, length), u"c");
    EXPECT_FALSE(FindBlockEntry(block, std::size(block), 4, text, length)); // walked off
    EXPECT_FALSE(FindBlockEntry(block, std::size(block), 15, text, length));
}

TEST(FindBlockEntry, CountsThatRunPastTheBlockFindNothing) {
    const char16_t truncated[] = {5, u'a', u'b'};
    const char16_t* text = nullptr;
    size_t length = 0;
    EXPECT_FALSE(FindBlockEntry(truncated, std::size(truncated), 0, text, length));
    EXPECT_FALSE(FindBlockEntry(truncated, std::size(truncated), 1, text, length));
    EXPECT_FALSE(FindBlockEntry(truncated, 0, 0, text, length));
    const char16_t huge[] = {0xFFFF, u'x'};
    EXPECT_FALSE(FindBlockEntry(huge, std::size(huge), 0, text, length));
    EXPECT_FALSE(FindBlockEntry(huge, std::size(huge), 1, text, length));
}

TEST(FormatText, FillsInOrder) {
    EXPECT_EQ(FormatText(L"[%s] and [%s]", {L"a", L"b"}), L"[a] and [b]");
    EXPECT_EQ(FormatText(L"[%s] and [%s]", {L"a"}), L"[a] and []");
    EXPECT_EQ(FormatText(L"no fill", {L"a"}), L"no fill");
    EXPECT_EQ(FormatText(L"100%", {}), L"100%");
    EXPECT_EQ(FormatText(L"%d %s", {L"x"}), L"%d x");
    EXPECT_EQ(FormatText(L"%s", {L"%s"}), L"%s");
}
} // namespace
