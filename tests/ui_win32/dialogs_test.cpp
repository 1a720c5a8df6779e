#include "res/resource.h"
#include "tests/ui_win32/ui_driver.h"
#include "ui/dialog_layout.h"
#include "ui/message_catalogue.h"
#include "ui/win32/about_dlg.h"
#include "ui/win32/message_dlg.h"
#include "ui/win32/question_dlg.h"
#include "ui/win32/ui_resources.h"
#include <gtest/gtest.h>
#include <string>

namespace {

std::wstring Name(const wchar_t* what, uint16_t language) {
    return std::wstring(what) + L"-" + std::to_wstring(language);
}

std::wstring Title(uint16_t language) {
    return ProgramCatalogue().Title(language);
}

// What a driver saw of a dialog before it ended it.
struct Seen {
    std::wstring title, text, ok;
    LONG exStyle = 0;
    SIZE size{};
    bool openAfterKeys = false;
};

void Look(HWND hWnd, Seen& seen) {
    seen.title = WindowTextOf(hWnd);
    seen.text = ItemText(hWnd, IDC_TEXT);
    seen.ok = ItemText(hWnd, IDOK);
    seen.exStyle = ExStyle(hWnd);
    seen.size = WindowSize(hWnd);
}

TEST(MessageDialog, EveryLanguageShowsItsTextsAndEndsWithOk) {
    for (uint16_t language : CATALOGUE_LANGUAGES) {
        Seen seen;
        const INT_PTR result = RunDriven(
            [&] {
                CMessageDlg dialog(language, language == 1025, MSG_TITLE, MSG_UPDATE_COMPLETED,
                                   PICTURE_NOTICE, nullptr);
                return dialog.DoModal();
            },
            [&](HWND hWnd) {
                ASSERT_TRUE(hWnd);
                Look(hWnd, seen);
                Screenshot(hWnd, Name(L"message", language));
                Click(hWnd, IDOK);
            });
        EXPECT_EQ(result, IDOK) << language;
        EXPECT_EQ(seen.title, Title(language)) << language;
        EXPECT_EQ(seen.text, LoadText(language, MSG_UPDATE_COMPLETED)) << language;
        EXPECT_FALSE(seen.text.empty()) << language;
        EXPECT_EQ(seen.ok, L"OK") << language;
        EXPECT_EQ(seen.size.cx, 340);
        EXPECT_EQ(seen.size.cy, 172);
        // Only Arabic is mirrored.
        EXPECT_EQ((seen.exStyle & WS_EX_LAYOUTRTL) != 0, language == 1025) << language;
    }
}

TEST(QuestionDialog, EveryLanguageShowsItsTextsAndButtons) {
    for (uint16_t language : CATALOGUE_LANGUAGES) {
        Seen seen;
        std::wstring yes, cancel, leftKey, rightKey;
        const INT_PTR result = RunDriven(
            [&] {
                CQuestionDlg dialog(language, language == 1025, MSG_TITLE, MSG_UPDATE_AVAILABLE,
                                    MSG_INSTALL_NOW, MSG_RELEASE_KEY, MSG_KEY_IF_HELD,
                                    MSG_LINK_TEXT, MSG_MEDIA_DOWNLOAD_ADDRESS, nullptr);
                return dialog.DoModal();
            },
            [&](HWND hWnd) {
                ASSERT_TRUE(hWnd);
                Look(hWnd, seen);
                yes = ItemText(hWnd, IDOK);
                cancel = ItemText(hWnd, IDCANCEL);
                leftKey = ItemText(hWnd, IDC_LEFT_KEY);
                rightKey = ItemText(hWnd, IDC_RIGHT_KEY);
                Screenshot(hWnd, Name(L"question", language));
                Click(hWnd, IDCANCEL);
            });
        EXPECT_EQ(result, IDCANCEL) << language;
        EXPECT_EQ(seen.title, Title(language)) << language;
        EXPECT_EQ(seen.text, LoadText(language, MSG_UPDATE_AVAILABLE)) << language;
        EXPECT_EQ(yes, LoadText(language, MSG_YES)) << language;
        EXPECT_EQ(cancel, LoadText(language, MSG_CANCEL)) << language;
        EXPECT_EQ(leftKey, LoadText(language, MSG_RELEASE_KEY)) << language;
        // French has no message 201: the key text stays empty and the dialog still works.
        EXPECT_EQ(rightKey, LoadText(language, MSG_KEY_IF_HELD)) << language;
        EXPECT_EQ(seen.size.cx, 360);
        EXPECT_EQ((seen.exStyle & WS_EX_LAYOUTRTL) != 0, language == 1025) << language;
    }
}

TEST(AboutDialog, EveryLanguageReadsTheVersionRecordAndIsNeverMirrored) {
    for (uint16_t language : CATALOGUE_LANGUAGES) {
        Seen seen;
        std::wstring product, version;
        const INT_PTR result = RunDriven(
            [&] {
                CAboutDlg dialog(language);
                return dialog.DoModal();
            },
            [&](HWND hWnd) {
                ASSERT_TRUE(hWnd);
                Look(hWnd, seen);
                product = ItemText(hWnd, IDC_ABOUT_PRODUCT);
                version = ItemText(hWnd, IDC_ABOUT_VERSION);
                Screenshot(hWnd, Name(L"about", language));
                Click(hWnd, IDOK);
            });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(seen.title, L"About Norvane Quillmate Tembly ZQ4MKT");
        EXPECT_EQ(product, L"Norvane Quillmate Tembly ZQ4MKT");
        EXPECT_EQ(version, L"Version 1.00");
        EXPECT_EQ(seen.ok, L"OK");
        EXPECT_EQ(seen.exStyle & WS_EX_LAYOUTRTL, 0) << language;
    }
}

// Enter and Escape, sent where the keyboard focus would send them, leave the dialog open.
void ExpectKeysInert(HWND hWnd, bool& open) {
    for (WORD key : {VK_RETURN, VK_ESCAPE}) {
        PressKey(GetDlgItem(hWnd, IDOK), key);
        PressKey(hWnd, key);
    }
    Settle(hWnd, 80);
    open = IsWindow(hWnd) && IsWindowVisible(hWnd);
}

TEST(DialogKeys, EnterAndEscapeDoNothingAndTheCloseBoxGivesTwo) {
    bool open = false;
    INT_PTR result = RunDriven(
        [] {
            CMessageDlg dialog(1033, 0, MSG_TITLE, MSG_UPDATE_COMPLETED, PICTURE_WARNING, nullptr);
            return dialog.DoModal();
        },
        [&](HWND hWnd) {
            ExpectKeysInert(hWnd, open);
            PostMessageW(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        });
    EXPECT_TRUE(open);
    EXPECT_EQ(result, IDCANCEL);

    open = false;
    result = RunDriven(
        [] {
            CQuestionDlg dialog(1033, 0, MSG_TITLE, MSG_UPDATE_AVAILABLE, MSG_INSTALL_NOW, 0, 0, 0,
                                0, nullptr);
            return dialog.DoModal();
        },
        [&](HWND hWnd) {
            ExpectKeysInert(hWnd, open);
            Click(hWnd, IDOK);
        });
    EXPECT_TRUE(open);
    EXPECT_EQ(result, IDOK);

    result = RunDriven(
        [] {
            CQuestionDlg dialog(1033, 0, MSG_TITLE, MSG_UPDATE_AVAILABLE, MSG_INSTALL_NOW, 0, 0, 0,
                                0, nullptr);
            return dialog.DoModal();
        },
        [&](HWND hWnd) { PostMessageW(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(result, IDCANCEL);
}

TEST(DialogKeys, TheAboutBoxKeepsEnterAndEscape) {
    for (auto [key, expected] : {std::pair{VK_RETURN, IDOK}, std::pair{VK_ESCAPE, IDCANCEL}}) {
        const INT_PTR result = RunDriven(
            [] {
                CAboutDlg dialog(1033);
                return dialog.DoModal();
            },
            [&](HWND hWnd) { PressKey(GetDlgItem(hWnd, IDOK), static_cast<WORD>(key)); });
        EXPECT_EQ(result, expected);
    }
}

TEST(QuestionDialog, ShortLinesEndAtRow203WithoutKeys) {
    RECT yes{}, cancel{}, link{};
    bool plus = true, left = true, right = true;
    SIZE size{};
    RECT client{};
    RunDriven(
        [] {
            CQuestionDlg dialog(1033, 0, L"Title", L"Short.", L"Also short.", nullptr, nullptr,
                                nullptr, nullptr, nullptr);
            return dialog.DoModal();
        },
        [&](HWND hWnd) {
            yes = ItemRect(hWnd, IDOK);
            cancel = ItemRect(hWnd, IDCANCEL);
            link = ItemRect(hWnd, IDC_LINK);
            plus = ItemVisible(hWnd, IDC_PLUS_SIGN);
            left = ItemVisible(hWnd, IDC_LEFT_KEY);
            right = ItemVisible(hWnd, IDC_RIGHT_KEY);
            size = WindowSize(hWnd);
            GetClientRect(hWnd, &client);
            Click(hWnd, IDCANCEL);
        });
    EXPECT_EQ(yes.left, 85);
    EXPECT_EQ(yes.top, 172);
    EXPECT_EQ(yes.right - yes.left, 90);
    EXPECT_EQ(yes.bottom - yes.top, 23);
    EXPECT_EQ(cancel.left, 180);
    EXPECT_EQ(link.top, 203);
    EXPECT_EQ(link.left, 85);
    EXPECT_FALSE(plus);
    EXPECT_FALSE(left);
    EXPECT_FALSE(right);
    EXPECT_EQ(size.cx, 360);
    EXPECT_GE(size.cy, 258);
    // The window grew only as far as the link row needs.
    EXPECT_GE(client.bottom, 203 + 26);
}

// A link that fits sits where the caller says; the download address, wider than the room
// right of x = 85, ends at the margin instead of past the window's edge.
TEST(QuestionDialog, OldModelLinkSitsWhereTheCallerSaysWhileItFits) {
    const std::wstring address = LoadText(1033, MSG_MEDIA_DOWNLOAD_ADDRESS);
    for (const std::wstring& linkText : {std::wstring(L"Download"), address}) {
        RECT link{}, client{};
        std::wstring text;
        RunDriven(
            [&] {
                COldModelQuestionDlg dialog(1033, 0, L"Title", L"First", L"Second", nullptr,
                                            nullptr, linkText.c_str(), address.c_str(), 85, 55,
                                            nullptr);
                return dialog.DoModal();
            },
            [&](HWND hWnd) {
                link = ItemRect(hWnd, IDC_LINK);
                text = ItemText(hWnd, IDC_LINK);
                GetClientRect(hWnd, &client);
                Click(hWnd, IDCANCEL);
            });
        EXPECT_EQ(text, linkText);
        EXPECT_EQ(link.top, 55);
        if (linkText == address) {
            EXPECT_EQ(link.right, std::min<LONG>(client.right - QUESTION_LINK_MARGIN,
                                                 85 + link.right - link.left));
            EXPECT_GE(link.left, QUESTION_LINK_MARGIN);
        } else {
            EXPECT_EQ(link.left, 85);
        }
    }
}

TEST(MessageDialog, LongTextAndMissingTextsNeverGrowTheWindow) {
    const std::wstring longText(3000, L'w');
    std::wstring long_words;
    for (int i = 0; i < 200; ++i)
        long_words += L"word ";
    for (const std::wstring& text : {longText, long_words, std::wstring()}) {
        SIZE size{};
        RECT textRect{};
        const INT_PTR result = RunDriven(
            [&] {
                CMessageDlg dialog(1033, 0, nullptr, text.c_str(), 7, nullptr);
                return dialog.DoModal();
            },
            [&](HWND hWnd) {
                size = WindowSize(hWnd);
                textRect = ItemRect(hWnd, IDC_TEXT);
                Click(hWnd, IDOK);
            });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(size.cx, 340);
        EXPECT_EQ(size.cy, 172);
        EXPECT_EQ(textRect.right - textRect.left, 249);
        EXPECT_EQ(textRect.bottom - textRect.top, 50);
    }
}
} // namespace
