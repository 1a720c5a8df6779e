#pragma once
#include "ui/message_ids.h"
#include <cstdint>

class ISystemInfo;
struct VersionRecord;

enum SystemCode : int32_t {
    SYSTEM_UNKNOWN = 0,
    SYSTEM_WIN95 = 1,
    SYSTEM_WIN98 = 2,
    SYSTEM_WINME = 3,
    SYSTEM_NT4 = 4,
    SYSTEM_WIN2000 = 5,
    SYSTEM_XP = 6,
    SYSTEM_SERVER2003 = 7,
    SYSTEM_VISTA = 8,
    SYSTEM_WIN7 = 10,
    SYSTEM_WIN8 = 11,
};

int32_t SystemCodeFromVersion(const VersionRecord& record);
// 0 when the version cannot be queried.
int32_t GetSystemCode(ISystemInfo& system);
int IsUserAdmin(ISystemInfo& system);

// Whether the program may run here: 0, or the message that refuses it. Systems below Windows
// 2000 are refused; Windows 2000 to 7 need an administrator; Windows 8 is let through as it is.
uint16_t SystemGateMessage(int32_t systemCode, ISystemInfo& system);
