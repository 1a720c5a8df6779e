#pragma once
#include "platform/system_info.h"

class CWin32SystemInfo : public ISystemInfo {
  public:
    bool QueryVersion(VersionRecord& record) override;
    bool IsAdminTokenMember() override;
    uint16_t UserDefaultLanguage() override;
    std::wstring CommandLine() override;
};
