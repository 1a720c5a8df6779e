#pragma once
#include <cstddef>
#include <cstdint>

// String-table blocks of the program's texts: 16 entries, each a count and that many UTF-16
// code units.
class IMessageSource {
  public:
    virtual ~IMessageSource() = default;
    // Only a block tagged with exactly `language` counts; there is no fallback.
    virtual bool FindBlock(uint16_t language, uint16_t block, const char16_t*& units,
                           size_t& count) = 0;
};
