#pragma once
#include "platform/win32/scoped_handles.h"
#include "platform/win32/window.h"
#include "ui/win32/tool_tip.h"
#include "ui/hyperlink_logic.h"
#include <string>

class IBrowser;

// A static text control turned into a web link: link colour, underlined in the hover colour
// while the mouse is over it, a hand cursor and the address as tooltip; a click opens the
// address in the browser and marks the link visited.
class CXHyperLink : public CWindow {
  public:
    CXHyperLink() = default;
    ~CXHyperLink() override;

    // The browser every link opens its address with; the program hands it over once.
    static void SetBrowser(IBrowser* browser);
    // "WM_XHYPERLINK_CLICKED", sent to the parent after a click when asked for.
    static UINT ClickedMessage();

    void SetLinkText(const std::wstring& text);
    void LoadLinkText(uint16_t language, uint16_t id);
    void SetAddress(const std::wstring& address);
    const std::wstring& Address() const { return m_strAddress; }
    void SetBackground(COLORREF colour);
    void SetFitToText(bool fit);
    void FitAndCentre(const RECT& area);
    void SetNotifyParent(bool notify) { m_bNotifyParent = notify; }
    bool IsVisited() const { return m_bVisited; }
    bool IsOver() const { return m_bOver; }
    const CToolTip& Tooltip() const { return m_tooltip; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool PreTranslateMessage(MSG& msg) override;
    bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnBound() override;

  private:
    void FitToText();
    void OnClicked();
    void OnLeaveTimer();
    void SetToolText(UINT message) const;
    void LoadLinkCursor();

    COLORREF m_crBackground = CLR_INVALID; // the system's button face
    CScopedGdiObject<HBRUSH> m_hbrBackground;
    bool m_bOver = false;
    bool m_bVisited = false;
    bool m_bFitToText = true;
    bool m_bNotifyParent = false;
    std::wstring m_strAddress;
    CScopedGdiObject<HFONT> m_hUnderlineFont;
    CScopedGdiObject<HFONT> m_hStandardFont;
    HCURSOR m_hLinkCursor = nullptr;
    bool m_bOwnCursor = false;
    CToolTip m_tooltip;
};
