#pragma once

class ISettingsStore;
class ISystemInfo;
class IFileSystem;
class IVersionResource;
class IMessageSource;
class IUsbBus;
class IUpgradeLibrary;
class IClock;
class INamedMutexes;
class IInternet;
class IProcesses;
class IShell;
class ISignatureVerifier;

// The ports through which the portable core reaches the system. The Win32 program fills it
// with the real implementations, tests with fakes; an object keeps the ports it needs.
struct Platform {
    ISettingsStore* settings = nullptr;
    ISystemInfo* system = nullptr;
    IFileSystem* files = nullptr;
    IVersionResource* versionResource = nullptr;
    IMessageSource* messages = nullptr;
    IUsbBus* usb = nullptr;
    IUpgradeLibrary* upgradeLibrary = nullptr;
    IClock* clock = nullptr;
    INamedMutexes* mutexes = nullptr;
    ISettingsStore* userSettings = nullptr;    // the current user's hive
    ISettingsStore* classesSettings = nullptr; // the classes root
    IInternet* internet = nullptr;
    IProcesses* processes = nullptr;
    IShell* shell = nullptr;
    ISignatureVerifier* signatures = nullptr; // null: no key, as in a build without one
};
