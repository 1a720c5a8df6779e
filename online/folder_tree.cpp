#include "online/folder_tree.h"
#include "platform/file_system.h"
#include "platform/text.h"
#include <vector>

static bool IsDotEntry(const FolderEntry& entry) {
    return entry.name == L"." || entry.name == L"..";
}

int CopyFolderTree(IFileSystem& files, const std::wstring& source, const std::wstring& target) {
    if (source.empty() || target.empty())
        return 0;
    std::vector<FolderEntry> entries;
    if (!files.ListFolder(WithoutTrailingBackslash(source) + L"\\*.*", entries))
        return 0;
    const std::wstring from = WithoutTrailingBackslash(source) + L"\\";
    const std::wstring to = WithoutTrailingBackslash(target) + L"\\";
    for (const FolderEntry& entry : entries) {
        // A junction or symbolic link may point anywhere: it is not followed, nor copied.
        if (IsDotEntry(entry) || entry.link)
            continue;
        if (entry.folder) {
            if (!files.FileExists(to + entry.name))
                files.MakeFolder(to + entry.name);
            if (!CopyFolderTree(files, from + entry.name, to + entry.name))
                return 0;
        } else if (!entry.system && !files.CopyFileTo(from + entry.name, to + entry.name)) {
            return 0;
        }
    }
    return 1;
}

int DeleteFolderTree(IFileSystem& files, const std::wstring& folder) {
    if (folder.empty())
        return 0;
    std::vector<FolderEntry> entries;
    if (!files.ListFolder(WithoutTrailingBackslash(folder) + L"\\*.*", entries))
        return 0;
    const std::wstring base = WithoutTrailingBackslash(folder) + L"\\";
    int result = 1;
    for (const FolderEntry& entry : entries) {
        if (IsDotEntry(entry))
            result = 1;
        else if (entry.folder && entry.link)
            result = files.RemoveFolder(base + entry.name) ? 1 : 0; // the link, not its target
        else if (entry.folder)
            result = DeleteFolderTree(files, base + entry.name);
        else if (!entry.system)
            result = files.RemoveFile(base + entry.name) ? 1 : 0;
        if (result == 0)
            break;
    }
    files.RemoveFolder(WithoutTrailingBackslash(folder));
    return result;
}
