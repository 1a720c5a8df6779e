#include "platform/win32/window.h"

static const wchar_t WINDOW_PROPERTY[] = L"QuillmateWindowObject";

CWindow::~CWindow() {
    // A window that outlives its object goes back to its own procedure.
    if (m_hWnd)
        Detach();
}

CWindow* CWindow::FromHandle(HWND hWnd) {
    return hWnd ? static_cast<CWindow*>(GetPropW(hWnd, WINDOW_PROPERTY)) : nullptr;
}

bool CWindow::Bind(HWND hParent, int id) {
    HWND hControl = GetDlgItem(hParent, id);
    return hControl && Attach(hControl);
}

bool CWindow::Attach(HWND hWnd) {
    if (m_hWnd || !hWnd || FromHandle(hWnd) || !SetPropW(hWnd, WINDOW_PROPERTY, this))
        return false;
    m_hWnd = hWnd;
    m_pfnSuperProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWindow::StaticWindowProc)));
    OnBound();
    return true;
}

void CWindow::Detach() {
    if (m_pfnSuperProc)
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuperProc));
    RemovePropW(m_hWnd, WINDOW_PROPERTY);
    m_pfnSuperProc = nullptr;
    m_hWnd = nullptr;
}

bool CWindow::RegisterWindowClass(const wchar_t* className, UINT classStyle, HCURSOR hCursor,
                                  HBRUSH hbrBackground) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = className;
    if (RegisterClassExW(&wc))
        return true;
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool CWindow::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                       int x, int y, int width, int height, HWND hParent) {
    // Windows of a registered class start with the default procedure and are subclassed at
    // once; the few messages of creation need nothing of ours.
    HWND hWnd = CreateWindowExW(exStyle, className, title, style, x, y, width, height, hParent,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!hWnd)
        return false;
    if (!Attach(hWnd)) {
        DestroyWindow(hWnd);
        return false;
    }
    return true;
}

LRESULT CWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultProc(message, wParam, lParam);
}

bool CWindow::PreTranslateMessage(MSG&) {
    return false;
}

bool CWindow::OnReflectedMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

LRESULT CWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuperProc)
        return CallWindowProcW(m_pfnSuperProc, m_hWnd, message, wParam, lParam);
    return DefWindowProcW(m_hWnd, message, wParam, lParam);
}

bool CWindow::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND hChild = nullptr;
    switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_COMMAND:
        hChild = reinterpret_cast<HWND>(lParam);
        break;
    case WM_DRAWITEM:
        hChild = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
        break;
    default:
        return false;
    }
    CWindow* child = FromHandle(hChild);
    return child && child->OnReflectedMessage(message, wParam, lParam, result);
}

LRESULT CWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ReflectToChild(message, wParam, lParam, result))
        return result;
    result = WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        Detach();
        OnFinalMessage();
    }
    return result;
}

LRESULT CALLBACK CWindow::StaticWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWindow* window = FromHandle(hWnd);
    if (!window)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    return window->Dispatch(message, wParam, lParam);
}

RECT CWindow::RectInParent() const {
    RECT rc{};
    GetWindowRect(m_hWnd, &rc);
    MapWindowPoints(HWND_DESKTOP, GetParent(m_hWnd), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

void CWindow::MoveTo(int x, int y, int width, int height) const {
    SetWindowPos(m_hWnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void AddExStyle(HWND hWnd, DWORD bits) {
    SetWindowLongW(hWnd, GWL_EXSTYLE, static_cast<LONG>(GetWindowLongW(hWnd, GWL_EXSTYLE) | bits));
}

UINT RegisteredMessage(const wchar_t* name) {
    return RegisterWindowMessageW(name);
}
