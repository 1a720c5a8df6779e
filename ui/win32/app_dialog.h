#pragma once
#include "platform/win32/dialog.h"
#include "platform/win32/scoped_handles.h"
#include <cstdint>
#include <string>

class CImageButton;

// What the program's dialogs share: the application colours, the image buttons set up one way,
// the window icon, and optionally Enter and Escape that do nothing.
class CAppDialog : public CDialog {
  public:
    CAppDialog(UINT templateId, HWND hParent, bool inertEnterEscape)
        : CDialog(templateId, hParent), m_bInertEnterEscape(inertEnterEscape) {}

    bool PreTranslateMessage(MSG& msg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    // Text colour of a static control; the application's text colour unless overridden.
    virtual COLORREF StaticTextColour(HWND hControl) const;
    // Strip, transparent colour, font and caption rectangle of every dialog button.
    static void SetupButton(CImageButton& button, int x, int y);
    // Shows `bitmapId` in a picture control at (x, y); the dialog keeps the bitmap.
    void ShowPicture(int id, UINT bitmapId, int x, int y);
    void SetWindowIcon() const;
    void ApplyRightToLeft(bool rtl) const;
    void SetItemText(int id, const std::wstring& text) const;

  private:
    bool m_bInertEnterEscape;
    CScopedGdiObject<HBITMAP> m_hbmPicture;
};
