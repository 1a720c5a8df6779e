#pragma once
#include "platform/settings_store.h"
#include <windows.h>

// String values under a predefined registry root (the tool uses HKEY_LOCAL_MACHINE).
class CRegistry : public ISettingsStore {
  public:
    explicit CRegistry(HKEY hRoot) : m_hRoot(hRoot) {}

    bool ReadString(const wchar_t* subKey, const wchar_t* name, std::wstring& text) override;
    bool WriteString(const wchar_t* subKey, const wchar_t* name, const std::wstring& text) override;

  private:
    HKEY m_hRoot;
};
