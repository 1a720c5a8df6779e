#include "ui/win32/resource_message_source.h"

namespace {
struct LanguageSearch {
    WORD wanted;
    bool found;
};
} // namespace

static BOOL CALLBACK MatchLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
    auto* search = reinterpret_cast<LanguageSearch*>(param);
    if (language != search->wanted)
        return TRUE;
    search->found = true;
    return FALSE; // found: stop the enumeration
}

// The system's resource search falls back to related languages; the catalogue must not. The
// match is reported through the search record, not through the enumerator's result: an
// enumeration stopped by its callback fails, and from Windows Vista on it sets the last error
// to ERROR_RESOURCE_ENUM_USER_STOP.
bool CResourceMessageSource::HasExactLanguage(uint16_t block, uint16_t language) const {
    LanguageSearch search{language, false};
    m_pfnEnumerate(m_hModule, RT_STRING, MAKEINTRESOURCEW(block), MatchLanguage,
                   reinterpret_cast<LONG_PTR>(&search));
    return search.found;
}

bool CResourceMessageSource::FindBlock(uint16_t language, uint16_t block, const char16_t*& units,
                                       size_t& count) {
    if (!HasExactLanguage(block, language))
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
