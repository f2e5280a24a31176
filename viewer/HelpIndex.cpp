#include "viewer/HelpIndex.h"

#include <array>

#include "framework/SysUtils.h"

ContentsTree ParseContentsTree(const std::vector<std::string>& lines) {
    ContentsTree tree;
    // Entry 0 stands for the top level; entry i + 1 holds the entry added
    // last at level i, the parent of what a "{" opens under it.
    std::array<int32_t, kContentsDepth + 2> parents;
    parents.fill(-1);
    int32_t current = 0;
    int32_t excess = 0;  // "{" levels opened beyond the ones held
    bool titlePending = false;
    std::string title;
    for (const std::string& raw : lines) {
        std::string line = Trim(raw);
        if (titlePending) {
            ContentsEntry e;
            e.Title = title;
            e.Page = line;
            e.Parent = parents[static_cast<size_t>(current)];
            parents[static_cast<size_t>(current) + 1] = static_cast<int32_t>(tree.Entries.size());
            tree.Entries.push_back(std::move(e));
            tree.Folds.push_back(FoldState::Untouched);
            titlePending = false;
        } else if (line == "}*" || line == "}") {
            if (excess > 0) {
                --excess;
            } else if (current > 0) {
                int32_t node = parents[static_cast<size_t>(current)];
                if (node >= 0) tree.Folds[static_cast<size_t>(node)] = line == "}" ? FoldState::Expanded : FoldState::Collapsed;
                --current;
            }
        } else if (line == "{") {
            if (current < kContentsDepth) ++current;
            else ++excess;
        } else {
            title = line;
            titlePending = true;
        }
    }
    return tree;
}

std::map<int32_t, std::string> ParseContextMap(const std::vector<std::string>& lines) {
    std::map<int32_t, std::string> map;
    for (size_t i = 0; i + 1 < lines.size(); i += 2)
        map[StrToInt(Trim(lines[i]))] = Trim(lines[i + 1]);
    return map;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0, i = 0;
    while (i < text.size()) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}
