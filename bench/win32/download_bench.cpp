// Throughput of the firmware download path (WinINet transfer, signature check, rename, record)
// with the program's own ports, and the number of progress notifications the main window gets.
// Each notification is sent to a window on another thread and waited for, as the program does.
//   bench_download URL SIGNATURE_FILE [ROUNDS]
// SIGNATURE_FILE holds the descriptor line "signature=..." for the file offered as firmware
// 0.1.30. Writes under a bench key of its own and a folder in the temporary folder.
#include "app/win32/win32_platform.h"
#include "engine/win32/registry.h"
#include "engine/win32/win32_file_system.h"
#include "online/download_callback.h"
#include "online/folder_tree.h"
#include "online/online_system.h"
#include <windows.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace {
const wchar_t* const BENCH_KEY = L"Software\\QuillmateBench\\Download";
std::atomic<HWND> g_hWindow{nullptr};
std::atomic<int> g_notifications{0};

void Notify(int32_t) {
    ++g_notifications;
    SendMessageW(g_hWindow.load(), WM_USER + 5, 0, 0);
}

// The stand-in for the main window: a message-only window with its own message loop.
void WindowThread() {
    HWND hWnd =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    g_hWindow = hWnd;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    DestroyWindow(hWnd);
}

std::string SignatureValue(CWin32FileSystem& files, const std::wstring& path) {
    std::string line;
    files.ReadFileBytes(path, line);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    const std::string key = "signature=";
    return line.rfind(key, 0) == 0 ? line.substr(key.size()) : line;
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: bench_download URL SIGNATURE_FILE [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 3 ? _wtoi(argv[3]) : 3;
    CWin32Platform real(GetModuleHandleW(nullptr));
    CWin32FileSystem files;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"qm-download-bench";
    std::thread window(WindowThread);
    while (!g_hWindow.load())
        Sleep(1);

    CDownloadCallback sink(Notify);
    COnlineSystem online(real.Ports());
    online.keyPath = BENCH_KEY;
    online.runPath = folder;
    online.progressSink = &sink;
    const std::string signature = SignatureValue(files, argv[2]);
    int status = 0;
    for (int round = 0; round < rounds; ++round) {
        DeleteFolderTree(files, folder);
        CreateDirectoryW(folder.c_str(), nullptr);
        online.firmwareUpdateAvailable = 1;
        online.firmwarePackageUrl = argv[1];
        online.onlineFirmwareVersion = MakeFirmwareVersion(0, 1, 30);
        online.firmwareSignature = signature;
        g_notifications = 0;
        const auto start = std::chrono::steady_clock::now();
        const int result = online.DownloadFirmwarePackage();
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
        std::string bytes;
        files.ReadFileBytes(online.packagePath, bytes);
        std::wprintf(L"round %d: %ls, %.3f s, %.1f MB/s, %d progress notifications\n", round + 1,
                     result ? L"ok" : L"FAILED", seconds.count(),
                     static_cast<double>(bytes.size()) / 1e6 / seconds.count(),
                     g_notifications.load());
        status |= result ? 0 : 1;
    }
    online.DiscardFirmwarePackage();
    DeleteFolderTree(files, folder);
    HKEY hParent = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software", 0, KEY_ALL_ACCESS | MACHINE_REGISTRY_VIEW,
                      &hParent) == ERROR_SUCCESS) {
        RegDeleteTreeW(hParent, L"QuillmateBench");
        RegCloseKey(hParent);
    }
    PostMessageW(g_hWindow.load(), WM_QUIT, 0, 0);
    window.join();
    return status;
}
