#pragma once
#include <string>

// The part of an address after its last slash (all of it when there is none), unchanged.
std::wstring FileNameOfAddress(const std::wstring& address);
// A plain file name that stays inside the folder it is joined to: no separators, drive or
// stream colons, wildcards, quotes, control characters or "..", no trailing dot or blank, and
// no reserved device name.
bool IsSafeFileName(const std::wstring& name);
// An http or https address that cannot add arguments to a command line: no blanks, quotes or
// control characters.
bool IsSafeWebAddress(const std::wstring& address);
