#pragma once
#include "platform/file_system.h"

class CWin32FileSystem : public IFileSystem {
  public:
    int ReadIniInt(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                   int defaultValue) override;
    bool GetCurrentFolder(std::wstring& folder) override;
    bool SetCurrentFolder(const std::wstring& folder) override;
};
