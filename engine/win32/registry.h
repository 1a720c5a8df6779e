#pragma once
#include "platform/settings_store.h"
#include <windows.h>

// The installer is a 32-bit program, so the product keys live in the 32-bit view of
// HKEY_LOCAL_MACHINE, which is what a 32-bit process sees by default. A 64-bit build asks for
// that view, so that both builds read what the installer wrote. (Only the 32-bit build runs on
// Windows 2000, which knows no view flags.)
#ifdef _WIN64
inline constexpr REGSAM MACHINE_REGISTRY_VIEW = KEY_WOW64_32KEY;
#else
inline constexpr REGSAM MACHINE_REGISTRY_VIEW = 0;
#endif

// String values under a predefined registry root (the tool uses HKEY_LOCAL_MACHINE), in the
// registry view `view` (0 = the process's own).
class CRegistry : public ISettingsStore {
  public:
    explicit CRegistry(HKEY hRoot, REGSAM view = 0) : m_hRoot(hRoot), m_view(view) {}

    bool ReadString(const wchar_t* subKey, const wchar_t* name, std::wstring& text) override;
    bool WriteString(const wchar_t* subKey, const wchar_t* name, const std::wstring& text) override;

  private:
    HKEY m_hRoot;
    REGSAM m_view;
};
