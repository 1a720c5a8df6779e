#pragma once
#include "app/win32/win32_system_info.h"
#include "engine/win32/registry.h"
#include "engine/win32/win32_file_system.h"
#include "engine/win32/win32_kernel.h"
#include "engine/win32/win32_upgrade_library.h"
#include "engine/win32/win32_usb_bus.h"
#include "engine/win32/win32_version_resource.h"
#include "online/win32/win32_internet.h"
#include "online/win32/win32_processes.h"
#include "online/win32/win32_shell.h"
#include "online/win32/win32_signature.h"
#include "platform/platform.h"
#include "ui/win32/resource_message_source.h"

// The real implementation of every port, for the life of the program.
class CWin32Platform {
  public:
    explicit CWin32Platform(HMODULE hResources) : m_messages(hResources) {
        m_platform.settings = &m_registry;
        m_platform.system = &m_system;
        m_platform.files = &m_files;
        m_platform.versionResource = &m_versionResource;
        m_platform.messages = &m_messages;
        m_platform.usb = &m_usb;
        m_platform.upgradeLibrary = &m_upgradeLibrary;
        m_platform.clock = &m_clock;
        m_platform.mutexes = &m_mutexes;
        m_platform.userSettings = &m_userRegistry;
        m_platform.classesSettings = &m_classes;
        m_platform.internet = &m_internet;
        m_platform.processes = &m_processes;
        m_platform.shell = &m_shell;
        m_platform.signatures = &m_signatures;
    }
    CWin32Platform(const CWin32Platform&) = delete;
    CWin32Platform& operator=(const CWin32Platform&) = delete;

    Platform& Ports() { return m_platform; }

  private:
    CRegistry m_registry{HKEY_LOCAL_MACHINE, MACHINE_REGISTRY_VIEW};
    CWin32SystemInfo m_system;
    CWin32FileSystem m_files;
    CWin32VersionResource m_versionResource;
    CResourceMessageSource m_messages;
    CWin32UsbBus m_usb;
    CWin32UpgradeLibrary m_upgradeLibrary;
    CWin32Clock m_clock;
    CWin32NamedMutexes m_mutexes;
    CRegistry m_userRegistry{HKEY_CURRENT_USER};
    CRegistry m_classes{HKEY_CLASSES_ROOT};
    CWinInet m_internet;
    CWin32Processes m_processes;
    CWin32Shell m_shell;
    CWin32SignatureVerifier m_signatures;
    Platform m_platform;
};
