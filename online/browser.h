#pragma once
#include <string>

struct Platform;

// The default web browser's open command, environment references expanded; empty when none is
// registered. The current user's choice comes before the machine's.
std::wstring GetDefaultBrowserCommand(Platform& platform);
// The ".htm" class's open command, cut before its first "%1" placeholder (a quoted one first).
// False when the class or its command is not registered.
bool GetHtmlOpenCommand(Platform& platform, std::wstring& command);
