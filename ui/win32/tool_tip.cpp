#include "ui/win32/tool_tip.h"
#include <commctrl.h>

CToolTip::~CToolTip() {
    // Still attached means still alive: the window's end would have detached it.
    if (m_hWnd)
        DestroyWindow(m_hWnd);
}

bool CToolTip::Create(HWND hOwner) {
    if (!CreateEx(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, hOwner))
        return false;
    SendMessageW(m_hWnd, TTM_ACTIVATE, TRUE, 0);
    return true;
}

void CToolTip::SendTool(UINT message, TOOLINFOW tool, const std::wstring& text) const {
    if (!m_hWnd)
        return;
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(m_hWnd, message, 0, reinterpret_cast<LPARAM>(&tool));
}

void CToolTip::Relay(MSG& msg) const {
    if (m_hWnd)
        SendMessageW(m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}
