// The window's own background: grey surface, header panel and two line frames, drawn off
// screen and copied in one piece so that nothing flickers.
#include "main_window/win32/main_dialog.h"
#include "ui/win32/ui_resources.h"
#include <vector>

template <size_t N> static void DrawPath(HDC hDC, const Point (&points)[N]) {
    std::vector<POINT> path;
    for (const Point& p : points)
        path.push_back({p.x, p.y});
    Polyline(hDC, path.data(), static_cast<int>(path.size()));
}

void CMainDialog::DrawBackground(HDC hDC, const RECT& client) const {
    FillRect(hDC, &client, AppColours().m_hbrBackground);
    const RECT panel{HEADER_PANEL.left, HEADER_PANEL.top, HEADER_PANEL.right, HEADER_PANEL.bottom};
    FillRect(hDC, &panel, m_hbrPanel.Get());
    CScopedGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, COLOUR_FRAME));
    if (!pen)
        return;
    CScopedSelect select(hDC, pen.Get());
    DrawPath(hDC, OUTER_FRAME);
    DrawPath(hDC, INNER_FRAME);
}

void CMainDialog::EraseBackground(HDC hDC) const {
    RECT client{};
    GetClientRect(m_hWnd, &client);
    CScopedMemoryDC memory(CreateCompatibleDC(hDC));
    CScopedGdiObject<HBITMAP> bitmap(
        memory ? CreateCompatibleBitmap(hDC, client.right, client.bottom) : nullptr);
    if (!bitmap) {
        // Short of memory: drawn straight to the screen.
        DrawBackground(hDC, client);
        return;
    }
    CScopedSelect select(memory.Get(), bitmap.Get());
    DrawBackground(memory.Get(), client);
    BitBlt(hDC, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
}

LRESULT CMainDialog::AnswerColour(UINT message, HDC hDC, HWND hControl) const {
    if (message == WM_CTLCOLORDLG)
        return reinterpret_cast<LRESULT>(AppColours().m_hbrBackground);
    const int id = GetDlgCtrlID(hControl);
    SetTextColor(hDC, StaticTextColour(id, AppColours().m_crText));
    SetBkMode(hDC, TRANSPARENT);
    HBRUSH hBrush = IsOnPanel(id) ? m_hbrPanel.Get() : AppColours().m_hbrBackground;
    return reinterpret_cast<LRESULT>(hBrush);
}

void CMainDialog::PaintMinimised() {
    PAINTSTRUCT paint{};
    HDC hDC = BeginPaint(m_hWnd, &paint);
    SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(hDC), 0);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    DrawIcon(hDC, IconOrigin(client.right, GetSystemMetrics(SM_CXICON)),
             IconOrigin(client.bottom, GetSystemMetrics(SM_CYICON)), m_hIcon);
    EndPaint(m_hWnd, &paint);
}
