// Run by the setup program from its temporary folder: answers with the language the installed
// program would choose and whether it would refuse this system or user, as its exit code, so
// that the setup program and the program apply one set of rules.
#include "app/win32/win32_system_info.h"
#include "engine/win32/registry.h"
#include "tools/installer/setup_probe.h"
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    CRegistry settings(HKEY_LOCAL_MACHINE, MACHINE_REGISTRY_VIEW);
    CWin32SystemInfo system;
    return static_cast<int>(PackSetupVerdict(ProbeSetup(settings, system)));
}
