#pragma once
// Scripted stand-ins for the platform ports, for tests of the portable core.
#include "platform/file_system.h"
#include "platform/settings_store.h"
#include "platform/system_info.h"
#include "platform/version_resource.h"
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

class CFakeSettingsStore : public ISettingsStore {
  public:
    using Key = std::pair<std::wstring, std::wstring>;
    std::map<Key, std::wstring> values;

    void Set(const wchar_t* subKey, const wchar_t* name, const std::wstring& text) {
        values[{subKey, name}] = text;
    }
    bool ReadString(const wchar_t* subKey, const wchar_t* name, std::wstring& text) override {
        const auto found = values.find({subKey, name});
        if (found == values.end())
            return false;
        text = found->second;
        return true;
    }
    bool WriteString(const wchar_t* subKey, const wchar_t* name,
                     const std::wstring& text) override {
        Set(subKey, name, text);
        return true;
    }
};

// A store whose writes of the named values fail.
class CStubbornStore : public CFakeSettingsStore {
  public:
    std::set<std::wstring> readOnly;
    bool WriteString(const wchar_t* subKey, const wchar_t* name,
                     const std::wstring& text) override {
        return readOnly.count(name) == 0 && CFakeSettingsStore::WriteString(subKey, name, text);
    }
};

class CFakeSystemInfo : public ISystemInfo {
  public:
    bool versionAvailable = true;
    VersionRecord version{2, 6, 1};
    bool admin = true;
    uint16_t userLanguage = 1033;
    int adminQueries = 0;

    bool QueryVersion(VersionRecord& record) override {
        if (versionAvailable)
            record = version;
        return versionAvailable;
    }
    bool IsAdminTokenMember() override {
        ++adminQueries;
        return admin;
    }
    uint16_t UserDefaultLanguage() override { return userLanguage; }
    std::wstring commandLine = L"\"C:\\Inst\\quillmate.exe\" -silent";
    std::wstring CommandLine() override { return commandLine; }
};

// Initialisation files as a map of path -> section -> key -> value.
class CFakeFileSystem : public IFileSystem {
  public:
    std::map<std::wstring, std::map<std::wstring, std::map<std::wstring, int>>> ini;

    int ReadIniInt(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                   int defaultValue) override {
        const auto file = ini.find(path);
        if (file == ini.end())
            return defaultValue;
        const auto sec = file->second.find(section);
        if (sec == file->second.end())
            return defaultValue;
        const auto value = sec->second.find(key);
        return value == sec->second.end() ? defaultValue : value->second;
    }

    std::wstring currentFolder = L"C:\\Start";
    std::vector<std::wstring> folderChanges;
    bool GetCurrentFolder(std::wstring& folder) override {
        folder = currentFolder;
        return true;
    }
    bool SetCurrentFolder(const std::wstring& folder) override {
        folderChanges.push_back(folder);
        currentFolder = folder;
        return true;
    }
    // Files and folders: none here (tests of file handling use the fake disk).
    bool FileExists(const std::wstring&) override { return false; }
    bool RemoveFile(const std::wstring&) override { return false; }
    bool RemoveFolder(const std::wstring&) override { return false; }
    bool MakeFolder(const std::wstring&) override { return false; }
    bool MakePrivateFolder(const std::wstring&) override { return false; }
    bool MoveTo(const std::wstring&, const std::wstring&) override { return false; }
    bool CopyFileTo(const std::wstring&, const std::wstring&) override { return false; }
    bool ListFolder(const std::wstring&, std::vector<FolderEntry>&) override { return false; }
    bool ReadFileBytes(const std::wstring&, std::string&) override { return false; }
    bool WriteFileBytes(const std::wstring&, const std::string&) override { return false; }
};

// A version resource whose queries answer from a map of sub-block -> value.
class CFakeVersionResource : public IVersionResource {
  public:
    bool loadable = true;
    std::map<std::wstring, std::vector<uint8_t>> binary;
    std::map<std::wstring, std::wstring> strings;
    std::vector<std::wstring> stringQueries;

    bool ReadModuleResource(const wchar_t*, std::vector<uint8_t>& resource) override {
        if (loadable)
            resource.assign(16, 0xAB);
        return loadable;
    }
    bool QueryBinary(const std::vector<uint8_t>&, const std::wstring& subBlock,
                     std::vector<uint8_t>& value) override {
        const auto found = binary.find(subBlock);
        if (found == binary.end())
            return false;
        value = found->second;
        return true;
    }
    bool QueryString(const std::vector<uint8_t>&, const std::wstring& subBlock,
                     std::wstring& value) override {
        stringQueries.push_back(subBlock);
        const auto found = strings.find(subBlock);
        if (found == strings.end())
            return false;
        value = found->second;
        return true;
    }
};
