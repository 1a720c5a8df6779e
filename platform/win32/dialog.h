#pragma once
#include "platform/win32/window.h"

// A modal dialog from a template of the program's resources. It runs its own message loop so
// that every queued message passes PreTranslateMessage of its target window and that window's
// parents before the dialog's keyboard handling.
class CDialog : public CWindow {
  public:
    CDialog(UINT templateId, HWND hParent) : m_nTemplateId(templateId), m_hWndParent(hParent) {}

    // Creates the dialog, runs it until EndDialog and destroys it. Returns the result given to
    // EndDialog, or -1 when the dialog could not be created.
    INT_PTR DoModal();
    void EndDialog(INT_PTR result);

    // The dialog's normal keyboard handling (Tab, Enter = OK, Escape = Cancel).
    bool PreTranslateMessage(MSG& msg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    // Binds the member controls to the template's controls.
    virtual void DoDataExchange() {}
    // Lays the dialog out once its window exists; true gives the focus to the first control.
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    void SetIcons(HICON hIcon) const;

    UINT m_nTemplateId;
    HWND m_hWndParent;
    // How DoModal shows the window. SW_SHOW activates it; a notification that must leave the
    // keyboard with the program the user is typing in shows without activation.
    int m_nShowCommand = SW_SHOW;

  private:
    static INT_PTR CALLBACK StaticDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool PreTranslateChain(MSG& msg);

    bool m_bEnded = false;
    INT_PTR m_nResult = IDCANCEL;
};
