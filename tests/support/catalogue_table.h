#pragma once
#include <cstddef>
#include <cstdint>

inline constexpr size_t MESSAGE_COUNT = 114;

// The catalogue's texts straight from res/lang, indexed by message id - 101; null where a
// language has no text.
struct CatalogueTexts {
    uint16_t language;
    const char16_t* const* texts;
};

extern const CatalogueTexts CATALOGUE_TEXTS[];
extern const size_t CATALOGUE_LANGUAGE_COUNT;
