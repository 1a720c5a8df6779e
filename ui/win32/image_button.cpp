#include "ui/win32/image_button.h"
#include "ui/win32/ui_resources.h"
#include <commctrl.h>
#include <windowsx.h>
#include <cstring>

CImageButton::~CImageButton() {
    ReleaseStrip();
    if (m_hFont)
        DeleteObject(m_hFont);
    if (m_hTooltip)
        DestroyWindow(m_hTooltip);
}

void CImageButton::ReleaseStrip() {
    if (m_hbmStrip)
        DeleteObject(m_hbmStrip);
    m_hbmStrip = nullptr;
    m_strip = StripPixels{};
    m_nFrameWidth = 0;
}

// The strip's pixels, rows top-down, as the opaque-pixel test reads them.
static StripPixels ReadStripPixels(HBITMAP hBitmap) {
    StripPixels strip;
    DIBSECTION dib{};
    if (GetObjectW(hBitmap, sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits)
        return strip;
    strip.width = dib.dsBm.bmWidth;
    strip.height = dib.dsBm.bmHeight;
    strip.bitsPerPixel = dib.dsBm.bmBitsPixel;
    strip.stride = dib.dsBm.bmWidthBytes;
    strip.bits.resize(static_cast<size_t>(strip.stride) * strip.height);
    const bool bottomUp = dib.dsBmih.biHeight > 0;
    const auto* bits = static_cast<const uint8_t*>(dib.dsBm.bmBits);
    for (int y = 0; y < strip.height; ++y) {
        const int source = bottomUp ? strip.height - 1 - y : y;
        std::memcpy(&strip.bits[static_cast<size_t>(y) * strip.stride],
                    bits + static_cast<size_t>(source) * strip.stride, strip.stride);
    }
    return strip;
}

bool CImageButton::SetImage(UINT bitmapId, COLORREF transparent) {
    ReleaseStrip();
    m_crTransparent = transparent;
    m_hbmStrip = LoadProgramBitmap(bitmapId);
    if (!m_hbmStrip)
        return false;
    m_strip = ReadStripPixels(m_hbmStrip);
    m_nFrameWidth = StripFrameWidth(m_strip.width, m_nImageCount);
    const RECT rc = RectInParent();
    MoveTo(rc.left, rc.top, m_nFrameWidth, m_strip.height);
    return true;
}

void CImageButton::SetFontSize(int points) {
    HDC hDC = GetDC(m_hWnd);
    m_lfCaption.lfHeight = -MulDiv(points, GetDeviceCaps(hDC, LOGPIXELSY), 72);
    m_lfCaption.lfWidth = 0;
    ReleaseDC(m_hWnd, hDC);
    if (m_hFont)
        DeleteObject(m_hFont);
    m_hFont = CreateFontIndirectW(&m_lfCaption);
}

void CImageButton::SetTextRect(int left, int top, int right, int bottom) {
    m_rcCaption = {left, top, right, bottom};
}

void CImageButton::SetTextColors(COLORREF normal, COLORREF hover, COLORREF pressed,
                                 COLORREF disabled) {
    m_colours = {normal, hover, pressed, disabled};
}

void CImageButton::SetCaption(const std::wstring& text) {
    m_strCaption = text;
    SetText(m_hWnd, text); // for readers of the window text; the drawing uses the field
    Invalidate();
}

void CImageButton::LoadCaption(uint16_t language, uint16_t id) {
    std::wstring text = m_strCaption;
    ProgramCatalogue().Load(text, language, id);
    SetCaption(text);
}

void CImageButton::SetToolText(const std::wstring& text, UINT message) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = GetParent(m_hWnd);
    tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(m_hTooltip, message, 0, reinterpret_cast<LPARAM>(&tool));
}

void CImageButton::SetTooltip(uint16_t language, uint16_t id) {
    if (m_hTooltip)
        return UpdateTooltip(language, id);
    m_hTooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                 m_hWnd, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(m_hTooltip, TTM_ACTIVATE, TRUE, 0);
    SetToolText(LoadText(language, id), TTM_ADDTOOLW);
}

void CImageButton::UpdateTooltip(uint16_t language, uint16_t id) {
    if (m_hTooltip)
        SetToolText(LoadText(language, id), TTM_UPDATETIPTEXTW);
}

int CImageButton::SetCheck(bool checked) {
    if (m_bPushMode)
        return 0;
    m_bChecked = checked;
    Invalidate();
    return 1;
}

void CImageButton::EnableWindow(BOOL enable) {
    ::EnableWindow(m_hWnd, enable);
}

void CImageButton::Enable() {
    m_bDisabled = false;
    EnableWindow(TRUE);
    Invalidate();
}

void CImageButton::Disable() {
    m_bDisabled = true;
    EnableWindow(FALSE);
    Invalidate();
}

bool CImageButton::IsOpaque(int x, int y) const {
    return IsOpaquePixel(m_strip, m_nFrameWidth, DrawState(), x, y, m_crTransparent);
}

void CImageButton::OnBound() {
    HFONT hFont = reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
    if (!hFont || !GetObjectW(hFont, sizeof m_lfCaption, &m_lfCaption))
        GetObjectW(GetStockObject(SYSTEM_FONT), sizeof m_lfCaption, &m_lfCaption);
    m_hFont = CreateFontIndirectW(&m_lfCaption);
}

void CImageButton::OnMouseMove(LPARAM lParam) {
    if (!m_bTracking && !m_bChecked) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | TME_HOVER, m_hWnd, 1};
        m_bTracking = TrackMouseEvent(&track) != FALSE;
    }
    if (IsOpaque(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) {
        m_bHover = true;
    } else {
        m_bHover = false;
        m_bTracking = false;
    }
    Invalidate();
}

LRESULT CImageButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (m_bDisabled || !IsOpaque(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))
            return 0;
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(lParam);
        break;
    case WM_MOUSELEAVE:
        m_bTracking = false;
        m_bHover = false;
        Invalidate();
        return 0;
    case WM_MOUSEHOVER:
        return 0;
    case WM_ERASEBKGND:
        return 1;
    }
    return DefaultProc(message, wParam, lParam);
}

bool CImageButton::PreTranslateMessage(MSG& msg) {
    if (m_hTooltip)
        SendMessageW(m_hTooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    return false;
}

bool CImageButton::OnReflectedMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != WM_DRAWITEM)
        return false;
    Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
}

void CImageButton::Draw(const DRAWITEMSTRUCT& item) const {
    const int state = ButtonDrawState(Flags(), (item.itemState & ODS_SELECTED) != 0);
    if (m_hbmStrip && m_nFrameWidth > 0) {
        // The item's context still shows what lies behind the button: transparent pixels of
        // the frame are simply not copied.
        HDC hMemory = CreateCompatibleDC(item.hDC);
        HGDIOBJ hOld = SelectObject(hMemory, m_hbmStrip);
        TransparentBlt(item.hDC, 0, 0, m_nFrameWidth, m_strip.height, hMemory,
                       state * m_nFrameWidth, 0, m_nFrameWidth, m_strip.height, m_crTransparent);
        SelectObject(hMemory, hOld);
        DeleteDC(hMemory);
    }
    if (m_strCaption.empty())
        return;
    HGDIOBJ hOldFont = SelectObject(item.hDC, m_hFont);
    const COLORREF crOld = SetTextColor(item.hDC, CaptionColour(m_colours, state));
    const int oldMode = SetBkMode(item.hDC, TRANSPARENT);
    RECT rc = m_rcCaption;
    DrawTextW(item.hDC, m_strCaption.c_str(), static_cast<int>(m_strCaption.size()), &rc,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetBkMode(item.hDC, oldMode);
    SetTextColor(item.hDC, crOld);
    SelectObject(item.hDC, hOldFont);
}
