#pragma once
#include <windows.h>

void AddExStyle(HWND hWnd, DWORD bits);

// A window object: one C++ object per window, found from the handle, receiving the window's
// messages through a virtual procedure. Either it creates its window (own or registered class)
// or it subclasses an existing one (a control of a dialog template, bound by id).
class CWindow {
  public:
    CWindow() = default;
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;
    virtual ~CWindow();

    HWND m_hWnd = nullptr;

    // The object kept with `hWnd`, or null.
    static CWindow* FromHandle(HWND hWnd);

    // Subclasses the child `id` of `hParent` and keeps this object with it.
    bool Bind(HWND hParent, int id);
    bool Attach(HWND hWnd);

    // Registers a window class whose windows are created by CreateEx.
    static bool RegisterWindowClass(const wchar_t* className, UINT classStyle, HCURSOR hCursor,
                                    HBRUSH hbrBackground);
    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x,
                  int y, int width, int height, HWND hParent);

    // Messages first go here; what is not handled goes to DefaultProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // A chance to handle a queued message before it is translated and dispatched; true when
    // it was handled. The modal loop asks the target window and then its parents.
    virtual bool PreTranslateMessage(MSG& msg);
    // Colour requests, commands and draw requests of this control, reflected by its parent;
    // true when handled, with `result` the answer.
    virtual bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Called after the control was bound.
    virtual void OnBound() {}
    // Called after the window is gone (WM_NCDESTROY); the object may delete itself here.
    virtual void OnFinalMessage() {}

    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Small helpers every window uses.
    void Invalidate(bool erase = true) const { InvalidateRect(m_hWnd, nullptr, erase); }
    UINT_PTR StartTimer(UINT_PTR id, UINT milliseconds) const {
        return ::SetTimer(m_hWnd, id, milliseconds, nullptr);
    }
    void StopTimer(UINT_PTR id) const { ::KillTimer(m_hWnd, id); }
    // Window rectangle in the coordinates of the parent's client area.
    RECT RectInParent() const;
    void MoveTo(int x, int y, int width, int height) const;
    void AddExStyle(DWORD bits) const { ::AddExStyle(m_hWnd, bits); }

  protected:
    static LRESULT CALLBACK StaticWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Offers colour requests, commands and draw requests to the child they concern.
    static bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void Detach();

    WNDPROC m_pfnSuperProc = nullptr;
};

// A registered window message, registered once per name.
UINT RegisteredMessage(const wchar_t* name);
