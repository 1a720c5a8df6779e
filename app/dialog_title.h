#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The title of a dialog template of `size` bytes (standard or extended layout, 16-bit units,
// little-endian). Empty when the template has no title or ends before its title does.
std::wstring DialogTemplateTitle(const uint8_t* bytes, size_t size);
