#include "app/working_folder.h"
#include "engine/firmware_folder.h"
#include "engine/product_keys.h"

std::wstring WorkingFolder(ISettingsStore& settings, const std::wstring& commandLine) {
    return ReadFirmwareFolder(settings, PULO5_KEY, commandLine);
}

int IsSilentStart(const std::wstring& arguments) {
    return arguments.find(L"-silent") != std::wstring::npos ? 1 : 0;
}
