#include "online/firmware_swap.h"
#include "online/folder_tree.h"
#include "platform/file_system.h"
#include "platform/text.h"

std::wstring NewFirmwareFolder(const std::wstring& firmwareFolder) {
    return WithoutTrailingBackslash(firmwareFolder) + L".new";
}

std::wstring OldFirmwareFolder(const std::wstring& firmwareFolder) {
    return WithoutTrailingBackslash(firmwareFolder) + L".old";
}

// A copy of the current firmware with the staged files over it, beside the folder.
static bool AssembleNewFolder(IFileSystem& files, const std::wstring& staging,
                              const std::wstring& folder, const std::wstring& fresh) {
    if (files.FileExists(fresh))
        DeleteFolderTree(files, fresh);
    if (!files.MakeFolder(fresh))
        return false;
    return (!files.FileExists(folder) || CopyFolderTree(files, folder, fresh)) &&
           CopyFolderTree(files, staging, fresh);
}

static bool IsWithin(const std::wstring& path, const std::wstring& folder) {
    const std::wstring inner = WithoutTrailingBackslash(path);
    return EqualsNoCase(inner, folder) ||
           (inner.size() > folder.size() && inner[folder.size()] == L'\\' &&
            EqualsNoCase(inner.substr(0, folder.size()), folder));
}

static int SwapFolders(IFileSystem& files, const std::wstring& staging,
                       const std::wstring& folder) {
    const std::wstring fresh = NewFirmwareFolder(folder);
    const std::wstring old = OldFirmwareFolder(folder);
    if (folder.empty() || !AssembleNewFolder(files, staging, folder, fresh) ||
        (files.FileExists(old) && !DeleteFolderTree(files, old))) {
        DeleteFolderTree(files, fresh);
        return 0;
    }
    const bool hadFolder = files.FileExists(folder);
    if (hadFolder && !files.MoveTo(folder, old)) {
        DeleteFolderTree(files, fresh);
        return 0;
    }
    if (!files.MoveTo(fresh, folder)) {
        if (hadFolder)
            files.MoveTo(old, folder);
        DeleteFolderTree(files, fresh);
        return 0;
    }
    // A failure here leaves only the old copy, which the next start removes.
    if (hadFolder)
        DeleteFolderTree(files, old);
    return 1;
}

// The program works inside its firmware folder, and the system refuses to rename a process's
// current folder: the swap steps out to the parent and back into the same path afterwards.
int SwapInFirmware(IFileSystem& files, const std::wstring& staging,
                   const std::wstring& firmwareFolder) {
    const std::wstring folder = WithoutTrailingBackslash(firmwareFolder);
    std::wstring current;
    const size_t slash = folder.rfind(L'\\');
    const bool stepOut = slash != std::wstring::npos && files.GetCurrentFolder(current) &&
                         IsWithin(current, folder) &&
                         files.SetCurrentFolder(folder.substr(0, slash + 1));
    const int swapped = SwapFolders(files, staging, folder);
    if (stepOut)
        files.SetCurrentFolder(current);
    return swapped;
}

bool HasSwapLeftovers(IFileSystem& files, const std::wstring& firmwareFolder) {
    return !firmwareFolder.empty() && (files.FileExists(NewFirmwareFolder(firmwareFolder)) ||
                                       files.FileExists(OldFirmwareFolder(firmwareFolder)));
}

void RecoverFirmwareSwap(IFileSystem& files, const std::wstring& firmwareFolder) {
    const std::wstring folder = WithoutTrailingBackslash(firmwareFolder);
    const std::wstring fresh = NewFirmwareFolder(folder);
    const std::wstring old = OldFirmwareFolder(folder);
    if (folder.empty())
        return;
    // The old folder is renamed away only once the new one is complete.
    if (!files.FileExists(folder) && files.FileExists(old))
        files.MoveTo(files.FileExists(fresh) ? fresh : old, folder);
    if (files.FileExists(fresh))
        DeleteFolderTree(files, fresh);
    if (files.FileExists(old))
        DeleteFolderTree(files, old);
}
