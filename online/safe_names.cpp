#include "online/safe_names.h"
#include "platform/text.h"
#include <cwctype>
#include <string_view>

std::wstring FileNameOfAddress(const std::wstring& address) {
    const size_t slash = address.rfind(L'/');
    return slash == std::wstring::npos ? address : address.substr(slash + 1);
}

static bool IsControl(wchar_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

static bool IsReservedDeviceName(std::wstring base) {
    while (!base.empty() && base.back() == L' ')
        base.pop_back();
    static const wchar_t* const RESERVED[] = {L"CON",    L"PRN",     L"AUX",   L"NUL",
                                              L"CONIN$", L"CONOUT$", L"CLOCK$"};
    for (const wchar_t* reserved : RESERVED) {
        if (EqualsNoCase(base, reserved))
            return true;
    }
    // The system also reserves COM and LPT with the superscript digits one to three.
    const wchar_t last = base.size() == 4 ? base[3] : L'\0';
    if (!((last >= L'0' && last <= L'9') || last == 0xB9 || last == 0xB2 || last == 0xB3))
        return false;
    const std::wstring stem = base.substr(0, 3);
    return EqualsNoCase(stem, L"COM") || EqualsNoCase(stem, L"LPT");
}

bool IsSafeFileName(const std::wstring& name) {
    if (name.empty() || name.size() > 255 || name.find(L"..") != std::wstring::npos)
        return false;
    if (name.back() == L'.' || name.back() == L' ')
        return false;
    for (const wchar_t c : name) {
        if (IsControl(c) || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos)
            return false;
    }
    return !IsReservedDeviceName(name.substr(0, name.find(L'.')));
}

bool IsSafeDownloadName(const std::wstring& name) {
    const std::wstring_view EXTENSION = L".exe";
    if (name.size() <= EXTENSION.size() ||
        !EqualsNoCase(name.substr(name.size() - EXTENSION.size()), std::wstring(EXTENSION)))
        return false;
    // A short set: no blank, no "~" of a short-name alias, nothing a shell or parser reads.
    for (const wchar_t c : name) {
        const bool letter = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
        if (!letter && !(c >= L'0' && c <= L'9') && c != L'.' && c != L'_' && c != L'-')
            return false;
    }
    return IsSafeFileName(name) && name[0] != L'.';
}

bool FitsDownloadPath(const std::wstring& folder, const std::wstring& name) {
    const size_t MAX_PATH_CHARACTERS = 260; // with the terminating zero
    return folder.size() + 1 + name.size() + std::wstring_view(PART_SUFFIX).size() <
           MAX_PATH_CHARACTERS;
}

bool IsSafeWebAddress(const std::wstring& address) {
    size_t scheme = 0;
    if (address.size() > 7 && EqualsNoCase(address.substr(0, 7), L"http://"))
        scheme = 7;
    else if (address.size() > 8 && EqualsNoCase(address.substr(0, 8), L"https://"))
        scheme = 8;
    if (scheme == 0 || address[scheme] == L'/')
        return false;
    for (const wchar_t c : address) {
        if (IsControl(c) || std::iswspace(static_cast<wint_t>(c)) || c == L'"' || c == 0xA0)
            return false;
    }
    return true;
}
