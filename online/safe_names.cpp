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
    if (base.size() != 4 || base[3] < L'0' || base[3] > L'9')
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
