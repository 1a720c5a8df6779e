#pragma once
#include "ui/message_ids.h"
#include <cstdint>
#include <initializer_list>
#include <string>

class IMessageSource;

inline constexpr uint16_t MSG_FIRST = 101;
inline constexpr uint16_t MSG_LAST = 214;
// Language id 0 asks for the platform's default language, which is English here.
inline constexpr uint16_t LANGUAGE_DEFAULT = 0;
inline constexpr const wchar_t* MODEL_NAME = L"Tembly ZQ4MKT";

// The 15 languages of the catalogue, in language-id order.
inline constexpr uint16_t CATALOGUE_LANGUAGES[] = {1025, 1028, 1031, 1033, 1034, 1036, 1040, 1043,
                                                   1045, 1046, 1049, 1053, 1054, 1055, 2052};

// Lookup of numbered texts by (language, id), exactly in that language.
class CMessageCatalogue {
  public:
    explicit CMessageCatalogue(IMessageSource& source) : m_source(source) {}
    // Replaces `text` and returns true when the message has a text; leaves it unchanged
    // otherwise.
    bool Load(std::wstring& text, uint16_t language, uint16_t id) const;
    bool Load(std::wstring& text, uint16_t id) const { return Load(text, LANGUAGE_DEFAULT, id); }
    // The title of every dialog: message 102 with the model name filled in.
    std::wstring Title(uint16_t language) const;

  private:
    IMessageSource& m_source;
};

// Finds entry `index` (0..15) of a string-table block; false when the walk leaves the block or
// the entry is empty.
bool FindBlockEntry(const char16_t* units, size_t count, unsigned index, const char16_t*& text,
                    size_t& length);

// Fills the "%s" of `format` with `fills` in order; a "%s" without a fill becomes empty.
std::wstring FormatText(const std::wstring& format, std::initializer_list<std::wstring> fills);
