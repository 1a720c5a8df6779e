#include "ui/win32/x_hyperlink.h"
#include "platform/browser.h"
#include "ui/win32/ui_resources.h"
#include <commctrl.h>

static IBrowser* g_pBrowser = nullptr;
static constexpr UINT LINK_TOOL_ID = 1;
static constexpr WORD HELP_HAND_CURSOR = 106;

void CXHyperLink::SetBrowser(IBrowser* browser) {
    g_pBrowser = browser;
}

UINT CXHyperLink::ClickedMessage() {
    static const UINT message = RegisteredMessage(L"WM_XHYPERLINK_CLICKED");
    return message;
}

CXHyperLink::~CXHyperLink() {
    if (m_bOwnCursor)
        DestroyCursor(m_hLinkCursor);
}

void CXHyperLink::SetLinkText(const std::wstring& text) {
    if (!m_hWnd)
        return;
    SetText(m_hWnd, L"");
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    SetText(m_hWnd, text);
    FitToText();
}

void CXHyperLink::LoadLinkText(uint16_t language, uint16_t id) {
    SetLinkText(LoadText(language, id));
}

void CXHyperLink::SetAddress(const std::wstring& address) {
    m_strAddress = address;
    if (!m_hWnd)
        return;
    FitToText();
    SetToolText(TTM_UPDATETIPTEXTW);
}

void CXHyperLink::SetBackground(COLORREF colour) {
    m_crBackground = colour;
    m_hbrBackground.Reset(CreateSolidBrush(colour));
}

void CXHyperLink::SetFitToText(bool fit) {
    m_bFitToText = fit;
    FitToText();
}

static SIZE TextExtent(HWND hWnd, HFONT hFont, const std::wstring& text, RECT rc, UINT format) {
    HDC hDC = GetDC(hWnd);
    HGDIOBJ hOld = SelectObject(hDC, hFont);
    DrawTextW(hDC, text.c_str(), static_cast<int>(text.size()), &rc,
              format | DT_CALCRECT | DT_NOPREFIX);
    SelectObject(hDC, hOld);
    ReleaseDC(hWnd, hDC);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

static Rect ToRect(const RECT& rc) {
    return {rc.left, rc.top, rc.right, rc.bottom};
}

void CXHyperLink::FitToText() {
    if (!m_bFitToText || !m_hWnd)
        return;
    const RECT window = RectInParent();
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const SIZE text =
        TextExtent(m_hWnd, m_hStandardFont.Get(), GetText(m_hWnd), {}, DT_SINGLELINE);
    const LONG style = GetWindowLongW(m_hWnd, GWL_STYLE);
    const DWORD alignment = style & SS_TYPEMASK;
    const LinkAlign align = alignment == SS_CENTER  ? LinkAlign::Centre
                            : alignment == SS_RIGHT ? LinkAlign::Right
                                                    : LinkAlign::Left;
    const Rect fitted = FitLinkToText(ToRect(window), {client.right, client.bottom},
                                      {text.cx, text.cy}, (style & SS_CENTERIMAGE) != 0, align);
    MoveTo(fitted.left, fitted.top, fitted.Width(), fitted.Height());
}

void CXHyperLink::FitAndCentre(const RECT& area) {
    HFONT hFont = reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
    RECT wrap{0, 0, area.right - area.left, 0};
    const SIZE text = TextExtent(m_hWnd, hFont, GetText(m_hWnd), wrap, DT_WORDBREAK);
    RECT framed{0, 0, text.cx, text.cy};
    AdjustWindowRectEx(&framed, static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_EXSTYLE)));
    const Rect placed =
        CentreLinkOn(ToRect(area), {framed.right - framed.left, framed.bottom - framed.top});
    SetWindowPos(m_hWnd, HWND_TOP, placed.left, placed.top, placed.Width(), placed.Height(),
                 SWP_SHOWWINDOW);
}

void CXHyperLink::SetToolText(UINT message) const {
    TOOLINFOW tool{};
    tool.hwnd = m_hWnd;
    tool.uId = LINK_TOOL_ID;
    GetClientRect(m_hWnd, &tool.rect);
    m_tooltip.SendTool(message, tool, m_strAddress);
}

void CXHyperLink::LoadLinkCursor() {
    m_hLinkCursor = LoadCursorW(nullptr, IDC_HAND);
    if (m_hLinkCursor)
        return;
    wchar_t folder[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    const std::wstring path = std::wstring(folder) + L"\\winhlp32.exe";
    HMODULE hHelp = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!hHelp)
        return;
    if (HCURSOR hCursor = LoadCursorW(hHelp, MAKEINTRESOURCEW(HELP_HAND_CURSOR))) {
        m_hLinkCursor = CopyCursor(hCursor);
        m_bOwnCursor = m_hLinkCursor != nullptr;
    }
    FreeLibrary(hHelp);
}

void CXHyperLink::OnBound() {
    SetWindowLongW(m_hWnd, GWL_STYLE, GetWindowLongW(m_hWnd, GWL_STYLE) | SS_NOTIFY);
    const std::wstring text = GetText(m_hWnd);
    if (m_strAddress.empty())
        m_strAddress = text;
    if (text.empty() && !m_strAddress.empty())
        SetText(m_hWnd, m_strAddress);

    HFONT hFont = reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
    if (!hFont)
        hFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (!hFont)
        hFont = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
    LOGFONTW font{};
    GetObjectW(hFont, sizeof font, &font);
    m_hStandardFont.Reset(CreateFontIndirectW(&font));
    font.lfUnderline = TRUE;
    m_hUnderlineFont.Reset(CreateFontIndirectW(&font));
    FitToText();
    LoadLinkCursor();

    if (m_tooltip.Create(m_hWnd))
        SetToolText(TTM_ADDTOOLW);
}

void CXHyperLink::OnClicked() {
    m_bOver = false;
    const intptr_t result = g_pBrowser ? g_pBrowser->OpenAddress(m_strAddress, SW_SHOWNORMAL) : 0;
    if (AddressOpened(result)) {
        m_bVisited = true;
        Invalidate();
    } else {
        MessageBeep(MB_ICONEXCLAMATION);
    }
    HWND hParent = GetParent(m_hWnd);
    if (m_bNotifyParent && hParent)
        SendMessageW(hParent, ClickedMessage(), static_cast<WPARAM>(GetDlgCtrlID(m_hWnd)), 0);
}

void CXHyperLink::OnLeaveTimer() {
    const DWORD position = GetMessagePos();
    POINT pt{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ScreenToClient(m_hWnd, &pt);
    RECT rc{};
    GetClientRect(m_hWnd, &rc);
    if (PtInRect(&rc, pt))
        return;
    m_bOver = false;
    StopTimer(LINK_LEAVE_TIMER);
    SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_hStandardFont.Get()), FALSE);
    rc.bottom += LINK_UNDERLINE_REACH;
    InvalidateRect(m_hWnd, &rc, TRUE);
}

LRESULT CXHyperLink::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        if (!m_bOver) {
            m_bOver = true;
            SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_hUnderlineFont.Get()),
                         FALSE);
            Invalidate();
            StartTimer(LINK_LEAVE_TIMER, LINK_LEAVE_POLL_MS);
        }
        break;
    case WM_TIMER:
        if (wParam == LINK_LEAVE_TIMER) {
            OnLeaveTimer();
            return 0;
        }
        break;
    case WM_SETCURSOR:
        if (m_hLinkCursor) {
            SetCursor(m_hLinkCursor);
            return TRUE;
        }
        break;
    case WM_ERASEBKGND: {
        RECT rc{};
        GetClientRect(m_hWnd, &rc);
        const COLORREF colour =
            m_crBackground == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : m_crBackground;
        SetBkColor(reinterpret_cast<HDC>(wParam), colour);
        ExtTextOutW(reinterpret_cast<HDC>(wParam), 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
        return 1;
    }
    case WM_DESTROY:
        StopTimer(LINK_LEAVE_TIMER);
        break;
    }
    return DefaultProc(message, wParam, lParam);
}

bool CXHyperLink::PreTranslateMessage(MSG& msg) {
    m_tooltip.Relay(msg);
    return false;
}

bool CXHyperLink::OnReflectedMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == WM_CTLCOLORSTATIC) {
        HDC hDC = reinterpret_cast<HDC>(wParam);
        SetTextColor(hDC, LinkTextColour(m_bOver, m_bVisited));
        SetBkMode(hDC, TRANSPARENT);
        if (m_hbrBackground) {
            SetBkColor(hDC, m_crBackground);
            result = reinterpret_cast<LRESULT>(m_hbrBackground.Get());
        } else {
            result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        }
        return true;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
        OnClicked();
        result = 0;
        return true;
    }
    return false;
}
