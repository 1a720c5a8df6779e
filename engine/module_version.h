#pragma once
#include <cstdint>
#include <string>
#include <vector>

class IVersionResource;

// The fixed part of a version resource, field for field as the system stores it.
struct FixedFileInfo {
    uint32_t signature = 0;
    uint32_t structVersion = 0;
    uint32_t fileVersionMS = 0;
    uint32_t fileVersionLS = 0;
    uint32_t productVersionMS = 0;
    uint32_t productVersionLS = 0;
    uint32_t fileFlagsMask = 0;
    uint32_t fileFlags = 0;
    uint32_t fileOS = 0;
    uint32_t fileType = 0;
    uint32_t fileSubtype = 0;
    uint32_t fileDateMS = 0;
    uint32_t fileDateLS = 0;
};

// Reader of a module's version resource (the program's own when no module name is given).
class CModuleVersion {
  public:
    explicit CModuleVersion(IVersionResource& platform) : m_platform(platform) {}
    virtual ~CModuleVersion() = default;

    bool Load(const wchar_t* moduleName);
    std::wstring GetValue(const wchar_t* name);
    std::wstring CompanyName() { return GetValue(L"CompanyName"); }
    std::wstring ProductName() { return GetValue(L"ProductName"); }
    std::wstring LegalCopyright() { return GetValue(L"LegalCopyright"); }
    // "Version " and the product version cut to its first number and two more characters.
    std::wstring ProductVersion();

    const FixedFileInfo& Fixed() const { return m_fixed; }

  private:
    IVersionResource& m_platform;
    FixedFileInfo m_fixed;
    // No language can be read from some resources; 0 is then used in the string queries.
    uint16_t m_wLanguage = 0;
    uint16_t m_wCodePage = 1252;
    std::vector<uint8_t> m_resource;
};

// The display form of a product version value: "1, 05, 0, 12" gives "1.05".
std::wstring ShortProductVersion(const std::wstring& value);
