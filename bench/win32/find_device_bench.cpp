// Time of one FindDevice (detection mutex, three presence walks, path lookup, GetDeviceInfo)
// through the real SetupAPI with 1, 20 and 100 USB devices present, the simulated player last.
// Runs in the simulator's folder, like the device tests.
#include "engine/action_fw_dn.h"
#include "engine/product_keys.h"
#include "tools/player_sim/win32/sim_harness.h"
#include <windows.h>
#include <chrono>
#include <cstdio>
#include <string>

int wmain() {
    sim::CRealDevicePlatform real;
    real.settings.WriteString(PULO5_KEY, VALUE_RUN_PATH, sim::ProgramFolder());
    ActionFwDn binding(real.platform, MODEL_PULO5, nullptr);

    int status = sim::RunPlug(L"reset") || sim::RunPlug(L"plug") ? 1 : 0;
    for (const int devices : {1, 20, 100}) {
        status |= sim::RunPlug(L"extra " + std::to_wstring(devices - 1));
        const int rounds = 20;
        int found = 0;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < rounds; ++i)
            found += binding.FindDevice() == MATCH_NORMAL ? 1 : 0;
        const std::chrono::duration<double, std::milli> total =
            std::chrono::steady_clock::now() - start;
        std::wprintf(L"FindDevice with %3d USB devices: %7.2f ms (%d of %d found)\n", devices,
                     total.count() / rounds, found, rounds);
        status |= found == rounds ? 0 : 1;
    }
    sim::RunPlug(L"reset");
    return status;
}
