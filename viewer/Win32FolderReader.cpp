#include "viewer/Win32FolderReader.h"

#include <windows.h>

bool Win32FolderReader::ReadFolder(const std::string& folder, std::vector<FolderEntry>& entries) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    do {
        FolderEntry e;
        e.Name = data.cFileName;
        e.IsFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        e.Hidden = (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
        e.System = (data.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
        entries.push_back(std::move(e));
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return true;
}

std::vector<std::string> ListFiles(const std::string& folder, bool recursive) {
    Win32FolderReader reader;
    return ListFiles(folder, recursive, reader);
}
