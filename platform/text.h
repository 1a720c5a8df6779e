#pragma once
#include <cstddef>
#include <string>

// Appends UTF-16 code units to a wide string, whatever the width of wchar_t on this platform.
void AppendUtf16(std::wstring& text, const char16_t* units, size_t count);
// Case-insensitive comparison for the ASCII letters that settings and addresses use.
bool EqualsNoCase(const std::wstring& a, const std::wstring& b);
