#pragma once
// What the device tests and benchmarks share: the plug tool run from the simulator's folder.
#include <windows.h>
#include <string>

namespace sim {

// The folder of the running program, which is the simulator's folder.
std::wstring ProgramFolder();
// Starts a program; with `hProcess` null it waits and returns the exit code, otherwise it hands
// the process over. 0xFFFFFFFF when it cannot start.
DWORD RunProgram(const std::wstring& program, const std::wstring& arguments,
                 HANDLE* hProcess = nullptr);
DWORD RunPlug(const std::wstring& arguments);

} // namespace sim
