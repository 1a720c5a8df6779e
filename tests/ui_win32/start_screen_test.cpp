#include "res/resource.h"
#include "tests/ui_win32/ui_driver.h"
#include "ui/win32/start_screen.h"
#include <gtest/gtest.h>

namespace {
void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Pixels of the screen inside `rc` (window coordinates) close to `colour`.
int CountColour(HWND hWnd, RECT rc, COLORREF colour) {
    MapWindowPoints(hWnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&rc), 2);
    HDC hScreen = GetDC(nullptr);
    int count = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            const COLORREF c = GetPixel(hScreen, x, y);
            if (abs(GetRValue(c) - GetRValue(colour)) < 24 &&
                abs(GetGValue(c) - GetGValue(colour)) < 24 &&
                abs(GetBValue(c) - GetBValue(colour)) < 24)
                ++count;
        }
    }
    ReleaseDC(nullptr, hScreen);
    return count;
}

TEST(StartScreen, ShowsThePictureAndVersionUntilHide) {
    CStartScreen* screen = CStartScreen::Create(nullptr, L"", 0, 0x0F, true);
    ASSERT_TRUE(screen);
    HWND hWnd = screen->m_hWnd;
    ASSERT_TRUE(screen->SetPicture(IDB_START_SCREEN, 255, 0, 0));
    screen->SetLabelFont(L"Arial", 100, 1);
    const RECT label{227, 197, 420, 213};
    const COLORREF colour = RGB(64, 182, 243);
    screen->SetLabelRect(label);
    screen->SetLabelColour(colour);
    screen->SetLabelFormat(0x25);
    screen->Show();
    Pump();
    RECT rc{};
    GetWindowRect(hWnd, &rc);
    EXPECT_TRUE(IsWindowVisible(hWnd));
    EXPECT_EQ(rc.right - rc.left, 490);
    EXPECT_EQ(rc.bottom - rc.top, 370);
    EXPECT_EQ(rc.left, (GetSystemMetrics(SM_CXFULLSCREEN) - 490) / 2);
    EXPECT_EQ(rc.top, (GetSystemMetrics(SM_CYFULLSCREEN) - 370) / 2);
    // No pure red in the picture: the shape is the whole rectangle.
    RECT box{};
    HRGN hRegion = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(hWnd, hRegion), SIMPLEREGION);
    GetRgnBox(hRegion, &box);
    DeleteObject(hRegion);
    EXPECT_EQ(box.right - box.left, 490);
    EXPECT_EQ(box.bottom - box.top, 370);

    const int before = CountColour(hWnd, label, colour);
    screen->SetLabel(L"Version 1.00");
    Pump();
    EXPECT_EQ(screen->Label(), L"Version 1.00");
    EXPECT_GT(CountColour(hWnd, label, colour), before + 20);
    Screenshot(hWnd, L"start-screen");

    screen->Hide(); // the object deletes itself with its window
    Pump();
    EXPECT_FALSE(IsWindow(hWnd));
}

TEST(StartScreen, NoTransparentColourKeepsTheWindowRectangular) {
    CStartScreen* screen = CStartScreen::Create(nullptr, L"", 0, 0, true);
    ASSERT_TRUE(screen);
    HWND hWnd = screen->m_hWnd;
    ASSERT_TRUE(screen->SetPicture(IDB_QUESTION, -1, 0, 0));
    HRGN hRegion = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(hWnd, hRegion), ERROR); // no region at all
    DeleteObject(hRegion);
    screen->Show();
    Pump();
    RECT rc{};
    GetWindowRect(hWnd, &rc);
    EXPECT_EQ(rc.right - rc.left, 52);
    screen->Hide();
    Pump();
    EXPECT_FALSE(IsWindow(hWnd));
}
// What the window paints over a green canvas at (x, y) of its client area.
COLORREF PaintedPixel(HWND hWnd, int x, int y) {
    HDC hScreen = GetDC(hWnd);
    HDC hMemory = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, 64, 64);
    HGDIOBJ hOld = SelectObject(hMemory, hBitmap);
    RECT rc{0, 0, 64, 64};
    HBRUSH hGreen = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(hMemory, &rc, hGreen);
    SendMessageW(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hMemory), PRF_CLIENT);
    const COLORREF pixel = GetPixel(hMemory, x, y);
    SelectObject(hMemory, hOld);
    DeleteObject(hGreen);
    DeleteObject(hBitmap);
    DeleteDC(hMemory);
    ReleaseDC(hWnd, hScreen);
    return pixel;
}

// A picture that cannot be loaded leaves the start screen without any picture, not with the
// previous one; its size stays.
TEST(StartScreen, PictureThatCannotBeLoadedLeavesNone) {
    CStartScreen* screen = CStartScreen::Create(nullptr, L"", 0, 0, true);
    ASSERT_TRUE(screen);
    HWND hWnd = screen->m_hWnd;
    ASSERT_TRUE(screen->SetPicture(IDB_QUESTION, -1, 0, 0));
    screen->Show();
    Pump();
    EXPECT_NE(PaintedPixel(hWnd, 20, 20), RGB(0, 255, 0));
    EXPECT_FALSE(screen->SetPicture(9999, -1, 0, 0));
    EXPECT_EQ(PaintedPixel(hWnd, 20, 20), RGB(0, 255, 0));
    EXPECT_EQ(WindowSize(hWnd).cx, 52);
    screen->Hide();
    Pump();
    EXPECT_FALSE(IsWindow(hWnd));
}

// A window that cannot be created leaves no start screen behind, nor an object to free.
TEST(StartScreen, FailedCreationGivesNone) {
    HWND hGone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                                 nullptr);
    ASSERT_TRUE(hGone);
    DestroyWindow(hGone);
    EXPECT_EQ(CStartScreen::Create(hGone, L"", 0, 0, true), nullptr);
    EXPECT_EQ(CStartScreen::Create(hGone, L"", 0, 0, false), nullptr);
}
} // namespace
