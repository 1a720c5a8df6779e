#pragma once
#include <string>

// String values under keys of one registry root; every setting of the tool is a string.
class ISettingsStore {
  public:
    virtual ~ISettingsStore() = default;
    // True when the value exists and is text; `text` is left unchanged otherwise.
    virtual bool ReadString(const wchar_t* subKey, const wchar_t* name, std::wstring& text) = 0;
    // Creates the sub-key when missing.
    virtual bool WriteString(const wchar_t* subKey, const wchar_t* name,
                             const std::wstring& text) = 0;
};
