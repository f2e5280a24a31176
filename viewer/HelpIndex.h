#pragma once
// The two index files of the manual: "helptree.txt", the contents tree (a
// title line followed by its page line, "{" opening a level under the entry
// added last, "}" closing it expanded and "}*" closing it collapsed), and
// "helpmap.txt", pairs of lines mapping a help context number to a page.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct ContentsEntry {
    std::string Title;
    std::string Page;
    int32_t Parent = -1;  // index of the parent entry; -1 at the top level
};

enum class FoldState { Untouched, Expanded, Collapsed };

struct ContentsTree {
    std::vector<ContentsEntry> Entries;  // in file order; an entry's index is its page index
    std::vector<FoldState> Folds;        // same indexes; the last "}" or "}*" for that entry wins
};

// Levels the tree holds: a title may stand inside at most this many open "{".
constexpr int32_t kContentsDepth = 8;

// Lines are trimmed of blanks and control characters. A "{" beyond the
// levels held, and every "}" that closes nothing, are ignored (with their
// matching closers), so a damaged file never reaches outside the tree.
ContentsTree ParseContentsTree(const std::vector<std::string>& lines);

// Lines in pairs (number, page), each trimmed; blank lines count; an unpaired
// last line is ignored; a later pair replaces an earlier one of the same
// number. A number line that is not decimal raises EConvertError.
std::map<int32_t, std::string> ParseContextMap(const std::vector<std::string>& lines);

// The lines of a text split at CR, LF or CR LF (as the string list reads files).
std::vector<std::string> SplitLines(const std::string& text);
