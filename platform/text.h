#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Appends UTF-16 code units to a wide string, whatever the width of wchar_t on this platform.
void AppendUtf16(std::wstring& text, const char16_t* units, size_t count);
// Case-insensitive comparison for the ASCII letters that settings and addresses use.
bool EqualsNoCase(const std::wstring& a, const std::wstring& b);
// A decimal number as the C runtime reads one: leading blanks, one sign, digits up to the first
// other character; 0 without digits. Values beyond 32 bits are held at the nearest limit.
int32_t DecimalValue(const std::wstring& text);

// Folder and file names as the settings hold them: at most one backslash is dropped at a time.
bool EndsInBackslash(const std::wstring& path);
std::wstring WithoutLeadingBackslash(std::wstring path);
std::wstring WithoutTrailingBackslash(std::wstring path);
// A full path on a drive of this machine: "X:\..." (or its "\\?\X:\..." long form). Not a
// relative path, a drive-relative one ("X:name", "\name"), a network path ("\\server\share",
// "\\?\UNC\...") or a device path ("\\.\..."), whose contents someone else chooses.
bool IsLocalAbsolutePath(const std::wstring& path);
