#pragma once
#include <string>

class IFileSystem {
  public:
    virtual ~IFileSystem() = default;
    // An integer key of an initialisation file; `defaultValue` when the file, section or key
    // is missing.
    virtual int ReadIniInt(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                           int defaultValue) = 0;
    // The process's current folder, shared by all its threads.
    virtual bool GetCurrentFolder(std::wstring& folder) = 0;
    virtual bool SetCurrentFolder(const std::wstring& folder) = 0;
};
