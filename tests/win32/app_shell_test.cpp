#include "app/win32/hotplug_thread.h"
#include "app/win32/win32_app_host.h"
#include "app/win32/win32_running_copy.h"
#include "engine/autoplay_reject.h"
#include "engine/win32/win32_autoplay.h"
#include "res/resource.h"
#include "tests/support/fakes.h"
#include <gtest/gtest.h>
#include <objbase.h>
#include <shobjidl.h>
#include <string>

namespace {
// A Linux path as Wine shows it on drive Z:.
std::wstring WindowsPath(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* c = unixPath; *c; ++c)
        path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}

// The search order stays changed for the rest of the process: the other tests load only
// system libraries, or libraries by their full paths.
TEST(LibrarySearch, ALibraryInTheCurrentFolderIsNoLongerFoundByName) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"qm-planted";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring planted = folder + L"\\qm_planted.dll";
    ASSERT_TRUE(CopyFileW(WindowsPath(QM_PLANTABLE_LIBRARY).c_str(), planted.c_str(), FALSE));
    wchar_t saved[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.c_str()));
    // Found there before: the test would prove nothing otherwise.
    HMODULE hBefore = LoadLibraryW(L"qm_planted.dll");
    ASSERT_NE(hBefore, nullptr);
    FreeLibrary(hBefore);

    RemoveCurrentFolderFromLibrarySearch();
    SetLastError(0);
    EXPECT_EQ(LoadLibraryW(L"qm_planted.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    // By its full path it still loads.
    HMODULE hFull = LoadLibraryExW(planted.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    EXPECT_NE(hFull, nullptr);
    if (hFull)
        FreeLibrary(hFull);
    SetCurrentDirectoryW(saved);
    DeleteFileW(planted.c_str());
    RemoveDirectoryW(folder.c_str());
}

const wchar_t* const USER_KEY =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers";
const wchar_t* const MACHINE_KEY = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Autopl"
                                   L"ayHandlers\\CancelAutoplay\\CLSID";
const wchar_t* const CLASS_VALUE = L"66A32FE6-229D-427B-A608-D273F40C034C";

// A registry value's type and bytes; type 0 when it is missing.
struct Value {
    DWORD type = 0;
    DWORD size = 0;
    DWORD number = 0;
};
Value ReadValue(HKEY hRoot, const wchar_t* key, const wchar_t* name) {
    Value value;
    value.size = sizeof value.number;
    if (RegGetValueW(hRoot, key, name, RRF_RT_ANY, &value.type, &value.number, &value.size) !=
        ERROR_SUCCESS)
        value.type = 0;
    return value;
}
void SetUserValue(DWORD number) {
    RegSetKeyValueW(HKEY_CURRENT_USER, USER_KEY, L"DisableAutoplay", REG_DWORD, &number,
                    sizeof number);
}

class AutoPlayRegistry : public testing::Test {
  protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        RegDeleteKeyValueW(HKEY_CURRENT_USER, USER_KEY, L"DisableAutoplay");
    }
    void TearDown() override {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, USER_KEY, L"DisableAutoplay");
        CoUninitialize();
    }
    CFakeSystemInfo m_system;
    CWin32AutoPlaySystem m_autoPlay;
};

TEST_F(AutoPlayRegistry, VistaGenerationSwitchesTheUserValueAndBack) {
    m_system.version = {2, 6, 1};
    CAutoPlayReject reject(m_system, m_autoPlay);
    EXPECT_GE(reject.Start(nullptr), 0);
    Value on = ReadValue(HKEY_CURRENT_USER, USER_KEY, L"DisableAutoplay");
    EXPECT_EQ(on.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(on.number, 1u);
    EXPECT_TRUE(reject.Stop());
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, USER_KEY, L"DisableAutoplay").number, 0u);
}

TEST_F(AutoPlayRegistry, UserValueAlreadyOnIsLeftAlone) {
    SetUserValue(1);
    m_system.version = {2, 6, 0};
    CAutoPlayReject reject(m_system, m_autoPlay);
    reject.Start(nullptr);
    EXPECT_FALSE(reject.Stop());
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, USER_KEY, L"DisableAutoplay").number, 1u);
}

TEST_F(AutoPlayRegistry, OtherSystemsNameTheClassWithAnEmptyText) {
    m_system.version = {2, 5, 1};
    CAutoPlayReject reject(m_system, m_autoPlay);
    reject.Start(nullptr);
    EXPECT_FALSE(reject.Stop());
    const Value named = ReadValue(HKEY_LOCAL_MACHINE, MACHINE_KEY, CLASS_VALUE);
    EXPECT_EQ(named.type, static_cast<DWORD>(REG_SZ));
    EXPECT_LE(named.size, sizeof(wchar_t)); // no text; the system may count a terminator
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, USER_KEY, L"DisableAutoplay").type, 0u);
}

TEST_F(AutoPlayRegistry, TheShellFindsTheObjectUnderTheClassMonikerUntilStopped) {
    CAutoPlayReject reject(m_system, m_autoPlay);
    ASSERT_GE(reject.Start(nullptr), 0);
    IRunningObjectTable* table = nullptr;
    ASSERT_EQ(GetRunningObjectTable(0, &table), S_OK);
    IMoniker* moniker = nullptr;
    CLSID clsid;
    CLSIDFromString(L"{66A32FE6-229D-427B-A608-D273F40C034C}", &clsid);
    ASSERT_EQ(CreateClassMoniker(clsid, &moniker), S_OK);
    EXPECT_EQ(table->IsRunning(moniker), S_OK);

    IUnknown* unknown = nullptr;
    ASSERT_EQ(table->GetObject(moniker, &unknown), S_OK);
    IQueryCancelAutoPlay* query = nullptr;
    ASSERT_EQ(unknown->QueryInterface(IID_IQueryCancelAutoPlay, reinterpret_cast<void**>(&query)),
              S_OK);
    EXPECT_EQ(query->AllowAutoPlay(L"E:\\", 0, L"PLAYER", 0), S_FALSE);
    EXPECT_EQ(query->AllowAutoPlay(L"C:\\", 0, L"", 0), S_OK);
    void* other = reinterpret_cast<void*>(1);
    EXPECT_EQ(unknown->QueryInterface(IID_IDispatch, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    query->Release();
    unknown->Release();

    reject.Stop();
    EXPECT_NE(table->IsRunning(moniker), S_OK);
    moniker->Release();
    table->Release();
}

std::wstring OwnPath() {
    wchar_t path[MAX_PATH];
    return std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
}

TEST(HotplugWatcher, ReadsDialogTitlesOfAnotherModuleAsData) {
    EXPECT_EQ(LoadDialogTitle(OwnPath(), IDD_ABOUTBOX), L"About Norvane Quillmate Tembly ZQ4MKT");
    EXPECT_EQ(LoadDialogTitle(OwnPath(), IDD_MESSAGE), L"");
    EXPECT_EQ(LoadDialogTitle(OwnPath(), 330), L"");
    EXPECT_EQ(LoadDialogTitle(L"no-such-library-here.dll", 330), L"");
}

HWND TitledWindow(const wchar_t* title) {
    return CreateWindowExW(0, L"STATIC", title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                           nullptr);
}

TEST(HotplugWatcher, ClosesOnlyTheWindowWithExactlyTheTitle) {
    const HWND hExact = TitledWindow(L"Quillmate Watcher Probe");
    const HWND hOtherCase = TitledWindow(L"quillmate watcher probe");
    ASSERT_TRUE(hExact && hOtherCase);
    CScopedHandle stop(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    CWin32HotplugWindows windows(stop.Get());
    EXPECT_FALSE(windows.StopRequested());
    windows.CloseWindowTitled(L"Quillmate Watcher Probe");
    EXPECT_FALSE(IsWindow(hExact));
    EXPECT_TRUE(IsWindow(hOtherCase));
    SetEvent(stop.Get());
    EXPECT_TRUE(windows.StopRequested());
    DestroyWindow(hOtherCase);
}

TEST(HotplugWatcher, WithoutTheSystemDialogTheThreadEndsAndStopsAtOnce) {
    CHotplugWatcher watcher;
    ASSERT_TRUE(watcher.Start());
    const DWORD before = GetTickCount();
    watcher.Stop(10000);
    EXPECT_LT(GetTickCount() - before, 2000u);
}

TEST(RunningCopy, SecondCreationOfTheMutexSeesTheFirst) {
    const wchar_t* const name = L"Quillmate test instance mutex";
    CWin32RunningCopy first;
    CWin32RunningCopy second;
    const MutexCreation created = first.CreateInstanceMutex(name);
    EXPECT_TRUE(created.created);
    EXPECT_FALSE(created.alreadyExisted);
    const MutexCreation opened = second.CreateInstanceMutex(name);
    EXPECT_TRUE(opened.created);
    EXPECT_TRUE(opened.alreadyExisted);
}

TEST(RunningCopy, BringsAMinimisedWindowBackAndFindsNoneWithoutIt) {
    CWin32RunningCopy copy;
    EXPECT_FALSE(copy.BringForward(L"Quillmate Running Copy Probe"));
    const HWND hWnd =
        CreateWindowExW(0, L"STATIC", L"Quillmate Running Copy Probe", WS_OVERLAPPEDWINDOW, 0, 0,
                        100, 100, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(hWnd, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(hWnd));
    EXPECT_TRUE(copy.BringForward(L"Quillmate Running Copy Probe"));
    EXPECT_FALSE(IsIconic(hWnd));
    DestroyWindow(hWnd);
}

class CDrainOnlyHost : public CWin32AppHost {
    void CreateMainWindow(IAutoPlayControl&, const MainWindowArgs&) override {}
    void RunMainWindow() override {}
    void DestroyMainWindow() override {}
};

TEST(AppHost, DrainHandlesQueuedMessagesAndKeepsTheQuitMessage) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
    PostQuitMessage(7);
    CDrainOnlyHost host;
    host.DrainMessageQueue();
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}
} // namespace
