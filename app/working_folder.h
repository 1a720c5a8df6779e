#pragma once
#include <string>

class ISettingsStore;

// The folder of the carried firmware package: "QmRunPath" joined with "QmFwFolder", or, when
// either is unusable, "\Firmware\PULO5" under the folder of the program in `commandLine`.
std::wstring WorkingFolder(ISettingsStore& settings, const std::wstring& commandLine);
// Whether "-silent" stands anywhere in the arguments (case-sensitive, also inside a word).
int IsSilentStart(const std::wstring& arguments);
