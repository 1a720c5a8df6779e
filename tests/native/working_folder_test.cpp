#include "app/working_folder.h"
#include "engine/product_keys.h"
#include "tests/support/fakes.h"
#include <gtest/gtest.h>

namespace {
const wchar_t* const COMMAND_LINE = L"\"C:\\Prog\\Q\\app.exe\" -silent";

std::wstring Folder(const wchar_t* runPath, const wchar_t* folder,
                    const std::wstring& commandLine = COMMAND_LINE) {
    CFakeSettingsStore settings;
    if (runPath)
        settings.Set(PULO5_KEY, VALUE_RUN_PATH, runPath);
    if (folder)
        settings.Set(PULO5_KEY, VALUE_FW_FOLDER, folder);
    return WorkingFolder(settings, commandLine);
}

TEST(WorkingFolder, CommandLineWhenRunPathIsMissingOrEmpty) {
    EXPECT_EQ(Folder(nullptr, L"FW"), L"C:\\Prog\\Q\\Firmware\\PULO5");
    EXPECT_EQ(Folder(L"", L"FW"), L"C:\\Prog\\Q\\Firmware\\PULO5");
    EXPECT_EQ(Folder(L"C:\\Prog\\Q", nullptr), L"C:\\Prog\\Q\\Firmware\\PULO5");
}

TEST(WorkingFolder, CommandLineWithoutBackslashKeepsNothingBeforeTheSuffix) {
    EXPECT_EQ(Folder(nullptr, nullptr, L"app.exe -silent"), L"\\Firmware\\PULO5");
    EXPECT_EQ(Folder(nullptr, nullptr, L""), L"\\Firmware\\PULO5");
}

TEST(SilentStart, CaseSensitiveSubstring) {
    EXPECT_EQ(IsSilentStart(L"-silent"), 1);
    EXPECT_EQ(IsSilentStart(L"/x -silently"), 1);
    EXPECT_EQ(IsSilentStart(L"x-silent"), 1);
    EXPECT_EQ(IsSilentStart(L"-Silent"), 0);
    EXPECT_EQ(IsSilentStart(L"-SILENT"), 0);
    EXPECT_EQ(IsSilentStart(L""), 0);
}
} // namespace
