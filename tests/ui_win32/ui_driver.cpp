#include "tests/ui_win32/ui_driver.h"
#include <cstdlib>
#include <thread>
#include <vector>

void Settle(HWND hWnd, DWORD milliseconds);

namespace {
struct Search {
    HWND found = nullptr;
};

BOOL CALLBACK FindVisible(HWND hWnd, LPARAM lParam) {
    if (!IsWindowVisible(hWnd))
        return TRUE;
    wchar_t name[64];
    GetClassNameW(hWnd, name, 64);
    if (std::wstring(name) == L"tooltips_class32")
        return TRUE;
    reinterpret_cast<Search*>(lParam)->found = hWnd;
    return FALSE;
}

HWND WaitForWindow(DWORD threadId) {
    for (int i = 0; i < 500; ++i) {
        Search search;
        EnumThreadWindows(threadId, FindVisible, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            // A window may show itself while it is still being laid out.
            Settle(search.found, 0);
            return search.found;
        }
        Sleep(10);
    }
    return nullptr;
}
} // namespace

INT_PTR RunDriven(const std::function<INT_PTR()>& run, const std::function<void(HWND)>& drive) {
    const DWORD threadId = GetCurrentThreadId();
    std::thread driver([&] { drive(WaitForWindow(threadId)); });
    const INT_PTR result = run();
    driver.join();
    return result;
}

std::wstring WindowTextOf(HWND hWnd) {
    wchar_t text[1024] = L"";
    SendMessageW(hWnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring ItemText(HWND hDialog, int id) {
    return WindowTextOf(GetDlgItem(hDialog, id));
}

RECT ItemRect(HWND hDialog, int id) {
    RECT rc{};
    GetWindowRect(GetDlgItem(hDialog, id), &rc);
    MapWindowPoints(HWND_DESKTOP, hDialog, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

bool ItemVisible(HWND hDialog, int id) {
    return IsWindowVisible(GetDlgItem(hDialog, id)) != FALSE;
}

LONG ExStyle(HWND hWnd) {
    return GetWindowLongW(hWnd, GWL_EXSTYLE);
}

SIZE WindowSize(HWND hWnd) {
    RECT rc{};
    GetWindowRect(hWnd, &rc);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

void WaitSizeSettled(HWND hWnd) {
    SIZE last{-1, -1};
    for (int i = 0; i < 200; ++i) {
        const SIZE size = WindowSize(hWnd);
        if (size.cx > 0 && size.cy > 0 && size.cx == last.cx && size.cy == last.cy)
            return;
        last = size;
        Sleep(40);
    }
}

void Settle(HWND hWnd, DWORD milliseconds) {
    Sleep(milliseconds);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hWnd, WM_NULL, 0, 0, SMTO_BLOCK, 2000, &result);
}

void Click(HWND hDialog, int id) {
    HWND hButton = GetDlgItem(hDialog, id);
    PostMessageW(hButton, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(hButton, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

void PressKey(HWND hTarget, WORD key) {
    PostMessageW(hTarget, WM_KEYDOWN, key, 1);
    PostMessageW(hTarget, WM_KEYUP, key, 1 | 0xC0000000);
}

bool WaitGone(HWND hWnd, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (IsWindow(hWnd)) {
        if (GetTickCount() - start > milliseconds)
            return false;
        Sleep(5);
    }
    return true;
}

static void SaveBitmap(const std::wstring& path, HDC hDC, HBITMAP hBitmap, int width, int height) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<BYTE> bits(static_cast<size_t>(stride) * height);
    GetDIBits(hDC, hBitmap, 0, static_cast<UINT>(height), bits.data(),
              reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + bits.size());
    HANDLE hFile = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(hFile, &file, sizeof file, &written, nullptr);
    WriteFile(hFile, &header, sizeof header, &written, nullptr);
    WriteFile(hFile, bits.data(), static_cast<DWORD>(bits.size()), &written, nullptr);
    CloseHandle(hFile);
}

void Screenshot(HWND hWnd, const std::wstring& name) {
    const wchar_t* folder = _wgetenv(L"QM_SCREENSHOT_DIR");
    if (!folder || !*folder)
        return;
    std::wstring path = folder;
    if (path[0] == L'/')
        path = L"Z:" + path; // a Unix path, as the harness passes it
    CreateDirectoryW(path.c_str(), nullptr);
    RedrawWindow(hWnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Settle(hWnd, 60);
    RECT rc{};
    GetWindowRect(hWnd, &rc);
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    if (width <= 0 || height <= 0)
        return;
    HDC hScreen = GetDC(nullptr);
    HDC hMemory = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, width, height);
    HGDIOBJ hOld = SelectObject(hMemory, hBitmap);
    BitBlt(hMemory, 0, 0, width, height, hScreen, rc.left, rc.top, SRCCOPY);
    SelectObject(hMemory, hOld);
    SaveBitmap(path + L"/" + name + L".bmp", hMemory, hBitmap, width, height);
    DeleteObject(hBitmap);
    DeleteDC(hMemory);
    ReleaseDC(nullptr, hScreen);
}

std::wstring Joined(const std::vector<std::wstring>& lines) {
    std::wstring out;
    for (const std::wstring& line : lines)
        out += L"\n  " + line;
    return out;
}

namespace {
BOOL CALLBACK CollectChild(HWND hWnd, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hWnd);
    return TRUE;
}

bool IsClass(HWND hWnd, const wchar_t* name) {
    wchar_t found[64] = L"";
    GetClassNameW(hWnd, found, 64);
    return _wcsicmp(found, name) == 0;
}

// Size of `text` as the control draws it: one line, or wrapped at `wrap`.
SIZE TextSize(HWND hControl, HFONT hFont, const std::wstring& text, LONG wrap) {
    RECT rc{0, 0, wrap, 0};
    HDC hDC = GetDC(hControl);
    HGDIOBJ hOld = SelectObject(hDC, hFont);
    DrawTextW(hDC, text.c_str(), static_cast<int>(text.size()), &rc,
              DT_CALCRECT | DT_NOPREFIX | (wrap > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(hDC, hOld);
    ReleaseDC(hControl, hDC);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

// Thai is shaped from the control's own font alone (no font linking): without Thai glyphs
// there, a measure gives the width of boxes, not of the text.
bool ShapedWithoutGlyphs(HWND hControl, HFONT hFont, const std::wstring& text) {
    for (wchar_t c : text) {
        if (c < 0x0E00 || c > 0x0E7F)
            continue;
        HDC hDC = GetDC(hControl);
        HGDIOBJ hOld = SelectObject(hDC, hFont);
        WORD glyph = 0;
        GetGlyphIndicesW(hDC, &c, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS);
        SelectObject(hDC, hOld);
        ReleaseDC(hControl, hDC);
        return glyph == 0xFFFF;
    }
    return false;
}

HFONT CaptionFont(HWND hButton) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hButton, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    HDC hDC = GetDC(hButton);
    font.lfHeight = -MulDiv(9, GetDeviceCaps(hDC, LOGPIXELSY), 72);
    ReleaseDC(hButton, hDC);
    return CreateFontIndirectW(&font);
}

std::wstring Describe(HWND hControl, const wchar_t* what, LONG measured, LONG room) {
    return std::to_wstring(GetDlgCtrlID(hControl)) + L": " + what + L" " +
           std::to_wstring(measured) + L" > " + std::to_wstring(room) + L" \"" +
           WindowTextOf(hControl) + L"\"";
}
} // namespace

std::vector<std::wstring> TextOverflows(HWND hWnd) {
    std::vector<HWND> children;
    EnumChildWindows(hWnd, CollectChild, reinterpret_cast<LPARAM>(&children));
    RECT window{};
    GetClientRect(hWnd, &window);
    std::vector<std::wstring> found;
    for (HWND hControl : children) {
        const std::wstring text = WindowTextOf(hControl);
        if (!IsWindowVisible(hControl) || GetParent(hControl) != hWnd || text.empty())
            continue;
        RECT rc = ItemRect(hWnd, GetDlgCtrlID(hControl));
        if (rc.left < 0 || rc.right > window.right)
            found.push_back(Describe(hControl, L"outside the window, right edge",
                                     rc.left < 0 ? window.right - rc.left : rc.right,
                                     window.right));
        RECT client{};
        GetClientRect(hControl, &client);
        SIZE size{};
        if (IsClass(hControl, L"Static")) {
            const LONG type = GetWindowLongW(hControl, GWL_STYLE) & SS_TYPEMASK;
            const bool wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
            if (!wraps && type != SS_SIMPLE && type != SS_LEFTNOWORDWRAP)
                continue; // a picture
            HFONT hFont = reinterpret_cast<HFONT>(SendMessageW(hControl, WM_GETFONT, 0, 0));
            if (ShapedWithoutGlyphs(hControl, hFont, text))
                continue;
            size = TextSize(hControl, hFont, text, wraps ? client.right : 0);
            if (size.cy > client.bottom)
                found.push_back(
                    Describe(hControl, L"text taller than its control", size.cy, client.bottom));
        } else if (IsClass(hControl, L"Button")) {
            HFONT hFont = CaptionFont(hControl);
            size = TextSize(hControl, hFont, text, 0);
            DeleteObject(hFont);
        }
        if (size.cx > client.right)
            found.push_back(
                Describe(hControl, L"text wider than its control", size.cx, client.right));
    }
    return found;
}
