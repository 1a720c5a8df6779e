#pragma once
#include <string>

class IFileSystem;

// Where the new firmware folder is assembled and where the old one waits during the swap.
std::wstring NewFirmwareFolder(const std::wstring& firmwareFolder);
std::wstring OldFirmwareFolder(const std::wstring& firmwareFolder);

// Installs the staged files into the firmware folder so that a failure at any file leaves the
// old contents as they were: the folder is copied beside itself, the staged files are copied
// over that copy, and only a complete copy takes the folder's place (old renamed away, new
// renamed in, old deleted). 1 when the new folder is in place, else 0.
int SwapInFirmware(IFileSystem& files, const std::wstring& staging,
                   const std::wstring& firmwareFolder);
// Whether an interrupted swap left a folder beside the firmware folder.
bool HasSwapLeftovers(IFileSystem& files, const std::wstring& firmwareFolder);
// Settles an interrupted swap: a complete new folder whose old one was already renamed away
// takes its place; an unfinished new folder and a replaced old one are deleted; an old folder
// without a successor is put back.
void RecoverFirmwareSwap(IFileSystem& files, const std::wstring& firmwareFolder);
