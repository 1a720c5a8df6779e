#pragma once
#include <string>

class IFileSystem;

// Copies the files and sub-folders of `source` into `target`, replacing existing files; files
// with the system attribute, junctions and symbolic links are left out. 1 when everything was
// copied, 0 on the first failure or when the source lists nothing.
int CopyFolderTree(IFileSystem& files, const std::wstring& source, const std::wstring& target);
// Deletes the folder with everything in it except files with the system attribute, which stay
// (and with them the folders that hold them). A folder link is removed itself, never entered. 0
// when the folder lists nothing or a deletion failed; the walk stops at that point.
int DeleteFolderTree(IFileSystem& files, const std::wstring& folder);
