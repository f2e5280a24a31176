#pragma once
// Listing a folder's files, depth first. The folder is read through a small
// interface so the rules (what is skipped, in which order) stay portable.
#include <string>
#include <vector>

struct FolderEntry {
    std::string Name;
    bool IsFolder = false;
    bool Hidden = false;
    bool System = false;
};

class FolderReader {
public:
    virtual ~FolderReader() = default;
    // The entries of the folder (ending in a backslash) in the system's
    // order; false when it cannot be enumerated.
    virtual bool ReadFolder(const std::string& folder, std::vector<FolderEntry>& entries) = 0;
};

// Full paths of the files in folder and, when recursive, in its sub-folders
// in place. Hidden and system entries are skipped; so are "." and "..".
std::vector<std::string> ListFiles(const std::string& folder, bool recursive, FolderReader& reader);
