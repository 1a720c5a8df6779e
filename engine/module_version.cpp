#include "engine/module_version.h"
#include "platform/version_resource.h"
#include <cstring>
#include <cwchar>

static constexpr uint32_t FIXED_FILE_INFO_SIGNATURE = 0xFEEF04BD;

bool CModuleVersion::Load(const wchar_t* moduleName) {
    m_wLanguage = 0;
    m_wCodePage = 1252;
    m_fixed = FixedFileInfo{};
    m_resource.clear();
    std::vector<uint8_t> resource;
    if (!m_platform.ReadModuleResource(moduleName, resource) || resource.empty())
        return false;
    std::vector<uint8_t> value;
    if (!m_platform.QueryBinary(resource, L"\\", value))
        return false;
    std::memcpy(&m_fixed, value.data(),
                value.size() < sizeof m_fixed ? value.size() : sizeof m_fixed);
    if (m_platform.QueryBinary(resource, L"\\VarFileInfo\\Translation", value) &&
        value.size() > 3) {
        m_wLanguage = static_cast<uint16_t>(value[0] | value[1] << 8);
        m_wCodePage = static_cast<uint16_t>(value[2] | value[3] << 8);
    }
    m_resource = std::move(resource);
    return m_fixed.signature == FIXED_FILE_INFO_SIGNATURE;
}

std::wstring CModuleVersion::GetValue(const wchar_t* name) {
    std::wstring value;
    if (m_resource.empty())
        return value;
    wchar_t prefix[40];
    std::swprintf(prefix, sizeof prefix / sizeof prefix[0], L"\\StringFileInfo\\%04x%04x\\",
                  m_wLanguage, m_wCodePage);
    if (!m_platform.QueryString(m_resource, prefix + std::wstring(name), value))
        value.clear();
    return value;
}

std::wstring CModuleVersion::ProductVersion() {
    return L"Version " + ShortProductVersion(GetValue(L"ProductVersion"));
}

std::wstring ShortProductVersion(const std::wstring& value) {
    std::wstring text;
    for (wchar_t c : value) {
        if (c != L' ')
            text.push_back(c == L',' ? L'.' : c);
    }
    const size_t point = text.find(L'.');
    const size_t keep = point == std::wstring::npos ? 2 : point + 3;
    return text.substr(0, keep);
}
