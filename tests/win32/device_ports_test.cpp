#include "engine/win32/win32_file_system.h"
#include "engine/win32/win32_kernel.h"
#include "engine/win32/win32_upgrade_library.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <thread>

namespace {
TEST(NamedMutexes, SharedByNameAndAbandonedWhenItsOwnerEnds) {
    CWin32NamedMutexes mutexes;
    const MutexHandle first = mutexes.CreateOrOpen(L"QuillmateTests DevicePorts");
    const MutexHandle second = mutexes.CreateOrOpen(L"QuillmateTests DevicePorts");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    std::thread owner([&] { EXPECT_EQ(mutexes.Wait(first, INFINITE), MutexWait::ACQUIRED); });
    owner.join();
    EXPECT_EQ(mutexes.Wait(second, INFINITE), MutexWait::ABANDONED);
    // Held here: another thread gives up after its time, owning nothing.
    std::thread blocked([&] {
        const DWORD start = GetTickCount();
        EXPECT_EQ(mutexes.Wait(first, 200), MutexWait::TIMED_OUT);
        EXPECT_GE(GetTickCount() - start, 150u);
    });
    blocked.join();
    mutexes.Release(second);
    std::thread other([&] {
        EXPECT_EQ(mutexes.Wait(first, 0), MutexWait::ACQUIRED);
        mutexes.Release(first);
    });
    other.join();
    EXPECT_EQ(mutexes.Wait(nullptr, 0), MutexWait::FAILED);
    mutexes.Close(first);
    mutexes.Close(second);
}

TEST(FileSystem, CurrentFolderRoundTrip) {
    CWin32FileSystem files;
    std::wstring before;
    ASSERT_TRUE(files.GetCurrentFolder(before));
    ASSERT_TRUE(files.SetCurrentFolder(L"C:\\windows"));
    std::wstring now;
    ASSERT_TRUE(files.GetCurrentFolder(now));
    EXPECT_EQ(_wcsicmp(now.c_str(), L"C:\\windows"), 0);
    EXPECT_FALSE(files.SetCurrentFolder(L"C:\\no such folder here"));
    ASSERT_TRUE(files.SetCurrentFolder(before));
}

TEST(UpgradeLibrary, MissingLibraryAndExports) {
    CWin32UpgradeLibrary library;
    EXPECT_EQ(library.Load(L"C:\\no such folder\\NorvaneUpgradeDll.dll"), nullptr);
    const UpgradeModule kernel = library.Load(L"kernel32.dll");
    ASSERT_NE(kernel, nullptr);
    EXPECT_NE(library.Resolve(kernel, "GetTickCount"), nullptr);
    EXPECT_EQ(library.Resolve(kernel, "DoNormalUpdate"), nullptr);
    library.Unload(kernel);
}

TEST(UpgradeLibrary, AnsiTextIsExactOrRefused) {
    CWin32UpgradeLibrary library;
    std::string ansi = "x";
    ASSERT_TRUE(ToExactAnsi(library, L"", ansi));
    EXPECT_EQ(ansi, "");
    ASSERT_TRUE(ToExactAnsi(library, L"C:\\Program Files\\Quillmate\\Firmware", ansi));
    EXPECT_EQ(ansi, "C:\\Program Files\\Quillmate\\Firmware");
    EXPECT_FALSE(ToExactAnsi(library, L"C:\\\U0001F600", ansi));
    if (library.AnsiCodePage() != 1252)
        GTEST_SKIP() << "code page " << library.AnsiCodePage();
    ASSERT_TRUE(ToExactAnsi(library, L"C:\\Programme\\M\u00fcller", ansi));
    EXPECT_EQ(ansi, "C:\\Programme\\M\xfcller");
    // The system's best fit would give C:\Programme\Lodz\..., a different folder.
    EXPECT_FALSE(
        ToExactAnsi(library, L"C:\\Programme\\\u0141\u00f3d\u017a\\Firmware\\PULO5", ansi));
}
} // namespace
