#include "engine/win32/win32_file_system.h"
#include <windows.h>
#include <shlobj.h>

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

bool CWin32FileSystem::FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CWin32FileSystem::RemoveFile(const std::wstring& path) {
    return DeleteFileW(path.c_str()) != FALSE;
}

bool CWin32FileSystem::RemoveFolder(const std::wstring& path) {
    return RemoveDirectoryW(path.c_str()) != FALSE;
}

bool CWin32FileSystem::MakeFolder(const std::wstring& path) {
    return CreateDirectoryW(path.c_str(), nullptr) != FALSE;
}

bool CWin32FileSystem::CopyFileTo(const std::wstring& source, const std::wstring& target) {
    return CopyFileW(source.c_str(), target.c_str(), FALSE) != FALSE;
}

bool CWin32FileSystem::ListFolder(const std::wstring& pattern, std::vector<FolderEntry>& entries) {
    WIN32_FIND_DATAW found;
    HANDLE hFind = FindFirstFileW(pattern.c_str(), &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return false;
    entries.clear();
    do {
        entries.push_back({found.cFileName,
                           (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                           (found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0});
    } while (FindNextFileW(hFind, &found));
    FindClose(hFind);
    return true;
}

bool CWin32FileSystem::AppDataFolder(std::wstring& path) {
    wchar_t folder[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK)
        return false;
    path = folder;
    return true;
}

bool CWin32FileSystem::ReadFileBytes(const std::wstring& path, std::string& bytes) {
    HANDLE hFile = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(hFile, &size) && size.QuadPart < 0x7FFFFFFF;
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() ||
             (ReadFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
              read == bytes.size());
    }
    CloseHandle(hFile);
    return ok;
}
