#pragma once
#include <string>

// The part of an address after its last slash (all of it when there is none), unchanged.
std::wstring FileNameOfAddress(const std::wstring& address);
// A plain file name that stays inside the folder it is joined to: no separators, drive or
// stream colons, wildcards, quotes, control characters or "..", no trailing dot or blank, and
// no reserved device name.
bool IsSafeFileName(const std::wstring& name);
// The name of a downloaded program: letters, digits, ".", "_" and "-" only (so no blank and no
// "~" of a short-name alias), ending in ".exe" after a stem, and a safe file name as above.
bool IsSafeDownloadName(const std::wstring& name);
// What a transfer appends to the name until the file is complete and verified.
inline constexpr const wchar_t* PART_SUFFIX = L".part";
// What is appended to a downloaded package's path for the file that keeps its signature.
inline constexpr const wchar_t* SIGNATURE_SUFFIX = L".sig";
// Whether folder, backslash, name and the transfer's suffix fit within MAX_PATH.
bool FitsDownloadPath(const std::wstring& folder, const std::wstring& name);
// An http or https address that cannot add arguments to a command line: no blanks, quotes or
// control characters.
bool IsSafeWebAddress(const std::wstring& address);
