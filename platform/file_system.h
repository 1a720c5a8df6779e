#pragma once
#include <string>
#include <vector>

// One entry of a folder listing, as the system reports it.
struct FolderEntry {
    std::wstring name;
    bool folder = false;
    bool system = false; // the system attribute
    bool link = false;   // a junction or symbolic link (a reparse point)
};

class IFileSystem {
  public:
    virtual ~IFileSystem() = default;
    // An integer key of an initialisation file; `defaultValue` when the file, section or key
    // is missing.
    virtual int ReadIniInt(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                           int defaultValue) = 0;
    // The process's current folder, shared by all its threads.
    virtual bool GetCurrentFolder(std::wstring& folder) = 0;
    virtual bool SetCurrentFolder(const std::wstring& folder) = 0;
    // Whether a file or folder of that name exists.
    virtual bool FileExists(const std::wstring& path) = 0;
    // Removes a file, also one marked read-only (the program removes only files it made).
    virtual bool RemoveFile(const std::wstring& path) = 0;
    // Removes an empty folder, or a folder link itself (never what it points to).
    virtual bool RemoveFolder(const std::wstring& path) = 0;
    virtual bool MakeFolder(const std::wstring& path) = 0;
    // Makes a folder that only administrators and the system may change (everyone may read);
    // an existing folder counts when it is a real folder, not a link.
    virtual bool MakePrivateFolder(const std::wstring& path) = 0;
    // Renames a file or folder on its volume; an existing target file is replaced.
    virtual bool MoveTo(const std::wstring& source, const std::wstring& target) = 0;
    // Copies one file, replacing an existing target.
    virtual bool CopyFileTo(const std::wstring& source, const std::wstring& target) = 0;
    // The entries that a search pattern ("folder\*.*") finds, "." and ".." included, in the
    // order the system lists them. False when the pattern finds nothing.
    virtual bool ListFolder(const std::wstring& pattern, std::vector<FolderEntry>& entries) = 0;
    // The whole content of a file; false when it cannot be opened or read.
    virtual bool ReadFileBytes(const std::wstring& path, std::string& bytes) = 0;
    // Creates or replaces the file with the bytes.
    virtual bool WriteFileBytes(const std::wstring& path, const std::string& bytes) = 0;
};
