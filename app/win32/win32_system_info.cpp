#include "app/win32/win32_system_info.h"
#include <windows.h>

bool CWin32SystemInfo::QueryVersion(VersionRecord& record) {
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
#ifdef _MSC_VER
#pragma warning(suppress : 4996) // the deprecated query is the one whose answer we classify
#endif
    if (!GetVersionExW(&info))
        return false;
    record.platformId = info.dwPlatformId;
    record.major = info.dwMajorVersion;
    record.minor = info.dwMinorVersion;
    return true;
}

bool CWin32SystemInfo::IsAdminTokenMember() {
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                  DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators))
        return false;
    BOOL member = FALSE;
    if (!CheckTokenMembership(nullptr, administrators, &member))
        member = FALSE;
    FreeSid(administrators);
    return member != FALSE;
}

uint16_t CWin32SystemInfo::UserDefaultLanguage() {
    return GetUserDefaultLangID();
}

std::wstring CWin32SystemInfo::CommandLine() {
    return GetCommandLineW();
}
