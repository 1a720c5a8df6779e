#pragma once
#include "online/callout_slide.h"
#include "ui/win32/app_dialog.h"
#include "ui/win32/x_hyperlink.h"
#include <string>

// The update callout: slides out of the taskbar, asks "Download Now?" with a Yes and a Cancel
// link for ten seconds, and slides back. Read m_bAccepted after the modal run.
class CCallOutDlg : public CAppDialog {
  public:
    CCallOutDlg(uint16_t language, int32_t rtl, HWND hParent);

    int32_t m_bAccepted = 0;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    virtual void Layout();
    // The taskbar's edge and rectangle; false when the shell cannot tell.
    virtual bool QueryTaskbar(int32_t& edge, Rect& rect) const;

    // Sizes the window to its client area, centres it and lays out the text from `sentence`
    // (measured as one line) followed by `text` as the control shows it.
    void LayoutFrameAndText(const std::wstring& sentence, const std::wstring& text);
    void Collapse() const;
    void StartSlideOut();

    CXHyperLink m_linkYes;
    CXHyperLink m_linkCancel;
    uint16_t m_wLanguage;
    int32_t m_bRightToLeft;
    SlideState m_slide;
    RECT m_rcWindow{};
    UINT m_nHoldTime = HOLD_MS;

  private:
    void PlaceLink(CXHyperLink& link, uint16_t captionId) const;
    void OnTimer(UINT_PTR id);
    void ShowSlide() const;
};

// A one-message notice in the callout's window, without links; any click sends it away.
class CPopUpDlg : public CCallOutDlg {
  public:
    CPopUpDlg(uint16_t language, uint16_t messageId, int32_t rtl, HWND hParent);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    void Layout() override;

  private:
    uint16_t m_wMessageId;
    std::wstring m_strMessage;
};
