#include "platform/browser.h"
#include "tests/ui_win32/ui_driver.h"
#include "ui/hyperlink_logic.h"
#include "ui/image_button_state.h"
#include "ui/win32/image_button.h"
#include "ui/win32/x_hyperlink.h"
#include <gtest/gtest.h>
#include <string>

namespace {
constexpr COLORREF BACKGROUND = RGB(10, 200, 30);
constexpr COLORREF PURE_RED = RGB(255, 0, 0);
constexpr COLORREF FRAME_COLOURS[] = {RGB(0, 0, 200), RGB(0, 120, 0), RGB(200, 200, 0),
                                      RGB(90, 90, 90)};
constexpr COLORREF DISABLED_CAPTION = RGB(230, 0, 230);
constexpr int FRAME_WIDTH = 60;
constexpr int FRAME_HEIGHT = 30;
constexpr int BUTTON_ID = 1;
constexpr int LINK_ID = 2;

void Pump(DWORD milliseconds = 0) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(1);
    } while (GetTickCount() - start < milliseconds);
}

// Four frames side by side, each of its own colour, with a pure-red top-left corner of 4 x 4;
// rows bottom-up, as the program's bitmaps load.
HBITMAP MakeStrip() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = FRAME_WIDTH * 4;
    info.bmiHeader.biHeight = FRAME_HEIGHT;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP hStrip = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const int stride = (FRAME_WIDTH * 4 * 3 + 3) & ~3;
    for (int row = 0; row < FRAME_HEIGHT; ++row) {
        const int y = FRAME_HEIGHT - 1 - row;
        for (int x = 0; x < FRAME_WIDTH * 4; ++x) {
            const bool corner = x % FRAME_WIDTH < 4 && y < 4;
            const COLORREF c = corner ? PURE_RED : FRAME_COLOURS[x / FRAME_WIDTH];
            auto* p = static_cast<uint8_t*>(bits) + row * stride + x * 3;
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    }
    return hStrip;
}

class CTestParent : public CWindow {
  public:
    int m_nClicks = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == BUTTON_ID)
            ++m_nClicks;
        return CWindow::WindowProc(message, wParam, lParam);
    }
};

class CFakeBrowser : public IBrowser {
  public:
    intptr_t OpenAddress(const std::wstring&, int) override { return 36; }
};

// A window with an image button and a link, on the harness display, the cursor far away.
class Controls : public testing::Test {
  protected:
    HBRUSH m_hbrBackground = CreateSolidBrush(BACKGROUND);
    CTestParent parent;
    CImageButton button;
    CXHyperLink link;

    void SetUp() override {
        SetCursorPos(0, 0);
        ASSERT_TRUE(CWindow::RegisterWindowClass(L"QmControlsTest", 0, nullptr, m_hbrBackground));
        ASSERT_TRUE(parent.CreateEx(WS_EX_TOPMOST, L"QmControlsTest", L"controls",
                                    WS_POPUP | WS_VISIBLE, 300, 300, 300, 120, nullptr));
        CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 20, 20, 10, 10,
                        parent.m_hWnd, reinterpret_cast<HMENU>(BUTTON_ID), nullptr, nullptr);
        CreateWindowExW(0, L"STATIC", L"http://link.example/", WS_CHILD | WS_VISIBLE, 120, 20, 150,
                        20, parent.m_hWnd, reinterpret_cast<HMENU>(LINK_ID), nullptr, nullptr);
        ASSERT_TRUE(button.Bind(parent.m_hWnd, BUTTON_ID));
        ASSERT_TRUE(link.Bind(parent.m_hWnd, LINK_ID));
        ASSERT_TRUE(button.SetStrip(MakeStrip(), PURE_RED));
        button.SetTooltip(1033, 177);
        Pump(50);
    }
    void TearDown() override {
        if (parent.m_hWnd)
            DestroyWindow(parent.m_hWnd);
        DeleteObject(m_hbrBackground);
    }
    // What the screen shows of the button at (x, y) after a repaint.
    COLORREF ButtonPixel(int x, int y) {
        InvalidateRect(button.m_hWnd, nullptr, FALSE);
        UpdateWindow(button.m_hWnd);
        HDC hDC = GetDC(button.m_hWnd);
        const COLORREF c = GetPixel(hDC, x, y);
        ReleaseDC(button.m_hWnd, hDC);
        return c;
    }
    void Press(int x, int y) {
        SendMessageW(button.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(button.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        Pump();
    }
    COLORREF LinkTextColourNow() {
        HDC hDC = CreateCompatibleDC(nullptr);
        SendMessageW(parent.m_hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                     reinterpret_cast<LPARAM>(link.m_hWnd));
        const COLORREF c = GetTextColor(hDC);
        DeleteDC(hDC);
        return c;
    }
};

TEST_F(Controls, TransparentPixelsShowTheBackgroundNotThePreviousFrame) {
    EXPECT_EQ(WindowSize(button.m_hWnd).cx, FRAME_WIDTH);
    EXPECT_EQ(ButtonPixel(30, 15), FRAME_COLOURS[STATE_NORMAL]);
    // Whatever the button showed before (here: green paint) must not stay in the corner.
    HDC hDC = GetDC(button.m_hWnd);
    RECT rc{0, 0, FRAME_WIDTH, FRAME_HEIGHT};
    HBRUSH hGreen = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(hDC, &rc, hGreen);
    DeleteObject(hGreen);
    ReleaseDC(button.m_hWnd, hDC);
    EXPECT_EQ(ButtonPixel(1, 1), BACKGROUND);
    EXPECT_EQ(ButtonPixel(30, 15), FRAME_COLOURS[STATE_NORMAL]);
}

TEST_F(Controls, ClickOnATransparentPixelIsIgnored) {
    Press(1, 1);
    EXPECT_EQ(parent.m_nClicks, 0);
    Press(5, 5);
    EXPECT_EQ(parent.m_nClicks, 1);
}

TEST_F(Controls, DisabledButtonShowsItsFrameAndCaptionColourAndTakesNoClick) {
    button.SetFontSize(16);
    button.SetTextRect(0, 0, FRAME_WIDTH, FRAME_HEIGHT);
    button.SetTextColors(RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0), DISABLED_CAPTION);
    button.SetCaption(L"HH");
    button.Disable();
    EXPECT_EQ(button.DrawState(), STATE_DISABLED);
    EXPECT_EQ(ButtonPixel(FRAME_WIDTH - 3, FRAME_HEIGHT - 3), FRAME_COLOURS[STATE_DISABLED]);
    int captionPixels = 0;
    HDC hDC = GetDC(button.m_hWnd);
    for (int y = 0; y < FRAME_HEIGHT; ++y)
        for (int x = 0; x < FRAME_WIDTH; ++x)
            captionPixels += GetPixel(hDC, x, y) == DISABLED_CAPTION;
    ReleaseDC(button.m_hWnd, hDC);
    EXPECT_GT(captionPixels, 10);
    Press(30, 15);
    EXPECT_EQ(parent.m_nClicks, 0);
}

TEST_F(Controls, LinkLeavesWithinItsTimerAndTurnsVisitedWhenOpened) {
    EXPECT_EQ(LinkTextColourNow(), LINK_COLOUR);
    SendMessageW(link.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(link.IsOver());
    EXPECT_EQ(LinkTextColourNow(), HOVER_COLOUR);
    const DWORD start = GetTickCount();
    while (link.IsOver() && GetTickCount() - start < 2000)
        Pump(5);
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_FALSE(link.IsOver());
    EXPECT_GE(elapsed, LINK_LEAVE_POLL_MS - 20);
    EXPECT_LT(elapsed, 1000u);

    CFakeBrowser browser;
    CXHyperLink::SetBrowser(&browser);
    SendMessageW(parent.m_hWnd, WM_COMMAND, MAKEWPARAM(LINK_ID, STN_CLICKED),
                 reinterpret_cast<LPARAM>(link.m_hWnd));
    CXHyperLink::SetBrowser(nullptr);
    EXPECT_TRUE(link.IsVisited());
    EXPECT_EQ(LinkTextColourNow(), VISITED_COLOUR);
}

// The tooltips belong to the top-level window and end with it, before the controls' objects;
// the objects then hold no handle that could by now name another window.
TEST_F(Controls, TooltipsEndWithTheirWindow) {
    const HWND hButtonTip = button.Tooltip().m_hWnd;
    const HWND hLinkTip = link.Tooltip().m_hWnd;
    ASSERT_TRUE(IsWindow(hButtonTip));
    ASSERT_TRUE(IsWindow(hLinkTip));
    EXPECT_EQ(GetWindow(hButtonTip, GW_OWNER), parent.m_hWnd);
    DestroyWindow(parent.m_hWnd);
    EXPECT_FALSE(IsWindow(hButtonTip));
    EXPECT_FALSE(IsWindow(hLinkTip));
    EXPECT_EQ(button.Tooltip().m_hWnd, nullptr);
    EXPECT_EQ(link.Tooltip().m_hWnd, nullptr);
}
} // namespace
