#include "online/win32/win32_shell.h"
#include <windows.h>
#include <shellapi.h>
#include <vector>

int CWin32Shell::Open(const std::wstring& text, int showCommand) {
    const HINSTANCE hResult =
        ShellExecuteW(nullptr, L"open", text.c_str(), nullptr, nullptr, showCommand);
    return static_cast<int>(reinterpret_cast<INT_PTR>(hResult));
}

bool CWin32Shell::ExpandEnvironment(const std::wstring& text, std::wstring& expanded) {
    const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (needed == 0)
        return false;
    std::vector<wchar_t> buffer(needed);
    const DWORD written = ExpandEnvironmentStringsW(text.c_str(), buffer.data(), needed);
    if (written == 0 || written > needed)
        return false;
    expanded.assign(buffer.data());
    return true;
}
