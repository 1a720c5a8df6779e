#pragma once
#include <cstdint>
#include <string>

// Starting other programs from a command line.
class IProcesses {
  public:
    virtual ~IProcesses() = default;
    // Starts the program without a window and waits for its end. False when it could not be
    // started; `exitCode` is left unchanged when the code cannot be read.
    virtual bool Run(const std::wstring& commandLine, int32_t& exitCode) = 0;
    // Starts the program without a window and without waiting.
    virtual bool Start(const std::wstring& commandLine) = 0;
    // Starts the program with the given window show command, without waiting.
    virtual bool StartShown(const std::wstring& commandLine, int showCommand) = 0;
};
