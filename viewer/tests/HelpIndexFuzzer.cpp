// The manual's index files are read as they come: any bytes must give a tree
// whose parents lie before their children and a map, or a conversion error.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/Exceptions.h"
#include "viewer/HelpIndex.h"
#include "viewer/HelpSearch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines = SplitLines(text);
    ContentsTree tree = ParseContentsTree(lines);
    if (tree.Entries.size() != tree.Folds.size()) std::abort();
    for (size_t i = 0; i < tree.Entries.size(); ++i) {
        int32_t parent = tree.Entries[i].Parent;
        if (parent < -1 || parent >= static_cast<int32_t>(i)) std::abort();
    }
    try {
        ParseContextMap(lines);
    } catch (const EConvertError&) {
    }
    QueryWords(text);
    return 0;
}
