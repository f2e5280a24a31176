#include "viewer/FileList.h"

namespace {

// A folder link that points back up the tree would otherwise recurse until
// the stack runs out; no help folder is nested anywhere near this deep.
constexpr int kMaxDepth = 64;

void ListInto(std::string folder, bool recursive, FolderReader& reader, int depth,
              std::vector<std::string>& out) {
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    std::vector<FolderEntry> entries;
    if (!reader.ReadFolder(folder, entries)) return;
    for (const FolderEntry& e : entries) {
        if (e.Hidden || e.System || e.Name == "." || e.Name == "..") continue;
        if (!e.IsFolder)
            out.push_back(folder + e.Name);
        else if (recursive && depth < kMaxDepth)
            ListInto(folder + e.Name, recursive, reader, depth + 1, out);
    }
}

}  // namespace

std::vector<std::string> ListFiles(const std::string& folder, bool recursive, FolderReader& reader) {
    std::vector<std::string> out;
    ListInto(folder, recursive, reader, 0, out);
    return out;
}
