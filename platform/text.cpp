#include "platform/text.h"

void AppendUtf16(std::wstring& text, const char16_t* units, size_t count) {
    if constexpr (sizeof(wchar_t) == 2) {
        text.append(reinterpret_cast<const wchar_t*>(units), count);
    } else {
        for (size_t i = 0; i < count; ++i) {
            char32_t c = units[i];
            const bool high = c >= 0xD800 && c <= 0xDBFF;
            if (high && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
                ++i;
            }
            text.push_back(static_cast<wchar_t>(c));
        }
    }
}

static wchar_t LowerAscii(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool EqualsNoCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

int32_t DecimalValue(const std::wstring& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || (text[i] >= L'\t' && text[i] <= L'\r')))
        ++i;
    const bool negative = i < text.size() && text[i] == L'-';
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+'))
        ++i;
    int64_t value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > INT32_MAX)
            return negative ? INT32_MIN : INT32_MAX;
    }
    return static_cast<int32_t>(negative ? -value : value);
}

bool EndsInBackslash(const std::wstring& path) {
    return !path.empty() && path.back() == L'\\';
}

std::wstring WithoutLeadingBackslash(std::wstring path) {
    if (!path.empty() && path.front() == L'\\')
        path.erase(0, 1);
    return path;
}

std::wstring WithoutTrailingBackslash(std::wstring path) {
    if (EndsInBackslash(path))
        path.pop_back();
    return path;
}

static bool IsDriveRoot(const std::wstring& path, size_t at) {
    if (path.size() < at + 3)
        return false;
    const wchar_t drive = static_cast<wchar_t>(path[at] | 0x20);
    return drive >= L'a' && drive <= L'z' && path[at + 1] == L':' &&
           (path[at + 2] == L'\\' || path[at + 2] == L'/');
}

bool IsLocalAbsolutePath(const std::wstring& path) {
    if (path.compare(0, 4, L"\\\\?\\") == 0)
        return IsDriveRoot(path, 4);
    return IsDriveRoot(path, 0);
}
