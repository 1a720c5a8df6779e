#include "engine/win32/win32_file_system.h"
#include "platform/win32/scoped_handles.h"
#include <sddl.h>

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
    if (DeleteFileW(path.c_str()))
        return true;
    // A copied read-only file keeps its attribute and would stay in a folder being removed.
    if (GetLastError() != ERROR_ACCESS_DENIED)
        return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY) ||
        !SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY))
        return false;
    return DeleteFileW(path.c_str()) != FALSE;
}

bool CWin32FileSystem::RemoveFolder(const std::wstring& path) {
    return RemoveDirectoryW(path.c_str()) != FALSE;
}

bool CWin32FileSystem::MakeFolder(const std::wstring& path) {
    return CreateDirectoryW(path.c_str(), nullptr) != FALSE;
}

// Administrators and the system: full control; users: read and run; nothing inherited from the
// parent, so a folder the program runs files from cannot be changed by an unelevated process.
bool CWin32FileSystem::MakePrivateFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
               !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    SECURITY_ATTRIBUTES security = {sizeof security, nullptr, FALSE};
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(
            L"D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)", SDDL_REVISION_1,
            &security.lpSecurityDescriptor, nullptr))
        return false;
    const bool made = CreateDirectoryW(path.c_str(), &security) != FALSE;
    LocalFree(security.lpSecurityDescriptor);
    return made;
}

bool CWin32FileSystem::MoveTo(const std::wstring& source, const std::wstring& target) {
    // Replacing is for files only; a folder is renamed onto a free name.
    const DWORD attributes = GetFileAttributesW(source.c_str());
    const DWORD replace =
        attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)
            ? MOVEFILE_REPLACE_EXISTING
            : 0;
    return MoveFileExW(source.c_str(), target.c_str(), replace | MOVEFILE_WRITE_THROUGH) != FALSE;
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
                           (found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0,
                           (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (FindNextFileW(hFind, &found));
    FindClose(hFind);
    return true;
}

bool ReadWholeFile(HANDLE hFile, std::string& bytes) {
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(hFile, &size) || size.QuadPart >= 0x7FFFFFFF ||
        static_cast<unsigned long long>(size.QuadPart) > bytes.max_size())
        return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    return bytes.empty() ||
           (ReadFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
            read == bytes.size());
}

bool CWin32FileSystem::ReadFileBytes(const std::wstring& path, std::string& bytes) {
    CScopedHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && ReadWholeFile(file.Get(), bytes);
}

bool CWin32FileSystem::WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    CScopedHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && bytes.size() <= MAXDWORD &&
           WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}
