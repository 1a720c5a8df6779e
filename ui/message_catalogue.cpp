#include "ui/message_catalogue.h"
#include "platform/message_source.h"
#include "platform/text.h"

static constexpr uint16_t LANGUAGE_ENGLISH_US = 1033;

bool FindBlockEntry(const char16_t* units, size_t count, unsigned index, const char16_t*& text,
                    size_t& length) {
    size_t at = 0;
    for (unsigned entry = 0; entry < index; ++entry) {
        if (at >= count)
            return false;
        at += 1 + static_cast<size_t>(units[at]);
    }
    if (at >= count || units[at] == 0 || units[at] > count - at - 1)
        return false;
    text = units + at + 1;
    length = units[at];
    return true;
}

bool CMessageCatalogue::Load(std::wstring& text, uint16_t language, uint16_t id) const {
    if (language == LANGUAGE_DEFAULT)
        language = LANGUAGE_ENGLISH_US;
    const char16_t* units = nullptr;
    size_t count = 0;
    const char16_t* entry = nullptr;
    size_t length = 0;
    if (!m_source.FindBlock(language, static_cast<uint16_t>(id / 16 + 1), units, count) ||
        !FindBlockEntry(units, count, id % 16, entry, length))
        return false;
    text.clear();
    AppendUtf16(text, entry, length);
    return true;
}

std::wstring CMessageCatalogue::Title(uint16_t language) const {
    std::wstring format;
    Load(format, language, MSG_TITLE);
    return FormatText(format, {MODEL_NAME});
}

std::wstring FormatText(const std::wstring& format, std::initializer_list<std::wstring> fills) {
    std::wstring text;
    auto fill = fills.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == L'%' && i + 1 < format.size() && format[i + 1] == L's') {
            if (fill != fills.end())
                text += *fill++;
            ++i;
        } else {
            text.push_back(format[i]);
        }
    }
    return text;
}
