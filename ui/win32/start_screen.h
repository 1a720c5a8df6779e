#pragma once
#include "platform/win32/scoped_handles.h"
#include "platform/win32/window.h"
#include <string>

// The borderless picture window shown while the main window comes up: a bitmap, cut to shape
// by a transparent colour, with one line of text over it; faded in and out where the system
// can animate windows. Built on the heap; it deletes itself once its window is gone.
class CStartScreen : public CWindow {
  public:
    // A new start screen with its window, or null (and nothing left behind) when the window
    // cannot be created: the object ends with its window, so it cannot outlive a failed one.
    static CStartScreen* Create(HWND hParent, const std::wstring& text, UINT displayTime,
                                DWORD style, bool ownClass);
    // Releases the previous picture first: false, and no picture at all, when the new one
    // cannot be loaded; the recorded size and position stay as they were.
    bool SetPicture(UINT bitmapId, short red, short green, short blue);
    void SetLabelFont(const wchar_t* face, int tenthsOfPoint, int style);
    void SetLabelRect(const RECT& rc);
    void SetLabelColour(COLORREF colour);
    void SetLabel(const std::wstring& text);
    void SetLabelFormat(UINT format) { m_nLabelFormat = format; }
    void Show();
    // Fades out and destroys the window; the object is gone afterwards.
    void Hide();

    const std::wstring& Label() const { return m_strLabel; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override { delete this; }

  private:
    CStartScreen();
    ~CStartScreen() override = default;
    using AnimateFunction = BOOL(WINAPI*)(HWND, DWORD, DWORD);

    bool CreateWindowOf(HWND hParent, const std::wstring& text, DWORD style, bool ownClass);

    void Paint(HDC hDC) const;
    void Redraw() const;
    HRGN BuildRegion(COLORREF transparent) const;

    AnimateFunction m_pfnAnimate = nullptr;
    HWND m_hWndParent = nullptr;
    CScopedGdiObject<HBITMAP> m_hbmPicture;
    CScopedGdiObject<HFONT> m_hFont;
    DWORD m_nStyle = 0;
    UINT m_nDisplayTime = 0;
    std::wstring m_strLabel;
    RECT m_rcLabel{};
    UINT m_nLabelFormat;
    COLORREF m_crLabel = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nX = 0;
    int m_nY = 0;
};
