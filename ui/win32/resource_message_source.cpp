#include "ui/win32/resource_message_source.h"

static BOOL CALLBACK MatchLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR wanted) {
    if (language != static_cast<WORD>(wanted))
        return TRUE;
    SetLastError(ERROR_SUCCESS);
    return FALSE; // found: stop the enumeration
}

// The system's resource search falls back to related languages; the catalogue must not.
static bool HasExactLanguage(HMODULE hModule, uint16_t block, uint16_t language) {
    SetLastError(ERROR_SUCCESS);
    const BOOL finished = EnumResourceLanguagesW(hModule, RT_STRING, MAKEINTRESOURCEW(block),
                                                 MatchLanguage, language);
    return !finished && GetLastError() == ERROR_SUCCESS;
}

bool CResourceMessageSource::FindBlock(uint16_t language, uint16_t block, const char16_t*& units,
                                       size_t& count) {
    if (!HasExactLanguage(m_hModule, block, language))
        return false;
    HRSRC hInfo = FindResourceExW(m_hModule, RT_STRING, MAKEINTRESOURCEW(block), language);
    HGLOBAL hData = hInfo ? LoadResource(m_hModule, hInfo) : nullptr;
    const void* data = hData ? LockResource(hData) : nullptr;
    if (!data)
        return false;
    units = static_cast<const char16_t*>(data);
    count = SizeofResource(m_hModule, hInfo) / sizeof(char16_t);
    return true;
}
