#pragma once
#include "platform/version_resource.h"

class CWin32VersionResource : public IVersionResource {
  public:
    bool ReadModuleResource(const wchar_t* moduleName, std::vector<uint8_t>& resource) override;
    bool QueryBinary(const std::vector<uint8_t>& resource, const std::wstring& subBlock,
                     std::vector<uint8_t>& value) override;
    bool QueryString(const std::vector<uint8_t>& resource, const std::wstring& subBlock,
                     std::wstring& value) override;
};
