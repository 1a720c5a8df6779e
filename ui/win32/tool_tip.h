#pragma once
#include "platform/win32/window.h"
#include <commctrl.h>
#include <string>

// The tooltip window of one control. It is owned by the control's top-level window, so the
// system destroys it together with that window, possibly before the control's object ends; the
// object learns that end from the window itself and never uses the handle afterwards.
class CToolTip : public CWindow {
  public:
    ~CToolTip() override;

    // Creates the tooltip, active, for a control of `hOwner`'s window.
    bool Create(HWND hOwner);
    // Sends a tool message (TTM_ADDTOOLW, TTM_UPDATETIPTEXTW) for `tool` with `text`.
    void SendTool(UINT message, TOOLINFOW tool, const std::wstring& text) const;
    // Hands a queued message to the tooltip, so that it sees the mouse over its tools.
    void Relay(MSG& msg) const;
};
