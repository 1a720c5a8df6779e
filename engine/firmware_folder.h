#pragma once
#include <string>

class ISettingsStore;

// The folder of the carried firmware, formed one way for everyone who needs it: start-up makes
// it the working folder, the binding hands it to the upgrade library, and the online state reads
// the package description from it and installs downloaded firmware into it. The library must
// flash from exactly the folder whose package version the window shows.
//
// "QmRunPath" and "QmFwFolder" joined by exactly one backslash, after one leading and one
// trailing backslash of the folder name are dropped. A run path that is empty, or a folder name
// that is empty or only a backslash, names no usable folder; then "\Firmware\PULO5" under the
// folder of the program in `commandLine` (double quotes removed, cut before its last backslash)
// is used, as start-up does when the values are missing.
std::wstring FirmwareFolder(const std::wstring& runPath, const std::wstring& folderName,
                            const std::wstring& commandLine);

// The same from the values under `keyPath`; a value that cannot be read counts as empty.
std::wstring ReadFirmwareFolder(ISettingsStore& settings, const wchar_t* keyPath,
                                const std::wstring& commandLine);
