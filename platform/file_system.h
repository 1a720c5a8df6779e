#pragma once
#include <string>

class IFileSystem {
  public:
    virtual ~IFileSystem() = default;
    // An integer key of an initialisation file; `defaultValue` when the file, section or key
    // is missing.
    virtual int ReadIniInt(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                           int defaultValue) = 0;
};
