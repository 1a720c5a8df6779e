#pragma once
#include <cstdint>
#include <string>

class ISettingsStore;
class ISystemInfo;

inline constexpr uint16_t LANGUAGE_ARABIC = 1025;
inline constexpr uint16_t LANGUAGE_ENGLISH = 1033;

// The installer's language setting; every text outside the table gives English.
uint16_t LanguageFromSetting(const std::wstring& setting);
uint16_t LanguageFromUserDefault(uint16_t userLanguage);
// The setting of the Pulo5 key, else of the Pulo4 key, else the user's default language.
uint16_t ChooseLanguage(ISettingsStore& settings, ISystemInfo& system);
inline int IsRightToLeft(uint16_t language) {
    return language == LANGUAGE_ARABIC ? 1 : 0;
}
