#include "online/descriptor.h"
#include "platform/text.h"
#include "platform/upgrade_library.h"
#include <cwctype>

namespace {
constexpr size_t NONE = std::wstring::npos;

// Cuts a value that starts at `start`: up to the next line feed, else up to and including the
// first `ending` (".exe" or ".htm"); trailing white space removed. False when neither follows.
bool CutValue(const std::wstring& text, const std::wstring& lowered, size_t start,
              const wchar_t* ending, std::wstring& value) {
    size_t end = lowered.find(L'\n', start);
    if (end == NONE) {
        end = lowered.find(ending, start);
        if (end == NONE)
            return false;
        end += 4;
    }
    value = text.substr(start, end - start);
    while (!value.empty() && std::iswspace(static_cast<wint_t>(value.back())))
        value.pop_back();
    return true;
}
} // namespace

DescriptorContent ParseDescriptor(const std::string& bytes, DescriptorKind kind,
                                  IUpgradeLibrary& codePage) {
    DescriptorContent content;
    std::wstring text;
    if (!codePage.DecodeAnsi(bytes.substr(0, bytes.find('\0')), text))
        return content;
    std::wstring lowered = text;
    for (wchar_t& c : lowered) {
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    if (lowered.find(L"error:") != NONE)
        return content;

    const size_t v = lowered.find(L"version=");
    const size_t u = lowered.find(L"url=");
    const size_t i = lowered.find(L"info=");
    if (v == NONE || u == NONE)
        return content;
    size_t s = lowered.find(L'=', v) + 1;
    if (s < lowered.size() && lowered[s] == L'v')
        ++s;
    const size_t d = lowered.find(L'.', s);
    if (d == NONE)
        return content;
    if (kind == DescriptorKind::TOOL && !(u > s && u - s > 4))
        return content;
    content.major = DecimalValue(text.substr(s, d - s));
    content.minor = DecimalValue(text.substr(d + 1, 2));
    // "url=" with nothing after it names no package: nothing to offer.
    content.result =
        CutValue(text, lowered, lowered.find(L'=', u) + 1, L".exe", content.packageUrl) &&
        !content.packageUrl.empty();
    if (i != NONE && i > 0)
        CutValue(text, lowered, lowered.find(L'=', i) + 1, L".htm", content.infoUrl);
    return content;
}
