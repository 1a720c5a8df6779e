#include "ui/win32/image_button.h"
#include "ui/win32/ui_resources.h"
#include <commctrl.h>
#include <windowsx.h>
#include <cstring>

void CImageButton::ReleaseStrip() {
    m_hbmStrip.Reset();
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
    return SetStrip(LoadProgramBitmap(bitmapId), transparent);
}

bool CImageButton::SetStrip(HBITMAP hStrip, COLORREF transparent) {
    ReleaseStrip();
    m_crTransparent = transparent;
    m_hbmStrip.Reset(hStrip);
    if (!m_hbmStrip)
        return false;
    m_strip = ReadStripPixels(m_hbmStrip.Get());
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
    m_hFont.Reset(CreateFontIndirectW(&m_lfCaption));
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

void CImageButton::SetToolText(const std::wstring& text, UINT message) const {
    TOOLINFOW tool{};
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = GetParent(m_hWnd);
    tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    m_tooltip.SendTool(message, tool, text);
}

void CImageButton::SetTooltip(uint16_t language, uint16_t id) {
    if (m_tooltip.m_hWnd)
        return UpdateTooltip(language, id);
    if (m_tooltip.Create(m_hWnd))
        SetToolText(LoadText(language, id), TTM_ADDTOOLW);
}

void CImageButton::UpdateTooltip(uint16_t language, uint16_t id) {
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
    m_hFont.Reset(CreateFontIndirectW(&m_lfCaption));
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
    m_tooltip.Relay(msg);
    return false;
}

bool CImageButton::OnReflectedMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != WM_DRAWITEM)
        return false;
    Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
}

// What lies behind the button: its parent's background and client drawing at the button's
// place. The item's context holds the button's previous frame, not the background, so a
// transparent pixel blitted onto it would keep showing that frame.
void CImageButton::DrawBackground(HDC hDC, int width, int height) const {
    HWND hParent = GetParent(m_hWnd);
    const RECT rc = RectInParent();
    RECT area{0, 0, width, height};
    FillRect(hDC, &area, AppColours().m_hbrBackground);
    if (!hParent)
        return;
    POINT old{};
    SetViewportOrgEx(hDC, -rc.left, -rc.top, &old);
    SendMessageW(hParent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hDC), 0);
    SendMessageW(hParent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hDC), PRF_CLIENT);
    SetViewportOrgEx(hDC, old.x, old.y, nullptr);
}

void CImageButton::DrawCaption(HDC hDC, int state) const {
    HGDIOBJ hOldFont = SelectObject(hDC, m_hFont.Get());
    const COLORREF crOld = SetTextColor(hDC, CaptionColour(m_colours, state));
    const int oldMode = SetBkMode(hDC, TRANSPARENT);
    RECT rc = m_rcCaption;
    DrawTextW(hDC, m_strCaption.c_str(), static_cast<int>(m_strCaption.size()), &rc,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetBkMode(hDC, oldMode);
    SetTextColor(hDC, crOld);
    SelectObject(hDC, hOldFont);
}

// Composed off screen: the background, the frame's opaque pixels over it, the caption, then
// one copy onto the button.
void CImageButton::Draw(const DRAWITEMSTRUCT& item) const {
    const int state = ButtonDrawState(Flags(), (item.itemState & ODS_SELECTED) != 0);
    const int width = item.rcItem.right - item.rcItem.left;
    const int height = item.rcItem.bottom - item.rcItem.top;
    CScopedMemoryDC hCanvas(CreateCompatibleDC(item.hDC));
    CScopedGdiObject<HBITMAP> hbmCanvas(CreateCompatibleBitmap(item.hDC, width, height));
    if (!hCanvas || !hbmCanvas)
        return;
    HGDIOBJ hOldCanvas = SelectObject(hCanvas.Get(), hbmCanvas.Get());
    DrawBackground(hCanvas.Get(), width, height);
    if (m_hbmStrip && m_nFrameWidth > 0) {
        CScopedMemoryDC hFrames(CreateCompatibleDC(item.hDC));
        HGDIOBJ hOld = SelectObject(hFrames.Get(), m_hbmStrip.Get());
        TransparentBlt(hCanvas.Get(), 0, 0, m_nFrameWidth, m_strip.height, hFrames.Get(),
                       state * m_nFrameWidth, 0, m_nFrameWidth, m_strip.height, m_crTransparent);
        SelectObject(hFrames.Get(), hOld);
    }
    if (!m_strCaption.empty())
        DrawCaption(hCanvas.Get(), state);
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, width, height, hCanvas.Get(), 0, 0,
           SRCCOPY);
    SelectObject(hCanvas.Get(), hOldCanvas);
}
