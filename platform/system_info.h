#pragma once
#include <cstdint>
#include <string>

struct VersionRecord {
    uint32_t platformId = 0; // 1 = Windows 9x, 2 = NT
    uint32_t major = 0;
    uint32_t minor = 0;
};

class ISystemInfo {
  public:
    virtual ~ISystemInfo() = default;
    virtual bool QueryVersion(VersionRecord& record) = 0;
    // Membership of the caller's effective token in the built-in Administrators group.
    virtual bool IsAdminTokenMember() = 0;
    virtual uint16_t UserDefaultLanguage() = 0;
    // The process's command line, the program's path first, as the system started it.
    virtual std::wstring CommandLine() = 0;
};
