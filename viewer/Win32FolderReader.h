#pragma once
// The folder reader of the running program: FindFirstFileA and its kin.
#include "viewer/FileList.h"

class Win32FolderReader : public FolderReader {
public:
    bool ReadFolder(const std::string& folder, std::vector<FolderEntry>& entries) override;
};

// ListFiles on the real file system.
std::vector<std::string> ListFiles(const std::string& folder, bool recursive);
