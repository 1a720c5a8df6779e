// The plug tool: attaches and detaches the simulated player and sets how it behaves.
#include "tools/player_sim/win32/simulator.h"
#include <windows.h>
#include <cstdio>
#include <cwchar>
#include <string>

namespace {
const wchar_t* const USAGE =
    L"usage: player_plug COMMAND\n"
    L"  plug [normal|recovery|old-model]\n"
    L"                          attach the player (normal mode by default) or the earlier model\n"
    L"  unplug                  detach it\n"
    L"  version TEXT            firmware version the player reports, e.g. 1.23\n"
    L"  serial TEXT             device key in the interface path (default QM5SIM0001)\n"
    L"  failure MODE            none | library-error | no-reenumerate | stuck-recovery |\n"
    L"                          unplug-mid-update | info-error\n"
    L"  info-delay MS           GetDeviceInfo holds for MS milliseconds (0 = none)\n"
    L"  extra N                 N other USB devices enumerate before the player\n"
    L"  reset                   detach everything and forget all settings\n"
    L"  status                  print the simulator's state\n";

int Usage() {
    std::fwprintf(stderr, L"%ls", USAGE);
    return 2;
}

bool IsNumber(const wchar_t* text) {
    if (!*text)
        return false;
    for (; *text; ++text)
        if (*text < L'0' || *text > L'9')
            return false;
    return true;
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return Usage();
    const std::wstring command = argv[1];
    const wchar_t* argument = argc > 2 ? argv[2] : nullptr;
    if (command == L"plug") {
        sim::Mode mode = sim::Mode::NORMAL;
        if (argument && (!sim::ParseMode(argument, mode) || mode == sim::Mode::NONE))
            return Usage();
        sim::Attach(mode);
    } else if (command == L"unplug") {
        sim::Attach(sim::Mode::NONE);
    } else if ((command == L"version" || command == L"serial") && argument) {
        // The serial names registry keys: keep it to letters and digits.
        if (command == L"serial") {
            sim::Attach(sim::Mode::NONE);
            for (const wchar_t* c = argument; *c; ++c)
                if (!iswalnum(*c) || *c > 0x7F)
                    return Usage();
        }
        sim::WriteSetting(command == L"version" ? L"Version" : L"Serial", argument);
    } else if (command == L"failure" && argument) {
        sim::Failure failure;
        if (!sim::ParseFailure(argument, failure))
            return Usage();
        sim::WriteSetting(L"Failure", argument);
    } else if (command == L"info-delay" && argument && IsNumber(argument)) {
        sim::WriteSetting(L"InfoDelayMs", argument);
    } else if (command == L"extra" && argument && IsNumber(argument) && _wtoi(argument) <= 4096) {
        sim::SetExtraDevices(_wtoi(argument));
    } else if (command == L"reset") {
        sim::Attach(sim::Mode::NONE);
        sim::SetExtraDevices(0);
        RegDeleteTreeW(HKEY_CURRENT_USER, sim::SIM_STATE_KEY);
    } else if (command == L"status") {
        std::wprintf(L"mode=%ls version=%ls serial=%hs failure=%ls extra=%d overlaps=%d\n",
                     sim::ReadSetting(L"Mode", L"none").c_str(),
                     sim::ReadSetting(L"Version", L"1.23").c_str(), sim::Serial().c_str(),
                     sim::FailureName(sim::CurrentFailure()), sim::ReadNumber(L"Extra", 0),
                     sim::ReadNumber(L"Overlaps", 0));
    } else {
        return Usage();
    }
    return 0;
}
