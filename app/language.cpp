#include "app/language.h"
#include "engine/product_keys.h"
#include "platform/settings_store.h"
#include "platform/system_info.h"
#include "platform/text.h"

namespace {
struct SettingRow {
    const wchar_t* hex;
    const wchar_t* decimal;
    uint16_t language;
};

// The hexadecimal spellings mix primary and full language ids; only these exact texts count.
constexpr SettingRow SETTING_TABLE[] = {
    {L"0x0007", L"1031", 1031}, {L"0x0009", L"1033", 1033}, {L"0x000A", L"1034", 1034},
    {L"0x040C", L"1036", 1036}, {L"0x0010", L"1040", 1040}, {L"0x0013", L"1043", 1043},
    {L"0x0015", L"1045", 1045}, {L"0x0416", L"1046", 1046}, {L"0x0019", L"1049", 1049},
    {L"0x0804", L"2052", 2052}, {L"0x001D", L"1053", 1053}, {L"0x0404", L"1028", 1028},
    {L"0x001E", L"1054", 1054}, {L"0x001F", L"1055", 1055},
};

struct PrimaryRow {
    uint16_t primary;
    uint16_t language;
};

constexpr PrimaryRow PRIMARY_TABLE[] = {
    {0x01, 1025}, {0x07, 1031}, {0x0A, 1034}, {0x0C, 1036}, {0x10, 1040}, {0x13, 1043},
    {0x15, 1045}, {0x16, 1046}, {0x19, 1049}, {0x1D, 1053}, {0x1E, 1054}, {0x1F, 1055},
};

constexpr uint16_t PRIMARY_CHINESE = 0x04;
constexpr uint16_t SUBLANG_CHINESE_SIMPLIFIED = 2;
} // namespace

uint16_t LanguageFromSetting(const std::wstring& setting) {
    for (const SettingRow& row : SETTING_TABLE) {
        if (EqualsNoCase(setting, row.hex) || EqualsNoCase(setting, row.decimal))
            return row.language;
    }
    return LANGUAGE_ENGLISH;
}

uint16_t LanguageFromUserDefault(uint16_t userLanguage) {
    const uint16_t primary = userLanguage & 0x3FF;
    if (primary == PRIMARY_CHINESE)
        return (userLanguage >> 10) == SUBLANG_CHINESE_SIMPLIFIED ? 2052 : 1028;
    for (const PrimaryRow& row : PRIMARY_TABLE) {
        if (row.primary == primary)
            return row.language;
    }
    return LANGUAGE_ENGLISH;
}

uint16_t ChooseLanguage(ISettingsStore& settings, ISystemInfo& system) {
    std::wstring setting;
    if (settings.ReadString(PULO5_KEY, VALUE_LANGUAGE, setting) ||
        settings.ReadString(PULO4_KEY, VALUE_LANGUAGE, setting))
        return LanguageFromSetting(setting);
    return LanguageFromUserDefault(system.UserDefaultLanguage());
}
