#include "app/system_check.h"
#include "platform/system_info.h"

static constexpr uint32_t PLATFORM_WIN9X = 1;
static constexpr uint32_t PLATFORM_NT = 2;

static int32_t Win9xCode(uint32_t major, uint32_t minor) {
    if (major != 4)
        return SYSTEM_UNKNOWN;
    switch (minor) {
    case 0:
        return SYSTEM_WIN95;
    case 10:
        return SYSTEM_WIN98;
    case 90:
        return SYSTEM_WINME;
    default:
        return SYSTEM_UNKNOWN;
    }
}

static int32_t NtCode(uint32_t major, uint32_t minor) {
    if (major <= 4)
        return SYSTEM_NT4;
    if (major == 5) {
        static constexpr int32_t codes[] = {SYSTEM_WIN2000, SYSTEM_XP, SYSTEM_SERVER2003};
        return minor < 3 ? codes[minor] : SYSTEM_UNKNOWN;
    }
    if (major == 6) {
        static constexpr int32_t codes[] = {SYSTEM_VISTA, SYSTEM_WIN7, SYSTEM_WIN8};
        return minor < 3 ? codes[minor] : SYSTEM_UNKNOWN;
    }
    return SYSTEM_UNKNOWN;
}

int32_t SystemCodeFromVersion(const VersionRecord& record) {
    switch (record.platformId) {
    case PLATFORM_WIN9X:
        return Win9xCode(record.major, record.minor);
    case PLATFORM_NT:
        return NtCode(record.major, record.minor);
    default:
        return SYSTEM_UNKNOWN;
    }
}

int32_t GetSystemCode(ISystemInfo& system) {
    VersionRecord record;
    return system.QueryVersion(record) ? SystemCodeFromVersion(record) : SYSTEM_UNKNOWN;
}

int IsUserAdmin(ISystemInfo& system) {
    return system.IsAdminTokenMember() ? 1 : 0;
}

uint16_t SystemGateMessage(int32_t systemCode, ISystemInfo& system) {
    if (systemCode < SYSTEM_WIN2000)
        return MSG_UNSUPPORTED_WINDOWS;
    if (systemCode <= SYSTEM_WIN7 && !IsUserAdmin(system))
        return MSG_NEEDS_ADMINISTRATOR;
    return 0;
}
