#pragma once
#include "engine/usb_devices.h"
#include "online/online_system.h"
#include "platform/named_mutex.h"
#include "platform/upgrade_library.h"
#include <cstdint>

enum ModelType : int32_t {
    MODEL_PULO5 = 0,
    MODEL_PULO4_A = 1,
    MODEL_PULO4_B = 2,
};

enum DeviceMatch : int32_t {
    MATCH_NONE = 0,
    MATCH_OLD_MODEL = 1,
    MATCH_NORMAL = 2,
    MATCH_OLD_MODEL_RECOVERY = 3,
    MATCH_RECOVERY = 4,
};

inline constexpr const wchar_t* UPGRADE_LIBRARY_NAME = L"NorvaneUpgradeDll.dll";
inline constexpr const wchar_t* DETECTION_MUTEX_NAME = L"Tembly ZQ4MKT ActionFWDN Mutex";
// The longest wait for the detection mutex; a detection that cannot have it finds no device.
inline constexpr uint32_t DETECTION_WAIT_MS = 10000;
// The record that "GetDeviceInfo" fills, and where the firmware version text stands in it.
inline constexpr size_t DEVICE_INFO_SIZE = 1312;
inline constexpr size_t DEVICE_INFO_VERSION_OFFSET = 1034;
// The re-enumeration waits of an update: this many one-second polls per phase.
inline constexpr int UPGRADE_MAX_WAITS = 60;
inline constexpr uint32_t UPGRADE_WAIT_MS = 1000;

struct UsbIdentity {
    char vendorId[USB_ID_SIZE] = {};
    char productId[USB_ID_SIZE] = {};
};

// The firmware version in a "GetDeviceInfo" record: "mid.minor" of digits only, the minor from
// at most its first two digits, major always 0; all zero (unknown) for any other text.
FirmwareVersion ParseDeviceVersion(const uint8_t (&record)[DEVICE_INFO_SIZE]);

// The tool's binding to the upgrade library for one player model: recognises the model on the
// bus, reads the player's firmware version and runs an update, judged by the player's
// re-enumeration. It is also the online state of its model.
class ActionFwDn : public COnlineSystem {
  public:
    ActionFwDn(Platform& platform, int32_t type, CDownloadCallback* sink);
    ~ActionFwDn() override;
    ActionFwDn(const ActionFwDn&) = delete;
    ActionFwDn& operator=(const ActionFwDn&) = delete;

    DeviceMatch FindDevice();
    int RunUpgrade();
    bool IsUpdateNeeded() const { return IsNewer(packageVersion, deviceVersion); }
    int32_t CallDebugPort(uintptr_t window);

    int32_t modelType;
    UpgradeModule library = nullptr;
    UpgradeEntry getDeviceInfo = nullptr;
    UpgradeEntry doNormalUpdate = nullptr;
    UpgradeEntry doRecoveryUpdate = nullptr;
    UpgradeEntry needRecovery = nullptr;
    UpgradeEntry resetChipset = nullptr;
    UpgradeEntry changeUsbMode = nullptr;
    UpgradeEntry getFwLibraryVersion = nullptr;
    UpgradeEntry getApiVersion = nullptr;
    UpgradeEntry debugPort = nullptr;
    int32_t recoveryMode = 0;
    MutexHandle detectionMutex = nullptr;
    // Normal identity 1, normal identity 2, recovery identity.
    UsbIdentity identities[3];
    char deviceKey[DEVICE_KEY_SIZE] = {};

  private:
    bool ReadRunPath(std::wstring& installFolder);
    DeviceMatch Detect();
    int Upgrade(const char* folder);
    bool WaitForRecoveryIdentity(bool present);
};
