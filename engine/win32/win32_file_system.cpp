#include "engine/win32/win32_file_system.h"
#include <windows.h>

int CWin32FileSystem::ReadIniInt(const std::wstring& path, const wchar_t* section,
                                 const wchar_t* key, int defaultValue) {
    return static_cast<int>(GetPrivateProfileIntW(section, key, defaultValue, path.c_str()));
}
