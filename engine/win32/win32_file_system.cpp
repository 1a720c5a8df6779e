#include "engine/win32/win32_file_system.h"
#include <windows.h>

int CWin32FileSystem::ReadIniInt(const std::wstring& path, const wchar_t* section,
                                 const wchar_t* key, int defaultValue) {
    return static_cast<int>(GetPrivateProfileIntW(section, key, defaultValue, path.c_str()));
}

bool CWin32FileSystem::GetCurrentFolder(std::wstring& folder) {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0)
        return false;
    std::wstring text(size, L'\0');
    const DWORD length = GetCurrentDirectoryW(size, text.data());
    if (length == 0 || length >= size)
        return false;
    folder.assign(text, 0, length);
    return true;
}

bool CWin32FileSystem::SetCurrentFolder(const std::wstring& folder) {
    return SetCurrentDirectoryW(folder.c_str()) != 0;
}
