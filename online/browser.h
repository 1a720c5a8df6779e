#pragma once
#include <cstddef>
#include <string>

struct Platform;

// Room for a browser command line with its address, terminating zero included.
inline constexpr size_t BROWSER_COMMAND_CHARS = 520;

// Whether the browser's command may come only from machine-wide keys: true while the program
// runs with an administrator token, since an unelevated process of the same user can write
// the user's hive and the per-user classes that the classes root merges in, and choose what
// the elevated program starts.
bool UsesMachineBrowserOnly(Platform& platform);
// An address the program hands to a browser: a plain http or https address (no blanks, quotes
// or control characters) of ASCII characters only, which a command line keeps as one argument.
bool IsHandOffAddress(const std::wstring& address);
// The browser's command, a blank and the address; false when the line would not fit in
// BROWSER_COMMAND_CHARS.
bool JoinBrowserCommand(const std::wstring& command, const std::wstring& address,
                        std::wstring& line);

// The default web browser's open command, environment references expanded; empty when none is
// registered. The current user's choice comes before the machine's, unless only machine-wide
// keys count.
std::wstring GetDefaultBrowserCommand(Platform& platform);
// The ".htm" class's open command, cut before its first "%1" placeholder (a quoted one first),
// from the machine's classes when only machine-wide keys count. False when the class or its
// command is not registered.
bool GetHtmlOpenCommand(Platform& platform, std::wstring& command);
