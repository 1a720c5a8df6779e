// No text of any dialog, in any language, is wider than its control, and no control reaches
// outside its window. Each dialog's picture is kept for the gallery.
#include "online/win32/callout_dlg.h"
#include "res/resource.h"
#include "tests/ui_win32/ui_driver.h"
#include "ui/message_catalogue.h"
#include "ui/win32/about_dlg.h"
#include "ui/win32/message_dlg.h"
#include "ui/win32/question_dlg.h"
#include "ui/win32/ui_resources.h"
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <string>

namespace {

void ExpectNoOverflow(const wchar_t* what, uint16_t language,
                      const std::function<std::unique_ptr<CDialog>()>& make, int closeId) {
    const std::unique_ptr<CDialog> dialog = make();
    std::vector<std::wstring> overflows;
    RunDriven([&] { return dialog->DoModal(); },
              [&](HWND hWnd) {
                  ASSERT_TRUE(hWnd);
                  WaitSizeSettled(hWnd);
                  overflows = TextOverflows(hWnd);
                  Screenshot(hWnd, std::wstring(what) + L"-" + std::to_wstring(language));
                  if (closeId)
                      Click(hWnd, closeId);
                  else
                      PostMessageW(hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(20, 20));
                  WaitGone(hWnd, 10000);
              });
    EXPECT_TRUE(overflows.empty()) << what << " " << language << Joined(overflows);
}

TEST(TextFit, EveryDialogInEveryLanguage) {
    for (uint16_t language : CATALOGUE_LANGUAGES) {
        const int32_t rtl = language == 1025;
        ExpectNoOverflow(
            L"message", language,
            [&] {
                return std::make_unique<CMessageDlg>(language, rtl, MSG_TITLE, MSG_UPDATE_COMPLETED,
                                                     PICTURE_NOTICE, nullptr);
            },
            IDOK);
        ExpectNoOverflow(
            L"question", language,
            [&] {
                return std::make_unique<CQuestionDlg>(
                    language, rtl, MSG_TITLE, MSG_UPDATE_AVAILABLE, MSG_INSTALL_NOW,
                    MSG_RELEASE_KEY, MSG_KEY_IF_HELD, MSG_LINK_TEXT, MSG_MEDIA_DOWNLOAD_ADDRESS,
                    nullptr);
            },
            IDCANCEL);
        const std::wstring linkText = LoadText(language, MSG_LINK_TEXT);
        const std::wstring address = LoadText(language, MSG_MEDIA_DOWNLOAD_ADDRESS);
        ExpectNoOverflow(
            L"old-model", language,
            [&] {
                return std::make_unique<COldModelQuestionDlg>(
                    language, rtl, L"Title", linkText.c_str(), nullptr, nullptr, nullptr,
                    address.c_str(), address.c_str(), 85, 55, nullptr);
            },
            IDCANCEL);
        ExpectNoOverflow(
            L"about", language, [&] { return std::make_unique<CAboutDlg>(language); }, IDOK);
        ExpectNoOverflow(
            L"callout", language,
            [&] { return std::make_unique<CCallOutDlg>(language, rtl, nullptr); },
            IDC_CALLOUT_CANCEL);
        ExpectNoOverflow(
            L"popup", language,
            [&] { return std::make_unique<CPopUpDlg>(language, MSG_NO_CONNECTION, rtl, nullptr); },
            0);
    }
}
} // namespace
