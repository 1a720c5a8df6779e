#pragma once
#include "platform/win32/scoped_handles.h"
#include "platform/win32/window.h"
#include "ui/win32/tool_tip.h"
#include "ui/image_button_state.h"
#include <string>

// A push or toggle button drawn from a strip of four frames (normal, pressed, hover,
// disabled). Pixels of the transparent colour show what lies behind the button and do not take
// clicks. Bound to an owner-drawn button of a dialog template.
class CImageButton : public CWindow {
  public:
    // Loads the strip and sizes the button to one frame, keeping its top-left corner. False
    // (and nothing drawn) when the bitmap cannot be loaded.
    bool SetImage(UINT bitmapId, COLORREF transparent);
    // The same with a strip at hand (a DIB section); the button owns it from here on.
    bool SetStrip(HBITMAP hStrip, COLORREF transparent);
    void SetImageCount(int count) { m_nImageCount = count; }
    void SetFontSize(int points);
    void SetTextRect(int left, int top, int right, int bottom);
    void SetTextColors(COLORREF normal, COLORREF hover, COLORREF pressed, COLORREF disabled);
    void SetCaption(const std::wstring& text);
    void LoadCaption(uint16_t language, uint16_t id);
    void SetTooltip(uint16_t language, uint16_t id);
    void UpdateTooltip(uint16_t language, uint16_t id);
    void SetPushMode(bool push) { m_bPushMode = push; }
    int GetCheck() const { return m_bPushMode ? 0 : m_bChecked; }
    int SetCheck(bool checked);
    void Enable();
    void Disable();
    virtual void EnableWindow(BOOL enable);

    int DrawState() const { return ButtonDrawState(Flags(), false); }
    bool IsOpaque(int x, int y) const;
    const CToolTip& Tooltip() const { return m_tooltip; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool PreTranslateMessage(MSG& msg) override;
    bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnBound() override;

  private:
    ButtonFlags Flags() const { return {m_bDisabled, m_bChecked, m_bHover}; }
    void Draw(const DRAWITEMSTRUCT& item) const;
    void DrawBackground(HDC hDC, int width, int height) const;
    void DrawCaption(HDC hDC, int state) const;
    void OnMouseMove(LPARAM lParam);
    void SetToolText(const std::wstring& text, UINT message) const;
    void ReleaseStrip();

    COLORREF m_crTransparent = 0;
    bool m_bPushMode = true;
    bool m_bDisabled = false;
    bool m_bHover = false;
    bool m_bChecked = false;
    bool m_bTracking = false;
    CToolTip m_tooltip;
    CScopedGdiObject<HBITMAP> m_hbmStrip;
    StripPixels m_strip;
    int m_nFrameWidth = 0;
    std::wstring m_strCaption;
    CaptionColours m_colours;
    RECT m_rcCaption{};
    LOGFONTW m_lfCaption{};
    CScopedGdiObject<HFONT> m_hFont;
    int m_nImageCount = 1;
};
