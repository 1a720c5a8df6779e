#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Access to a module's version resource, as the system's version API sees it.
class IVersionResource {
  public:
    virtual ~IVersionResource() = default;
    // The whole version resource of a loaded module (null name: the program itself).
    virtual bool ReadModuleResource(const wchar_t* moduleName, std::vector<uint8_t>& resource) = 0;
    virtual bool QueryBinary(const std::vector<uint8_t>& resource, const std::wstring& subBlock,
                             std::vector<uint8_t>& value) = 0;
    virtual bool QueryString(const std::vector<uint8_t>& resource, const std::wstring& subBlock,
                             std::wstring& value) = 0;
};
