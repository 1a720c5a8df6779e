// Reads the windows of running programs from outside and drives them, for end-to-end tests.
//   winprobe windows [TITLE]        top-level windows: handle, visible, class, title
//   winprobe wait TITLE [MS]        waits until a visible window with this title exists
//   winprobe gone TITLE [MS]        waits until no window with this title exists
//   winprobe controls TITLE         child controls: id, class, visible, enabled, x y w h, text
//                                     (combo-box entries follow on lines starting with a tab)
//   winprobe click TITLE ID         presses a button
//   winprobe post TITLE MSG W L     posts a message; MSG is a number or reg:NAME
//   winprobe send TITLE ID MSG W L  sends a message to a control, also one on a page inside the
//                                     window (a wizard's page), and prints the answer
//   winprobe close TITLE            asks the window to close
//   winprobe styles TITLE           the window's and its controls' extended styles: id, hex
//   winprobe tray                   icons of the notification area: x y w h on the screen
//   winprobe rect TITLE             the topmost visible window with this title: x y w h
//   winprobe ping TITLE [MS]        how long the window takes to answer a message (ms); exit
//                                     code 1 when it does not answer within MS
// TITLE is the exact window title, ~PART for a title containing PART, or >PART for a window
// without a title that has a control showing PART (a callout). Output is UTF-8.
// Exit code 0 on success, 1 when the window or control is not there, 2 on bad usage.
#include <windows.h>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {
void Print(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    bytes.push_back('\n');
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
              &written, nullptr);
}

std::wstring WindowText(HWND hWnd) {
    wchar_t text[4096] = {};
    DWORD_PTR length = 0;
    // WM_GETTEXT reads control texts of other processes too; time out on a hung program.
    SendMessageTimeoutW(hWnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        2000, &length);
    return std::wstring(text, wcsnlen(text, 4096));
}

std::wstring ClassOf(HWND hWnd) {
    wchar_t name[256] = {};
    GetClassNameW(hWnd, name, 256);
    return name;
}

bool TitleMatches(const std::wstring& title, const std::wstring& pattern) {
    if (!pattern.empty() && pattern[0] == L'~')
        return title.find(pattern.substr(1)) != std::wstring::npos;
    return title == pattern;
}

// A callback of the system's calling convention, which a lambda does not have on 32-bit.
BOOL CALLBACK Collect(HWND hWnd, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hWnd);
    return TRUE;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool ShowsInControl(HWND hWnd, const std::wstring& part) {
    std::vector<HWND> children;
    EnumChildWindows(hWnd, Collect, reinterpret_cast<LPARAM>(&children));
    for (HWND hChild : children) {
        if (WindowText(hChild).find(part) != std::wstring::npos)
            return true;
    }
    return false;
}

bool WindowMatches(HWND hWnd, const std::wstring& pattern) {
    if (!pattern.empty() && pattern[0] == L'>')
        return WindowText(hWnd).empty() && ShowsInControl(hWnd, pattern.substr(1));
    return TitleMatches(WindowText(hWnd), pattern);
}

HWND FindTitled(const std::wstring& pattern, bool visibleOnly) {
    for (HWND hWnd : TopLevelWindows()) {
        if ((!visibleOnly || IsWindowVisible(hWnd)) && WindowMatches(hWnd, pattern))
            return hWnd;
    }
    return nullptr;
}

// The caption is read without a message, so a window that does not answer is still found.
HWND FindDialogByCaption(const std::wstring& title) {
    for (HWND hWnd : TopLevelWindows()) {
        wchar_t caption[512] = {};
        GetWindowTextW(hWnd, caption, 512);
        if (title == caption && ClassOf(hWnd) == L"#32770")
            return hWnd;
    }
    return nullptr;
}

int Ping(const std::wstring& title, DWORD ms) {
    HWND hWnd = FindDialogByCaption(title);
    if (!hWnd)
        return 1;
    const ULONGLONG start = GetTickCount64();
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, ms, &result))
        return 1;
    Print(std::to_wstring(GetTickCount64() - start));
    return 0;
}

std::wstring Escape(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\n')
            out += L"\\n";
        else if (c == L'\r')
            out += L"\\r";
        else if (c == L'\t')
            out += L"\\t";
        else
            out.push_back(c);
    }
    return out;
}

int ListWindows(const std::wstring& pattern) {
    for (HWND hWnd : TopLevelWindows()) {
        const std::wstring title = WindowText(hWnd);
        if (!pattern.empty() && !WindowMatches(hWnd, pattern))
            continue;
        wchar_t line[64];
        swprintf(line, 64, L"%p\t%d\t", static_cast<void*>(hWnd), IsWindowVisible(hWnd) ? 1 : 0);
        Print(line + ClassOf(hWnd) + L"\t" + Escape(title));
    }
    return 0;
}

int WaitFor(const std::wstring& pattern, DWORD ms, bool present) {
    const ULONGLONG end = GetTickCount64() + ms;
    do {
        if ((FindTitled(pattern, present) != nullptr) == present)
            return 0;
        Sleep(50);
    } while (GetTickCount64() < end);
    return 1;
}

void PrintComboEntries(HWND hCombo) {
    const LRESULT count = SendMessageW(hCombo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(hCombo, CB_GETLBTEXTLEN, i, 0);
        if (length < 0 || length > 4096)
            continue;
        // Reading list entries across processes works for the standard combo box only.
        std::wstring entry(static_cast<size_t>(length) + 1, L'\0');
        SendMessageW(hCombo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
        entry.resize(wcsnlen(entry.c_str(), entry.size()));
        Print(L"\t" + Escape(entry));
    }
}

int ListControls(HWND hWnd) {
    std::vector<HWND> children;
    EnumChildWindows(hWnd, Collect, reinterpret_cast<LPARAM>(&children));
    for (HWND hChild : children) {
        RECT rect = {};
        GetWindowRect(hChild, &rect);
        MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&rect), 2);
        wchar_t line[160];
        swprintf(line, 160, L"%d\t", GetDlgCtrlID(hChild));
        const std::wstring className = ClassOf(hChild);
        wchar_t state[96];
        swprintf(state, 96, L"\t%d\t%d\t%ld %ld %ld %ld\t", IsWindowVisible(hChild) ? 1 : 0,
                 IsWindowEnabled(hChild) ? 1 : 0, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top);
        Print(line + className + state + Escape(WindowText(hChild)));
        if (_wcsicmp(className.c_str(), L"ComboBox") == 0)
            PrintComboEntries(hChild);
    }
    return 0;
}

// Wine's notification area outside a Wine desktop: one small window per icon inside the
// stand-alone tray window.
BOOL CALLBACK CollectTrayIcons(HWND hWnd, LPARAM list) {
    if (ClassOf(hWnd) == L"__winex11_standalone_tray")
        EnumChildWindows(hWnd, Collect, list);
    return TRUE;
}

int ListTrayIcons() {
    std::vector<HWND> icons;
    EnumWindows(CollectTrayIcons, reinterpret_cast<LPARAM>(&icons));
    for (HWND hIcon : icons) {
        RECT rect = {};
        if (ClassOf(hIcon) != L"__winex11_tray_icon" || !IsWindowVisible(hIcon) ||
            !GetWindowRect(hIcon, &rect))
            continue;
        wchar_t line[96];
        swprintf(line, 96, L"%ld %ld %ld %ld", rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top);
        Print(line);
    }
    return 0;
}

int PrintRect(HWND hWnd) {
    RECT rc = {};
    if (!GetWindowRect(hWnd, &rc))
        return 1;
    wchar_t line[96];
    swprintf(line, 96, L"%ld %ld %ld %ld", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    Print(line);
    return 0;
}

int ListStyles(HWND hWnd) {
    std::vector<HWND> windows{hWnd};
    EnumChildWindows(hWnd, Collect, reinterpret_cast<LPARAM>(&windows));
    for (HWND h : windows) {
        wchar_t line[64];
        swprintf(line, 64, L"%d\t%08lx", h == hWnd ? 0 : GetDlgCtrlID(h),
                 static_cast<unsigned long>(GetWindowLongW(h, GWL_EXSTYLE)));
        Print(line);
    }
    return 0;
}

UINT MessageNumber(const std::wstring& name) {
    if (name.rfind(L"reg:", 0) == 0)
        return RegisterWindowMessageW(name.c_str() + 4);
    return static_cast<UINT>(wcstoul(name.c_str(), nullptr, 0));
}

// The visible control with this id at any depth, else an invisible one.
HWND FindControl(HWND hWnd, int id) {
    std::vector<HWND> children;
    EnumChildWindows(hWnd, Collect, reinterpret_cast<LPARAM>(&children));
    HWND hFound = nullptr;
    for (HWND hChild : children) {
        if (GetDlgCtrlID(hChild) != id)
            continue;
        if (IsWindowVisible(hChild))
            return hChild;
        if (!hFound)
            hFound = hChild;
    }
    return hFound;
}

int SendToControl(HWND hWnd, const std::vector<std::wstring>& args) {
    HWND hControl = FindControl(hWnd, static_cast<int>(wcstol(args[2].c_str(), nullptr, 0)));
    const WPARAM w = static_cast<WPARAM>(wcstoull(args[4].c_str(), nullptr, 0));
    const LPARAM l = static_cast<LPARAM>(wcstoll(args[5].c_str(), nullptr, 0));
    DWORD_PTR answer = 0;
    if (!hControl || !SendMessageTimeoutW(hControl, MessageNumber(args[3]), w, l, SMTO_ABORTIFHUNG,
                                          5000, &answer))
        return 1;
    Print(std::to_wstring(static_cast<LONG_PTR>(answer)));
    return 0;
}

int Usage() {
    Print(L"usage: winprobe windows [TITLE] | wait TITLE [MS] | gone TITLE [MS] | controls TITLE"
          L" | click TITLE ID | post TITLE MSG W L | close TITLE | styles TITLE | tray"
          L" | send TITLE ID MSG W L | rect TITLE | ping TITLE [MS]");
    return 2;
}

int Command(const std::vector<std::wstring>& args) {
    const std::wstring& verb = args[0];
    const std::wstring pattern = args.size() > 1 ? args[1] : L"";
    if (verb == L"windows")
        return ListWindows(pattern);
    if (verb == L"tray")
        return ListTrayIcons();
    if (args.size() < 2)
        return Usage();
    const DWORD ms = args.size() > 2 ? wcstoul(args[2].c_str(), nullptr, 10) : 10000;
    if (verb == L"wait")
        return WaitFor(pattern, ms, true);
    if (verb == L"gone")
        return WaitFor(pattern, ms, false);
    if (verb == L"rect") {
        HWND hShown = FindTitled(pattern, true);
        return hShown ? PrintRect(hShown) : 1;
    }
    if (verb == L"ping")
        return Ping(pattern, ms);
    HWND hWnd = FindTitled(pattern, false);
    if (!hWnd)
        return 1;
    if (verb == L"controls")
        return ListControls(hWnd);
    if (verb == L"styles")
        return ListStyles(hWnd);
    if (verb == L"close")
        return PostMessageW(hWnd, WM_CLOSE, 0, 0) ? 0 : 1;
    if (verb == L"click" && args.size() == 3) {
        // What a click sends; BM_CLICK is lost when the dialog is not the active window.
        const int id = static_cast<int>(wcstol(args[2].c_str(), nullptr, 0));
        HWND hButton = GetDlgItem(hWnd, id);
        return hButton && PostMessageW(hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                       reinterpret_cast<LPARAM>(hButton))
                   ? 0
                   : 1;
    }
    if (verb == L"send" && args.size() == 6)
        return SendToControl(hWnd, args);
    if (verb == L"post" && args.size() == 5) {
        const WPARAM w = static_cast<WPARAM>(wcstoull(args[3].c_str(), nullptr, 0));
        const LPARAM l = static_cast<LPARAM>(wcstoll(args[4].c_str(), nullptr, 0));
        return PostMessageW(hWnd, MessageNumber(args[2]), w, l) ? 0 : 1;
    }
    return Usage();
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return Usage();
    return Command(std::vector<std::wstring>(argv + 1, argv + argc));
}
