#include "online/win32/callout_dlg.h"
#include "platform/browser.h"
#include "res/resource.h"
#include "tests/ui_win32/ui_driver.h"
#include "ui/message_catalogue.h"
#include "ui/win32/ui_resources.h"
#include <gtest/gtest.h>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

class CFakeBrowser : public IBrowser {
  public:
    std::vector<std::wstring> opened;
    intptr_t OpenAddress(const std::wstring& address, int showCommand) override {
        opened.push_back(address);
        EXPECT_EQ(showCommand, SW_SHOWNORMAL);
        return 36;
    }
};

// The callout with a taskbar where the test puts it and a hold time the test chooses.
template <class Base> class CPlaced : public Base {
  public:
    template <class... Args>
    CPlaced(int32_t edge, UINT holdTime, Args... args) : Base(args...), m_nEdge(edge) {
        this->m_nHoldTime = holdTime;
    }
    bool QueryTaskbar(int32_t& edge, Rect& rect) const override {
        if (m_nEdge == EDGE_UNKNOWN)
            return false;
        edge = m_nEdge;
        rect = BottomTaskbar();
        return true;
    }
    static Rect BottomTaskbar() {
        return {0, GetSystemMetrics(SM_CYFULLSCREEN), GetSystemMetrics(SM_CXSCREEN),
                GetSystemMetrics(SM_CYSCREEN)};
    }

  private:
    int32_t m_nEdge;
};

struct Sample {
    DWORD time;
    RECT rc;
};

// Samples the window's screen rectangle until it is gone.
std::vector<Sample> Follow(HWND hWnd) {
    std::vector<Sample> samples;
    const DWORD start = GetTickCount();
    while (IsWindow(hWnd) && GetTickCount() - start < 20000) {
        Sample s{GetTickCount() - start, {}};
        GetWindowRect(hWnd, &s.rc);
        samples.push_back(s);
        Sleep(5);
    }
    return samples;
}

// The one test that waits the callout's real ten seconds.
TEST(CallOut, BottomTaskbarSlidesUpFromItsTopEdgeHoldsAndCloses) {
    constexpr UINT HOLD = HOLD_MS;
    const Rect taskbar = CPlaced<CCallOutDlg>::BottomTaskbar();
    CPlaced<CCallOutDlg> callout(EDGE_BOTTOM, HOLD, 1033, 0, nullptr);
    std::vector<Sample> samples;
    const INT_PTR result =
        RunDriven([&] { return callout.DoModal(); }, [&](HWND hWnd) { samples = Follow(hWnd); });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(callout.m_bAccepted, 0);
    ASSERT_GT(samples.size(), 10u);
    int fullHeight = 0;
    DWORD firstFull = 0, lastFull = 0;
    for (const Sample& s : samples) {
        const int height = s.rc.bottom - s.rc.top;
        if (height <= 0)
            continue;
        EXPECT_EQ(s.rc.bottom, taskbar.top); // grows from the taskbar's top edge
        EXPECT_EQ(s.rc.right, GetSystemMetrics(SM_CXFULLSCREEN));
        if (height > fullHeight) {
            fullHeight = height;
            firstFull = s.time;
        }
        if (height == fullHeight)
            lastFull = s.time;
    }
    EXPECT_GT(fullHeight, 110);
    EXPECT_GE(lastFull - firstFull + 30, HOLD);
    EXPECT_LT(lastFull - firstFull, HOLD + 2000);
}

TEST(CallOut, YesSetsAcceptedAndSlidesOutAtOnce) {
    CFakeBrowser browser;
    CXHyperLink::SetBrowser(&browser);
    CPlaced<CCallOutDlg> callout(EDGE_BOTTOM, 60000, 1033, 0, nullptr);
    DWORD closing = 0;
    RunDriven([&] { return callout.DoModal(); },
              [&](HWND hWnd) {
                  WaitSizeSettled(hWnd);
                  const DWORD start = GetTickCount();
                  Click(hWnd, IDC_CALLOUT_YES);
                  WaitGone(hWnd, 10000);
                  closing = GetTickCount() - start;
              });
    CXHyperLink::SetBrowser(nullptr);
    EXPECT_EQ(callout.m_bAccepted, 1);
    EXPECT_LT(closing, 5000u);
    // The links carry no address: nothing to open, and still a success.
    EXPECT_EQ(browser.opened, std::vector<std::wstring>{L""});
}

TEST(CallOut, UnknownTaskbarStillSlidesAndCloses) {
    CPlaced<CCallOutDlg> callout(EDGE_UNKNOWN, 50, 1033, 0, nullptr);
    std::vector<Sample> samples;
    RunDriven([&] { return callout.DoModal(); }, [&](HWND hWnd) { samples = Follow(hWnd); });
    ASSERT_FALSE(samples.empty());
    int highest = 0;
    for (const Sample& s : samples)
        highest = std::max<int>(highest, s.rc.bottom - s.rc.top);
    EXPECT_GT(highest, 110);
}

TEST(CallOut, EveryLanguageShowsItsTextsAndCancelLeavesItRefused) {
    for (uint16_t language : CATALOGUE_LANGUAGES) {
        CPlaced<CCallOutDlg> callout(EDGE_BOTTOM, 60000, language, language == 1025, nullptr);
        std::wstring text, yes, cancel;
        LONG exStyle = 0;
        RunDriven([&] { return callout.DoModal(); },
                  [&](HWND hWnd) {
                      WaitSizeSettled(hWnd);
                      text = ItemText(hWnd, IDC_CALLOUT_TEXT);
                      yes = ItemText(hWnd, IDC_CALLOUT_YES);
                      cancel = ItemText(hWnd, IDC_CALLOUT_CANCEL);
                      exStyle = ExStyle(hWnd);
                      Screenshot(hWnd, L"callout-" + std::to_wstring(language));
                      Click(hWnd, IDC_CALLOUT_CANCEL);
                  });
        EXPECT_EQ(callout.m_bAccepted, 0) << language;
        EXPECT_EQ(text.find(FormatText(LoadText(language, MSG_IMPORTANT_UPDATE), {MODEL_NAME})), 0u)
            << language;
        EXPECT_EQ(yes, LoadText(language, 130)) << language;
        EXPECT_EQ(cancel, LoadText(language, 131)) << language;
        EXPECT_EQ((exStyle & WS_EX_LAYOUTRTL) != 0, language == 1025) << language;
    }
}

TEST(PopUp, EveryLanguageShowsItsMessageAndAnyClickSendsItAway) {
    for (uint16_t language : CATALOGUE_LANGUAGES) {
        CPlaced<CPopUpDlg> popup(EDGE_BOTTOM, 60000, language, MSG_NO_CONNECTION,
                                 static_cast<int32_t>(language == 1025), nullptr);
        std::wstring text;
        bool linksHidden = false;
        DWORD closing = 0;
        RunDriven([&] { return popup.DoModal(); },
                  [&](HWND hWnd) {
                      WaitSizeSettled(hWnd);
                      text = ItemText(hWnd, IDC_CALLOUT_TEXT);
                      linksHidden = !ItemVisible(hWnd, IDC_CALLOUT_YES) &&
                                    !ItemVisible(hWnd, IDC_CALLOUT_CANCEL);
                      Screenshot(hWnd, L"popup-" + std::to_wstring(language));
                      const DWORD start = GetTickCount();
                      const UINT button = language % 2 ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
                      PostMessageW(hWnd, button, 0, MAKELPARAM(20, 20));
                      WaitGone(hWnd, 10000);
                      closing = GetTickCount() - start;
                  });
        EXPECT_EQ(text, LoadText(language, MSG_NO_CONNECTION)) << language;
        EXPECT_TRUE(linksHidden);
        EXPECT_LT(closing, 5000u);
    }
}
// Another program's window the user is typing in, with a thread and a message loop of its own.
class CTypingWindow {
  public:
    CTypingWindow() {
        m_thread = std::thread([this] {
            m_hWnd = CreateWindowExW(0, L"EDIT", L"typing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40,
                                     40, 300, 200, nullptr, nullptr, nullptr, nullptr);
            m_nThreadId = GetCurrentThreadId();
            SetForegroundWindow(m_hWnd);
            SetFocus(m_hWnd);
            m_bReady = true;
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            DestroyWindow(m_hWnd);
        });
        while (!m_bReady)
            Sleep(5);
    }
    ~CTypingWindow() {
        PostThreadMessageW(m_nThreadId, WM_QUIT, 0, 0);
        m_thread.join();
    }
    HWND m_hWnd = nullptr;

  private:
    std::thread m_thread;
    DWORD m_nThreadId = 0;
    std::atomic<bool> m_bReady{false};
};

// The notifications slide out beside the taskbar without taking the keyboard from the program
// the user is typing in.
TEST(CallOut, CalloutAndPopupLeaveTheForegroundWindowActive) {
    const CTypingWindow typing;
    ASSERT_EQ(GetForegroundWindow(), typing.m_hWnd);
    CPlaced<CCallOutDlg> callout(EDGE_BOTTOM, 60000, 1033, 0, nullptr);
    CPlaced<CPopUpDlg> popup(EDGE_BOTTOM, 60000, 1033, MSG_NO_CONNECTION, 0, nullptr);
    for (CCallOutDlg* dialog :
         {static_cast<CCallOutDlg*>(&callout), static_cast<CCallOutDlg*>(&popup)}) {
        HWND hForeground = nullptr;
        RunDriven([&] { return dialog->DoModal(); },
                  [&](HWND hWnd) {
                      WaitSizeSettled(hWnd);
                      hForeground = GetForegroundWindow();
                      PostMessageW(hWnd, WM_CLOSE, 0, 0);
                      WaitGone(hWnd, 10000);
                  });
        EXPECT_EQ(hForeground, typing.m_hWnd);
    }
}
} // namespace
