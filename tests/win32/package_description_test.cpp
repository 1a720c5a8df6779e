#include "engine/firmware_version.h"
#include "engine/win32/win32_file_system.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <optional>
#include <string>

namespace {
class PackageDescription : public testing::Test {
  protected:
    std::wstring folder;
    std::wstring path;
    CWin32FileSystem files;

    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"quillmate-package-test";
        CreateDirectoryW(folder.c_str(), nullptr);
        path = folder + L"\\fw.ini";
        DeleteFileW(path.c_str());
    }
    void TearDown() override {
        DeleteFileW(path.c_str());
        RemoveDirectoryW(folder.c_str());
    }
    void Write(const std::string& bytes) {
        HANDLE file =
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    int Read(FirmwareVersion& version) { return ReadPackageVersion(files, path, version); }
};

TEST_F(PackageDescription, ReadsTheThreeNumbers) {
    Write("[FIRMWARE]\r\nFWTYPE=2\r\nMAJORVER=1\r\nMIDVER=2\r\nMINORVER=3\r\n");
    FirmwareVersion version;
    ASSERT_EQ(Read(version), 1);
    EXPECT_EQ(version.packed, 0x010203);
    EXPECT_EQ(FormatVersion(version), L"2.03");
}

TEST_F(PackageDescription, LineFeedsAndCaseOfKeys) {
    Write("[firmware]\nmajorver=0\nMidVer=3\nMINORVER=456\n");
    FirmwareVersion version;
    ASSERT_EQ(Read(version), 1);
    EXPECT_EQ(FormatVersion(version), L"3.456");
}

TEST_F(PackageDescription, MissingEmptyGarbageOrIncompleteFiles) {
    const std::optional<std::string> contents[] = {
        std::nullopt,
        "",
        std::string("\x00\xff\xfe[\x01\x02MAJORVER\x00=\x80\x81\n\x7f\x00", 16),
        "[FIRMWARE]\nMAJORVER=1\nMIDVER=2\n",
        "[OTHER]\nMAJORVER=1\nMIDVER=2\nMINORVER=3\n",
    };
    for (const auto& content : contents) {
        DeleteFileW(path.c_str());
        if (content)
            Write(*content);
        FirmwareVersion version = MakeFirmwareVersion(7, 7, 7);
        EXPECT_EQ(Read(version), 0);
        EXPECT_EQ(version.packed, 0);
        EXPECT_EQ(version.mid, 0);
    }
}
} // namespace
