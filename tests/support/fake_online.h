#pragma once
// Scripted stand-ins for the ports of the online service: a disk in memory, a scripted Internet,
// program starts, the shell and the clock, wired into one Platform.
#include "platform/internet.h"
#include "platform/platform.h"
#include "platform/processes.h"
#include "platform/shell.h"
#include "platform/signature_verifier.h"
#include "tests/support/fake_engine.h"
#include "tests/support/fakes.h"
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

// Files and folders by full path ("C:\a\b"); folders are made for every file's ancestors.
class CFakeDisk : public CFakeFileSystem {
  public:
    struct File {
        std::string content;
        bool system = false;
    };
    std::map<std::wstring, File> files;
    std::set<std::wstring> folders;
    std::set<std::wstring> undeletable;
    std::set<std::wstring> readOnly;       // files that a copy cannot replace
    std::set<std::wstring> links;          // folders that are junctions
    std::set<std::wstring> privateFolders; // made by MakePrivateFolder
    std::set<std::wstring> unmovable;      // sources whose rename fails

    static std::wstring Parent(const std::wstring& path) {
        const size_t slash = path.rfind(L'\\');
        return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
    }
    void AddFolder(const std::wstring& path) {
        for (std::wstring folder = path; folder.size() > 2; folder = Parent(folder))
            folders.insert(folder);
    }
    void AddFile(const std::wstring& path, const std::string& content, bool system = false) {
        AddFolder(Parent(path));
        files[path] = {content, system};
    }
    bool HasFile(const std::wstring& path) const { return files.count(path) != 0; }
    std::string Content(const std::wstring& path) const {
        const auto found = files.find(path);
        return found == files.end() ? std::string() : found->second.content;
    }
    // Everything inside the folder, for comparisons of whole trees.
    std::vector<std::wstring> Tree(const std::wstring& folder) const {
        std::vector<std::wstring> tree;
        const std::wstring prefix = folder + L"\\";
        for (const auto& [path, file] : files) {
            if (path.rfind(prefix, 0) == 0)
                tree.push_back(path.substr(prefix.size()));
        }
        return tree;
    }

    int ReadIniInt(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                   int defaultValue) override;
    bool FileExists(const std::wstring& path) override {
        return files.count(path) != 0 || folders.count(path) != 0;
    }
    bool RemoveFile(const std::wstring& path) override {
        readOnly.erase(path);
        return undeletable.count(path) == 0 && files.erase(path) != 0;
    }
    bool RemoveFolder(const std::wstring& path) override {
        if (folders.count(path) == 0 || (links.count(path) == 0 && !Children(path).empty()))
            return false;
        folders.erase(path);
        links.erase(path);
        return true;
    }
    bool MakePrivateFolder(const std::wstring& path) override {
        if (folders.count(path))
            return links.count(path) == 0;
        if (!MakeFolder(path))
            return false;
        privateFolders.insert(path);
        return true;
    }
    // Files and folders move with everything below them. The system holds the process's
    // current folder open, so neither it nor a folder around it can be renamed.
    bool MoveTo(const std::wstring& source, const std::wstring& target) override {
        const bool holdsCurrent =
            currentFolder == source || currentFolder.rfind(source + L"\\", 0) == 0;
        if (unmovable.count(source) || holdsCurrent || !FileExists(source) ||
            folders.count(target) || folders.count(Parent(target)) == 0)
            return false;
        files.erase(target);
        MoveEntries(files, source, target);
        MoveEntries(folders, source, target);
        return true;
    }
    bool WriteFileBytes(const std::wstring& path, const std::string& bytes) override {
        if (folders.count(Parent(path)) == 0 || folders.count(path) || readOnly.count(path))
            return false;
        files[path] = {bytes, false};
        return true;
    }
    bool MakeFolder(const std::wstring& path) override {
        if (FileExists(path) || folders.count(Parent(path)) == 0)
            return false;
        folders.insert(path);
        return true;
    }
    bool CopyFileTo(const std::wstring& source, const std::wstring& target) override {
        const auto found = files.find(source);
        if (found == files.end() || folders.count(Parent(target)) == 0 || folders.count(target) ||
            readOnly.count(target))
            return false;
        if (readOnly.count(source))
            readOnly.insert(target); // a copy keeps the attribute
        files[target] = {found->second.content, false};
        return true;
    }
    bool ListFolder(const std::wstring& pattern, std::vector<FolderEntry>& entries) override {
        const std::wstring suffix = L"\\*.*";
        if (pattern.size() < suffix.size() ||
            pattern.compare(pattern.size() - suffix.size(), suffix.size(), suffix) != 0)
            return false;
        const std::wstring folder = pattern.substr(0, pattern.size() - suffix.size());
        if (folders.count(folder) == 0)
            return false;
        entries = {{L".", true, false}, {L"..", true, false}};
        for (const FolderEntry& child : Children(folder))
            entries.push_back(child);
        return true;
    }
    bool ReadFileBytes(const std::wstring& path, std::string& bytes) override {
        const auto found = files.find(path);
        if (found == files.end())
            return false;
        bytes = found->second.content;
        return true;
    }

  private:
    template <class Container>
    static void MoveEntries(Container& entries, const std::wstring& source,
                            const std::wstring& target) {
        Container moved;
        for (auto it = entries.begin(); it != entries.end();) {
            const std::wstring& path = Key(*it);
            if (path == source || path.rfind(source + L"\\", 0) == 0) {
                moved.insert(Rekey(*it, target + path.substr(source.size())));
                it = entries.erase(it);
            } else {
                ++it;
            }
        }
        for (auto& entry : moved)
            entries.insert(entry);
    }
    static const std::wstring& Key(const std::wstring& path) { return path; }
    static const std::wstring& Key(const std::pair<const std::wstring, File>& entry) {
        return entry.first;
    }
    static std::wstring Rekey(const std::wstring&, const std::wstring& path) { return path; }
    static std::pair<const std::wstring, File> Rekey(const std::pair<const std::wstring, File>& e,
                                                     const std::wstring& path) {
        return {path, e.second};
    }
    std::vector<FolderEntry> Children(const std::wstring& folder) const {
        std::vector<FolderEntry> children;
        for (const std::wstring& path : folders) {
            if (Parent(path) == folder)
                children.push_back(
                    {path.substr(folder.size() + 1), true, false, links.count(path) != 0});
        }
        for (const auto& [path, file] : files) {
            if (Parent(path) == folder)
                children.push_back({path.substr(folder.size() + 1), false, file.system});
        }
        return children;
    }
};

// Addresses answer from a table; bodies land on the fake disk.
class CFakeInternet : public IInternet {
  public:
    struct Resource {
        int status = 200;
        std::string body;
        int64_t contentLength = -2; // -2: the body's length; -1: none announced
        size_t dropAfter = std::string::npos;
        // When the body's pieces arrive, in milliseconds after the request; a piece of 64 KiB
        // each, the last ones at the last time given. Empty: all at once, at 0.
        std::vector<uint32_t> pieceTimes = {};
        size_t pieceSize = 65536;
    };
    explicit CFakeInternet(CFakeDisk& disk) : m_disk(disk) {}

    bool connected = true;
    std::deque<bool> connectedAnswers; // answered first, then `connected`
    bool sessionAvailable = true;
    std::map<std::wstring, Resource> resources;
    std::vector<std::wstring> opened;
    std::vector<std::wstring> discarded;
    int connectedQueries = 0;
    int sessions = 0;
    std::vector<uint32_t> sessionWaits;

    void Serve(const std::wstring& address, const std::string& body, int status = 200) {
        resources[address] = Resource{status, body};
    }

    bool IsConnected() override {
        ++connectedQueries;
        if (connectedAnswers.empty())
            return connected;
        const bool answer = connectedAnswers.front();
        connectedAnswers.pop_front();
        return answer;
    }
    void DiscardCacheEntry(const std::wstring& address) override { discarded.push_back(address); }
    std::unique_ptr<IInternetSession> OpenSession(uint32_t waitMs) override;

  private:
    CFakeDisk& m_disk;
};

class CFakeProcesses : public IProcesses {
  public:
    explicit CFakeProcesses(CFakeDisk* disk = nullptr) : m_disk(disk) {}

    bool startable = true;
    // What a waited-for program does; without it the program ends at once with code 0.
    std::function<void(const std::wstring& commandLine, int32_t& exitCode)> onRun;
    // Runs as "program|arguments"; a run reads the program's bytes from the disk.
    std::vector<std::wstring> runs;
    std::vector<std::string> checkedBytes;
    std::vector<std::wstring> starts;
    std::vector<std::pair<std::wstring, int>> shownStarts;

    RunOutcome RunChecked(const std::wstring& program, const std::wstring& arguments,
                          const ProgramCheck& check, int32_t& exitCode) override {
        runs.push_back(program + L"|" + arguments);
        std::string bytes;
        if (m_disk && !m_disk->ReadFileBytes(program, bytes))
            return RunOutcome::NOT_STARTED;
        checkedBytes.push_back(bytes);
        if (!check(bytes))
            return RunOutcome::REFUSED;
        if (!startable)
            return RunOutcome::NOT_STARTED;
        if (onRun)
            onRun(program + arguments, exitCode);
        else
            exitCode = 0;
        return RunOutcome::FINISHED;
    }
    bool Start(const std::wstring& commandLine) override {
        starts.push_back(commandLine);
        return startable;
    }
    bool StartShown(const std::wstring& commandLine, int showCommand) override {
        shownStarts.emplace_back(commandLine, showCommand);
        return startable;
    }

  private:
    CFakeDisk* m_disk;
};

// A key of its own: the signature of a message is a digest of it, 256 bytes long.
class CFakeSignatures : public ISignatureVerifier {
  public:
    bool hasKey = false; // as in a build without a key, unless a test gives it one
    int verifications = 0;
    static std::string SignatureOf(const std::string& message);
    // The base64 text of SignatureOf(message).
    static std::string Base64SignatureOf(const std::string& message);
    bool HasKey() override { return hasKey; }
    bool Verify(const std::string& message, const std::string& signature) override {
        ++verifications;
        return signature == SignatureOf(message);
    }
};

std::string EncodeBase64(const std::string& bytes);

class CFakeShell : public IShell {
  public:
    int openResult = 42;
    bool expandable = true;
    std::map<std::wstring, std::wstring> environment;
    std::vector<std::wstring> opens;

    int Open(const std::wstring& text, int) override {
        opens.push_back(text);
        return openResult;
    }
    bool ExpandEnvironment(const std::wstring& text, std::wstring& expanded) override {
        if (!expandable)
            return false;
        expanded = text;
        for (const auto& [name, value] : environment) {
            const std::wstring reference = L"%" + name + L"%";
            for (size_t at; (at = expanded.find(reference)) != std::wstring::npos;)
                expanded.replace(at, reference.size(), value);
        }
        return true;
    }
};

// One model's world: its registry key with the installer's values, the disk and the network.
struct COnlineWorld {
    static constexpr const wchar_t* RUN_PATH = L"C:\\Quillmate";
    static constexpr const wchar_t* FIRMWARE_FOLDER = L"C:\\Quillmate\\Firmware\\PULO5";
    static constexpr const wchar_t* INFO_PATH = L"C:\\Quillmate\\Firmware\\PULO5\\fw.ini";
    static constexpr const wchar_t* STAGING = L"C:\\Quillmate\\TempPULO5";
    static constexpr const wchar_t* PACKAGES = L"C:\\Quillmate\\Downloads";

    CFakeSettingsStore machine;
    CFakeSettingsStore user;
    CFakeSettingsStore classes;
    CFakeDisk disk;
    CFakeInternet internet{disk};
    CFakeProcesses processes{&disk};
    CFakeShell shell;
    CFakeClock clock;
    CFakeMutexes mutexes;
    CFakeSignatures signatures;
    CFakeSystemInfo system;
    CFakeUpgradeLibrary library; // the ANSI code page
    Platform platform;
    std::wstring key;

    explicit COnlineWorld(const wchar_t* keyPath);
    void Set(const wchar_t* name, const std::wstring& text) {
        machine.Set(key.c_str(), name, text);
    }
    void Remove(const wchar_t* name) { machine.values.erase({key, name}); }
    std::wstring Value(const wchar_t* name) const;
    bool Has(const wchar_t* name) const { return machine.values.count({key, name}) != 0; }
    // A package description of the given version.
    static std::string Description(int major, int mid, int minor);
};
