#pragma once
#include "platform/message_source.h"
#include <windows.h>

// The string tables of a module's own resources.
class CResourceMessageSource : public IMessageSource {
  public:
    // How the languages of one resource are listed: the system's enumerator, or a stand-in with
    // its contract.
    using LanguageEnumerator = BOOL(WINAPI*)(HMODULE, LPCWSTR, LPCWSTR, ENUMRESLANGPROCW, LONG_PTR);

    explicit CResourceMessageSource(HMODULE hModule,
                                    LanguageEnumerator enumerate = EnumResourceLanguagesW)
        : m_hModule(hModule), m_pfnEnumerate(enumerate) {}
    bool FindBlock(uint16_t language, uint16_t block, const char16_t*& units,
                   size_t& count) override;

  private:
    bool HasExactLanguage(uint16_t block, uint16_t language) const;

    HMODULE m_hModule;
    LanguageEnumerator m_pfnEnumerate;
};
