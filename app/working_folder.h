#pragma once
#include <string>

class ISettingsStore;

// The working folder of start-up: the firmware folder of the Pulo5 installation values (see
// FirmwareFolder), with the program in `commandLine` for installations that name none.
std::wstring WorkingFolder(ISettingsStore& settings, const std::wstring& commandLine);
// Whether "-silent" stands anywhere in the arguments (case-sensitive, also inside a word).
int IsSilentStart(const std::wstring& arguments);
