#pragma once
// The simulated Tembly ZQ4MKT player. Its settings live under HKEY_CURRENT_USER in
// SIM_STATE_KEY; its presence on the bus is the set of device-interface entries that SetupAPI
// reads, written under HKEY_LOCAL_MACHINE as a real plug would leave them.
#include <string>

namespace sim {

inline constexpr const wchar_t* SIM_STATE_KEY = L"Software\\QuillmateSimulator";

// OLD_MODEL is the earlier model's identity: a player this tool only refers elsewhere.
enum class Mode { NONE, NORMAL, RECOVERY, OLD_MODEL };

// What goes wrong during the next updates and version reads.
enum class Failure {
    NONE,
    LIBRARY_ERROR,     // DoNormalUpdate / DoRecoveryUpdate return non-zero
    NO_REENUMERATE,    // the update "runs" but the player never leaves its identity
    STUCK_RECOVERY,    // the player enters recovery and stays there
    UNPLUG_MID_UPDATE, // the player leaves the bus and never comes back
    INFO_ERROR,        // GetDeviceInfo fails
};

std::wstring ReadSetting(const wchar_t* name, const wchar_t* defaultText);
void WriteSetting(const wchar_t* name, const std::wstring& text);
int ReadNumber(const wchar_t* name, int defaultValue);

Mode CurrentMode();
bool ParseMode(const std::wstring& text, Mode& mode);
Failure CurrentFailure();
bool ParseFailure(const std::wstring& text, Failure& failure);
const wchar_t* FailureName(Failure failure);
// The key that the device-interface path carries, the same in both modes.
std::string Serial();

// Shows the player under the identity of `mode` (or removes it) and tells every window.
void Attach(Mode mode);
// Other USB devices that enumerate before the player; 0 removes them.
void SetExtraDevices(int count);
void BroadcastDeviceChange();

// The version text "mid.minor" of the first package description (*.ini with a FIRMWARE
// section) in the folder; empty when there is none.
std::wstring PackageVersionText(const std::wstring& folder);

// What the player does after the library accepted an update: leave, show the loader, come back
// with the package's firmware. Blocks for a few seconds.
void RunUpdateTimeline(bool fromRecovery, const std::wstring& firmwareFolder);

} // namespace sim
