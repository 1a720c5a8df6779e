#include "engine/win32/registry.h"
#include "engine/registry_value.h"
#include <vector>

bool CRegistry::ReadString(const wchar_t* subKey, const wchar_t* name, std::wstring& text) {
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(m_hRoot, subKey, 0, KEY_READ | m_view, &hKey) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD size = 0;
    std::vector<BYTE> data;
    LONG status = RegQueryValueExW(hKey, name, nullptr, &type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        data.resize(size);
        status = RegQueryValueExW(hKey, name, nullptr, &type, data.data(), &size);
    }
    RegCloseKey(hKey);
    return status == ERROR_SUCCESS &&
           RegistryValueToText(type, data.data(), size < data.size() ? size : data.size(), text);
}

bool CRegistry::WriteString(const wchar_t* subKey, const wchar_t* name, const std::wstring& text) {
    HKEY hKey = nullptr;
    if (RegCreateKeyExW(m_hRoot, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | m_view,
                        nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return false;
    const DWORD size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    const LONG status =
        RegSetValueExW(hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), size);
    RegCloseKey(hKey);
    return status == ERROR_SUCCESS;
}
