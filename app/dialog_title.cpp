#include "app/dialog_title.h"

namespace {
// Units of the fixed header before the menu field.
constexpr size_t STANDARD_HEADER_UNITS = 9;
constexpr size_t EXTENDED_HEADER_UNITS = 13;
constexpr uint16_t ORDINAL_MARK = 0xFFFF;

// Reads 16-bit units without ever passing the end of the template.
class CUnitReader {
  public:
    CUnitReader(const uint8_t* bytes, size_t size) : m_pBytes(bytes), m_nCount(size / 2) {}

    bool Read(uint16_t& unit) {
        if (m_nPos >= m_nCount)
            return false;
        unit = Unit(m_nPos++);
        return true;
    }
    bool Skip(size_t units) {
        if (units > m_nCount - m_nPos)
            return false;
        m_nPos += units;
        return true;
    }
    // A zero-terminated text; false when the template ends first.
    bool ReadText(std::wstring* text) {
        for (uint16_t unit = 0; Read(unit);) {
            if (unit == 0)
                return true;
            if (text)
                text->push_back(static_cast<wchar_t>(unit));
        }
        return false;
    }
    // A menu or class field: 0, or 0xFFFF and an ordinal, or a text.
    bool SkipNameOrOrdinal() {
        uint16_t first = 0;
        if (!Read(first))
            return false;
        if (first == 0)
            return true;
        if (first == ORDINAL_MARK)
            return Skip(1);
        return ReadText(nullptr);
    }
    uint16_t Peek(size_t index) const { return index < m_nCount ? Unit(index) : 0; }

  private:
    uint16_t Unit(size_t index) const {
        return static_cast<uint16_t>(m_pBytes[2 * index] | m_pBytes[2 * index + 1] << 8);
    }

    const uint8_t* m_pBytes;
    size_t m_nCount;
    size_t m_nPos = 0;
};
} // namespace

std::wstring DialogTemplateTitle(const uint8_t* bytes, size_t size) {
    if (!bytes)
        return {};
    CUnitReader reader(bytes, size);
    // An extended template starts with version 1 and the signature 0xFFFF.
    const bool extended = reader.Peek(0) == 1 && reader.Peek(1) == ORDINAL_MARK;
    std::wstring title;
    if (!reader.Skip(extended ? EXTENDED_HEADER_UNITS : STANDARD_HEADER_UNITS) ||
        !reader.SkipNameOrOrdinal() || !reader.SkipNameOrOrdinal() || !reader.ReadText(&title))
        return {};
    return title;
}
