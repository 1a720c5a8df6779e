#include "engine/action_fw_dn.h"
#include "engine/firmware_folder.h"
#include "engine/product_keys.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/platform.h"
#include "platform/settings_store.h"
#include "platform/system_info.h"
#include "platform/text.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {
struct ModelEntry {
    const wchar_t* keyPath;
    const wchar_t* downloadFolderName;
    const char* ids[3][2];
};

const ModelEntry MODELS[] = {
    {PULO5_KEY, L"TempPULO5", {{"0471", "2186"}, {"0471", "2186"}, {"10D6", "10D6"}}},
    {PULO4_KEY, L"TempPULO4", {{"0471", "213e"}, {"0471", "213f"}, {"066f", "3770"}}},
    {PULO4_KEY, L"TempPULO4", {{"0471", "2141"}, {"0471", "2142"}, {"066f", "3770"}}},
};

const char* const ENTRY_NAMES[] = {
    "GetDeviceInfo", "DoNormalUpdate",      "DoRecoveryUpdate", "NeedRecovery", "ResetChipset",
    "ChangeUSBMode", "GetFWLibraryVersion", "GetAPIVersion",    "DebugPort",
};

constexpr int RECOVERY_IDENTITY = 2;
} // namespace

static bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

FirmwareVersion ParseDeviceVersion(const uint8_t (&record)[DEVICE_INFO_SIZE]) {
    // The library may leave the text unterminated: it never runs past the record.
    const char* start = reinterpret_cast<const char*>(record + DEVICE_INFO_VERSION_OFFSET);
    const std::string_view text(start,
                                strnlen(start, DEVICE_INFO_SIZE - DEVICE_INFO_VERSION_OFFSET));
    const size_t point = text.find('.');
    // Only "digits.digits" with at most 9 mid digits is a version: a sign or a letter would
    // turn into a mid or minor that orders the player against every package by accident
    // ("V1.23" would read 0.23, "-1.-5" a negative minor). Such a text counts as unknown.
    if (point == std::string_view::npos || point > 9 || !AllDigits(text.substr(0, point)) ||
        !AllDigits(text.substr(point + 1)))
        return FirmwareVersion{};
    char mid[10] = {};
    char minor[3] = {};
    text.copy(mid, point);
    text.copy(minor, 2, point + 1);
    return MakeFirmwareVersion(0, std::atoi(mid), std::atoi(minor));
}

ActionFwDn::ActionFwDn(Platform& platform, int32_t type, CDownloadCallback* sink)
    : COnlineSystem(platform), modelType(type) {
    if (type >= MODEL_PULO5 && type <= MODEL_PULO4_B) {
        const ModelEntry& model = MODELS[type];
        keyPath = model.keyPath;
        downloadFolderName = model.downloadFolderName;
        for (int i = 0; i < 3; ++i) {
            std::memcpy(identities[i].vendorId, model.ids[i][0], USB_ID_SIZE - 1);
            std::memcpy(identities[i].productId, model.ids[i][1], USB_ID_SIZE - 1);
        }
    }
    IUpgradeLibrary& upgrade = *platform.upgradeLibrary;
    std::wstring installFolder;
    if (ReadRunPath(installFolder))
        library = upgrade.Load(installFolder + UPGRADE_LIBRARY_NAME);
    if (library) {
        UpgradeEntry* entries[] = {&getDeviceInfo,       &doNormalUpdate, &doRecoveryUpdate,
                                   &needRecovery,        &resetChipset,   &changeUsbMode,
                                   &getFwLibraryVersion, &getApiVersion,  &debugPort};
        for (size_t i = 0; i < std::size(entries); ++i)
            *entries[i] = upgrade.Resolve(library, ENTRY_NAMES[i]);
    }
    detectionMutex = platform.mutexes->CreateOrOpen(DETECTION_MUTEX_NAME);
    progressSink = sink;
}

ActionFwDn::~ActionFwDn() {
    if (detectionMutex)
        m_platform.mutexes->Close(detectionMutex);
    if (library)
        m_platform.upgradeLibrary->Unload(library);
}

// The installation folder with a trailing backslash; false when it is not recorded, which
// leaves the library unloaded and every update failing at once. The elevated program runs the
// library's code: a relative folder (resolved against whatever the current folder is) or a
// network share (whose owner chooses the file) counts as not recorded.
bool ActionFwDn::ReadRunPath(std::wstring& installFolder) {
    if (keyPath.empty() ||
        !m_platform.settings->ReadString(keyPath.c_str(), VALUE_RUN_PATH, installFolder) ||
        !IsLocalAbsolutePath(installFolder))
        return false;
    if (!EndsInBackslash(installFolder))
        installFolder += L'\\';
    return true;
}

DeviceMatch ActionFwDn::FindDevice() {
    INamedMutexes& mutexes = *m_platform.mutexes;
    // A detection takes well under a second; a holder that keeps the mutex far longer is stuck
    // (in this copy or another), and waiting for it would freeze the window that asked.
    const MutexWait wait = mutexes.Wait(detectionMutex, DETECTION_WAIT_MS);
    if (wait == MutexWait::FAILED || wait == MutexWait::TIMED_OUT)
        return MATCH_NONE;
    DeviceMatch result = MATCH_NONE;
    // A holder that died mid-detection leaves the mutex to us: give it back so that no thread
    // waits for it forever, and count this round as "nothing found".
    if (wait == MutexWait::ACQUIRED)
        result = Detect();
    mutexes.Release(detectionMutex);
    return result;
}

DeviceMatch ActionFwDn::Detect() {
    IUsbBus& bus = *m_platform.usb;
    int hit = 0;
    while (hit < 3 && !IsUsbDevicePresent(bus, identities[hit].vendorId, identities[hit].productId))
        ++hit;
    if (hit == 3)
        return MATCH_NONE;
    recoveryMode = hit == RECOVERY_IDENTITY ? 1 : 0;
    const bool oldModel = modelType != MODEL_PULO5;
    DeviceMatch result = oldModel ? MATCH_OLD_MODEL : MATCH_NORMAL;
    if (recoveryMode)
        result = oldModel ? MATCH_OLD_MODEL_RECOVERY : MATCH_RECOVERY;
    deviceVersion = FirmwareVersion{};

    char path[USB_PATH_SIZE];
    std::memset(deviceKey, 0, sizeof deviceKey);
    if (!FindUsbDevice(bus, identities[hit].vendorId, identities[hit].productId, path, sizeof path))
        return MATCH_NONE;
    ParseDevicePath(path, sizeof path, nullptr, nullptr, deviceKey, sizeof deviceKey);

    if (result == MATCH_NORMAL && getDeviceInfo) {
        uint8_t record[DEVICE_INFO_SIZE] = {};
        if (m_platform.upgradeLibrary->CallGetDeviceInfo(getDeviceInfo, deviceKey, record) != 0)
            return MATCH_NONE;
        deviceVersion = ParseDeviceVersion(record);
    }
    return result;
}

int ActionFwDn::RunUpgrade() {
    IFileSystem& files = *m_platform.files;
    std::wstring installFolder;
    if (!ReadRunPath(installFolder))
        return 0;
    std::wstring saved;
    const bool restorable = files.GetCurrentFolder(saved);
    // Not the stored name appended as it stands: the library must flash from the folder whose
    // package version the window shows, which start-up and the online state form this way.
    const std::wstring folder =
        ReadFirmwareFolder(*m_platform.settings, keyPath.c_str(), m_platform.system->CommandLine());
    files.SetCurrentFolder(folder);
    // A folder the library's 260-byte buffer cannot hold fails before the library is called.
    std::string ansiFolder;
    int result = 0;
    if (ToExactAnsi(*m_platform.upgradeLibrary, folder, ansiFolder) &&
        ansiFolder.size() < USB_PATH_SIZE)
        result = Upgrade(ansiFolder.c_str());
    if (restorable)
        files.SetCurrentFolder(saved);
    return result;
}

int ActionFwDn::Upgrade(const char* folder) {
    if (deviceKey[0] == '\0')
        return 0;
    // A missing export counts as a call that succeeded; the waits then judge.
    const UpgradeEntry entry = recoveryMode ? doRecoveryUpdate : doNormalUpdate;
    if (entry && m_platform.upgradeLibrary->CallUpdate(entry, deviceKey, folder) != 0)
        return 0;
    // After a normal update the player restarts into its loader before it comes back.
    if (!recoveryMode && !WaitForRecoveryIdentity(true))
        return 0;
    return WaitForRecoveryIdentity(false) ? 1 : 0;
}

// Polls the bus once a second, at most UPGRADE_MAX_WAITS times, until the recovery identity's
// presence is as wanted.
bool ActionFwDn::WaitForRecoveryIdentity(bool present) {
    const UsbIdentity& recovery = identities[RECOVERY_IDENTITY];
    for (int waits = 0;
         IsUsbDevicePresent(*m_platform.usb, recovery.vendorId, recovery.productId) != present;
         ++waits) {
        if (waits == UPGRADE_MAX_WAITS)
            return false;
        m_platform.clock->Sleep(UPGRADE_WAIT_MS);
    }
    return true;
}

int32_t ActionFwDn::CallDebugPort(uintptr_t window) {
    return debugPort ? m_platform.upgradeLibrary->CallDebugPort(debugPort, window) : 0;
}
