#pragma once
#include "platform/file_system.h"
#include <windows.h>

// The whole content of an open file, read from its start.
bool ReadWholeFile(HANDLE hFile, std::string& bytes);

class CWin32FileSystem : public IFileSystem {
  public:
    int ReadIniInt(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                   int defaultValue) override;
    bool GetCurrentFolder(std::wstring& folder) override;
    bool SetCurrentFolder(const std::wstring& folder) override;
    bool FileExists(const std::wstring& path) override;
    bool RemoveFile(const std::wstring& path) override;
    bool RemoveFolder(const std::wstring& path) override;
    bool MakeFolder(const std::wstring& path) override;
    bool CopyFileTo(const std::wstring& source, const std::wstring& target) override;
    bool ListFolder(const std::wstring& pattern, std::vector<FolderEntry>& entries) override;
    bool MakePrivateFolder(const std::wstring& path) override;
    bool MoveTo(const std::wstring& source, const std::wstring& target) override;
    bool ReadFileBytes(const std::wstring& path, std::string& bytes) override;
    bool WriteFileBytes(const std::wstring& path, const std::string& bytes) override;
};
