#include "platform/upgrade_library.h"

// The code pages for which the system accepts no conversion flag but 0 (and, for UTF-8 and
// GB 18030, WC_ERR_INVALID_CHARS): asking them for exact conversion makes every call fail.
// They have no look-alikes to avoid; converting back still catches what they cannot hold.
static bool TakesConversionFlags(uint32_t codePage) {
    return !(codePage == 42 || (codePage >= 50220 && codePage <= 50229) || codePage == 54936 ||
             (codePage >= 57002 && codePage <= 57011) || codePage == 65000 || codePage == 65001);
}

bool ToExactAnsi(IUpgradeLibrary& library, const std::wstring& text, std::string& ansi) {
    ansi.clear();
    if (text.empty())
        return true;
    std::string encoded;
    std::wstring decoded;
    if (!library.EncodeAnsi(text, TakesConversionFlags(library.AnsiCodePage()), encoded) ||
        !library.DecodeAnsi(encoded, decoded) || decoded != text)
        return false;
    ansi = std::move(encoded);
    return true;
}
