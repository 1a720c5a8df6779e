#include "ui/win32/start_screen.h"
#include "ui/region_runs.h"
#include "ui/start_screen_options.h"
#include "ui/win32/ui_resources.h"
#include <vector>

static const wchar_t START_SCREEN_CLASS[] = L"StartScreenClass";
static const wchar_t PLAIN_CLASS[] = L"QuillmatePictureWindow";

CStartScreen::CStartScreen() : m_nLabelFormat(START_LABEL_FORMAT) {
    if (HMODULE hUser = GetModuleHandleW(L"USER32.DLL"))
        m_pfnAnimate = reinterpret_cast<AnimateFunction>(
            reinterpret_cast<void*>(GetProcAddress(hUser, "AnimateWindow")));
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    m_hFont.Reset(CreateFontIndirectW(&font));
}

CStartScreen* CStartScreen::Create(HWND hParent, const std::wstring& text, UINT displayTime,
                                   DWORD style, bool ownClass) {
    CStartScreen* screen = new CStartScreen;
    screen->m_nDisplayTime = displayTime;
    if (screen->CreateWindowOf(hParent, text, style, ownClass))
        return screen;
    delete screen;
    return nullptr;
}

bool CStartScreen::CreateWindowOf(HWND hParent, const std::wstring& text, DWORD style,
                                  bool ownClass) {
    m_hWndParent = hParent;
    m_strLabel = text;
    m_nStyle = style;
    const UINT classStyle = CS_SAVEBITS | CS_DBLCLKS;
    HCURSOR hArrow = LoadCursorW(nullptr, IDC_ARROW);
    HBRUSH hBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    DWORD windowStyle = WS_POPUP;
    const wchar_t* className = START_SCREEN_CLASS;
    if (ownClass) {
        const bool shadow = (style & START_DROP_SHADOW) != 0;
        if (!RegisterWindowClass(className, classStyle | (shadow ? CS_DROPSHADOW : 0), hArrow,
                                 hBackground) &&
            !(shadow && RegisterWindowClass(className, classStyle, hArrow, hBackground)))
            return false;
    } else {
        className = PLAIN_CLASS;
        windowStyle |= WS_VISIBLE;
        if (!RegisterWindowClass(className, classStyle, hArrow, hBackground))
            return false;
    }
    return CreateEx(WS_EX_TOOLWINDOW, className, text.c_str(), windowStyle, 0, 0, 0, 0, hParent);
}

HRGN CStartScreen::BuildRegion(COLORREF transparent) const {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = m_nWidth;
    info.bmiHeader.biHeight = -m_nHeight; // rows top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(m_nWidth) * m_nHeight);
    HDC hDC = CreateCompatibleDC(nullptr);
    const int rows = GetDIBits(hDC, m_hbmPicture.Get(), 0, static_cast<UINT>(m_nHeight),
                               pixels.data(), &info, DIB_RGB_COLORS);
    DeleteDC(hDC);
    if (rows != m_nHeight)
        return nullptr;
    for (uint32_t& pixel : pixels) // 0x00RRGGBB as stored, into a colour value 0x00BBGGRR
        pixel = RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);

    const std::vector<Rect> runs = OpaqueRuns(pixels, m_nWidth, m_nHeight, transparent);
    std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(runs.size());
    header->rcBound = {0, 0, m_nWidth, m_nHeight};
    auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
    for (size_t i = 0; i < runs.size(); ++i)
        rects[i] = {runs[i].left, runs[i].top, runs[i].right, runs[i].bottom};
    return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                           reinterpret_cast<const RGNDATA*>(data.data()));
}

bool CStartScreen::SetPicture(UINT bitmapId, short red, short green, short blue) {
    m_hbmPicture.Reset(LoadProgramBitmap(bitmapId));
    if (!m_hbmPicture)
        return false;
    HBITMAP hBitmap = m_hbmPicture.Get();
    BITMAP bitmap{};
    GetObjectW(hBitmap, sizeof bitmap, &bitmap);
    m_nWidth = bitmap.bmWidth;
    m_nHeight = bitmap.bmHeight;
    if (m_nStyle & START_CENTRE) {
        m_nX = CentredOrigin(GetSystemMetrics(SM_CXFULLSCREEN), m_nWidth);
        m_nY = CentredOrigin(GetSystemMetrics(SM_CYFULLSCREEN), m_nHeight);
    }
    if (HasTransparentColour(red, green, blue)) {
        if (HRGN hRegion = BuildRegion(RGB(red, green, blue))) {
            // The window owns the region from here on.
            if (!SetWindowRgn(m_hWnd, hRegion, TRUE))
                DeleteObject(hRegion);
        }
    }
    return true;
}

void CStartScreen::Redraw() const {
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
}

void CStartScreen::SetLabelFont(const wchar_t* face, int tenthsOfPoint, int style) {
    LOGFONTW font{};
    HDC hDC = GetDC(nullptr);
    font.lfHeight = -MulDiv(tenthsOfPoint, GetDeviceCaps(hDC, LOGPIXELSY), 720);
    ReleaseDC(nullptr, hDC);
    font.lfWeight = style & 1 ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (style & 2) != 0;
    font.lfUnderline = (style & 4) != 0;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    if (HFONT hFont = CreateFontIndirectW(&font))
        m_hFont.Reset(hFont);
}

void CStartScreen::SetLabelRect(const RECT& rc) {
    m_rcLabel = rc;
    Redraw();
}

void CStartScreen::SetLabelColour(COLORREF colour) {
    m_crLabel = colour;
    Redraw();
}

void CStartScreen::SetLabel(const std::wstring& text) {
    m_strLabel = text;
    Redraw();
}

void CStartScreen::Show() {
    SetWindowPos(m_hWnd, nullptr, m_nX, m_nY, m_nWidth, m_nHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    if (Fades(m_nStyle, START_FADE_IN, m_pfnAnimate != nullptr))
        m_pfnAnimate(m_hWnd, START_FADE_MS, AW_BLEND);
    else
        ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
}

void CStartScreen::Hide() {
    if (Fades(m_nStyle, START_FADE_OUT, m_pfnAnimate != nullptr))
        m_pfnAnimate(m_hWnd, START_FADE_MS, AW_BLEND | AW_HIDE);
    else
        ShowWindow(m_hWnd, SW_HIDE);
    DestroyWindow(m_hWnd);
}

void CStartScreen::Paint(HDC hDC) const {
    if (m_hbmPicture) {
        CScopedMemoryDC hMemory(CreateCompatibleDC(hDC));
        HGDIOBJ hOldBitmap = SelectObject(hMemory.Get(), m_hbmPicture.Get());
        BitBlt(hDC, 0, 0, m_nWidth, m_nHeight, hMemory.Get(), 0, 0, SRCCOPY);
        SelectObject(hMemory.Get(), hOldBitmap);
    }
    HGDIOBJ hOldFont = SelectObject(hDC, m_hFont.Get());
    SetTextColor(hDC, m_crLabel);
    SetBkMode(hDC, TRANSPARENT);
    RECT rc = m_rcLabel;
    DrawTextW(hDC, m_strLabel.c_str(), static_cast<int>(m_strLabel.size()), &rc, m_nLabelFormat);
    SelectObject(hDC, hOldFont);
}

LRESULT CStartScreen::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hDC = BeginPaint(m_hWnd, &ps);
        Paint(hDC);
        EndPaint(m_hWnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    }
    return DefaultProc(message, wParam, lParam);
}
