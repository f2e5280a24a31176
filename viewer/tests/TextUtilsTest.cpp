#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "viewer/FileList.h"
#include "viewer/PageTextDecoder.h"
#include "viewer/SearchScore.h"
#include "viewer/Sentence.h"
#include "viewer/TextSearch.h"

namespace {

using V = std::vector<std::string>;

TEST(Sentence, PiecesKeepTheirDelimiter) {
    struct Case {
        const char* text;
        V pieces;
    } cases[] = {
        {"", {""}},
        {"a b", {"a ", "b"}},
        {"a ", {"a ", ""}},
        {" a", {" ", "a"}},
        {"a  b", {"a ", " ", "b"}},
        {"one two three", {"one ", "two ", "three"}},
    };
    for (const Case& c : cases) {
        Sentence s;
        s.Split(c.text, BlankDelimiters());
        EXPECT_EQ(s.Pieces, c.pieces) << c.text;
        EXPECT_EQ(s.Count(), static_cast<int32_t>(c.pieces.size()));
    }
}

TEST(Sentence, EmptyBeforeSplitAndWordsTrimmed) {
    Sentence s;
    EXPECT_EQ(s.Count(), 0);
    DelimiterSet commas;
    commas.set(',');
    s.Split("x, y\t,z", commas);
    EXPECT_EQ(s.Pieces, (V{"x,", " y\t,", "z"}));
    EXPECT_EQ(s.Word(1), "y\t,");
    EXPECT_EQ(s.Word(5), "");
    Sentence copy = s;
    s.Split("", commas);
    EXPECT_EQ(copy.Count(), 3);
}

TEST(TextSearch, FindTextIgnoresCaseOfAsciiLettersOnly) {
    struct Case {
        const char* text;
        const char* word;
        int32_t at;
    } cases[] = {
        {"Hello World", "world", 7}, {"Hello World", "HELLO", 1}, {"abc", "", 0},
        {"abc", "abcd", 0},          {"xxab", "abc", 0},          {"\xC9t\xE9", "\xE9", 3},
        {"\xC9t\xE9", "\xC9T", 1},   {"[x]", "{X}", 0},           {"", "a", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(FindText(c.text, c.word), c.at) << c.text << " / " << c.word;
}

TEST(TextSearch, CountsNonOverlappingOccurrences) {
    struct Case {
        const char* text;
        const char* word;
        int32_t count;
    } cases[] = {
        {"abab", "ab", 2},   {"aaa", "aa", 1},       {"xyzABC", "abc", 1},
        {"abc", "", 0},      {"ab ab AB aB", "ab", 4}, {"aaaa", "aa", 2},
    };
    for (const Case& c : cases) EXPECT_EQ(CountOccurrences(c.text, c.word), c.count) << c.text;
}

TEST(TextSearch, CopyFromPosition) {
    EXPECT_EQ(CopyFrom("abcdef", 3), "cdef");
    EXPECT_EQ(CopyFrom("abcdef", 1), "abcdef");
    EXPECT_EQ(CopyFrom("abcdef", 7), "");
    EXPECT_EQ(CopyFrom("abcdef", 100), "");
}

TEST(SearchScore, WeighsTitleHitsAndNeverGivesNaN) {
    EXPECT_DOUBLE_EQ(SearchScore(4, 1, 2, 100), (2.0 * 20 + 0.5 * 100) / 100);
    double empty = SearchScore(0, 3, 1, 0);
    EXPECT_TRUE(std::isinf(empty) && empty > 0);
    EXPECT_FALSE(std::isnan(SearchScore(0, 0, 1, 0)));
}

TEST(PageTextDecoder, BlanksAndEntities) {
    struct Case {
        const char* raw;
        const char* shown;
    } cases[] = {
        {"a &lt;b&gt; &amp; c", "a <b> & c"},
        {"x&nbsp;y", "x&nbsp;y"},
        {"& b", "& b"},
        {"AT&T", "AT&T"},  // still open when the text ends
        {"a  \r\n\t b", "a b"},
        {"  ", " "},
        {"&lt", "&lt"},
        {"&lt&gt;", "&lt>"},
        {"&1;", "&1;"},
        {"&&amp;", "&&"},
        {"a&\n\n b", "a& b"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(DecodePageText(c.raw), c.shown) << c.raw;
}

// A folder tree in memory: folder path -> entries; a folder not in the map
// cannot be enumerated.
class FakeFolders : public FolderReader {
public:
    bool ReadFolder(const std::string& folder, std::vector<FolderEntry>& entries) override {
        Read.push_back(folder);
        auto found = Tree.find(folder);
        if (found == Tree.end()) return false;
        entries = found->second;
        return true;
    }
    std::map<std::string, std::vector<FolderEntry>> Tree;
    V Read;
};

FolderEntry File(const char* name, bool hidden = false, bool system = false) {
    return {name, false, hidden, system};
}
FolderEntry Folder(const char* name, bool hidden = false) { return {name, true, hidden, false}; }

TEST(ListFiles, SkipsHiddenAndSystemEntriesAndListsSubFoldersInPlace) {
    FakeFolders fs;
    fs.Tree["C:\\help\\"] = {Folder("."), Folder(".."), File("b.htm"), Folder("sub"), File("hidden.htm", true),
                             File("sys.dat", false, true), Folder("secret", true), File("a.htm")};
    fs.Tree["C:\\help\\sub\\"] = {File("inner.png"), Folder("deeper")};
    fs.Tree["C:\\help\\sub\\deeper\\"] = {File("x.txt")};
    fs.Tree["C:\\help\\secret\\"] = {File("no.htm")};

    EXPECT_EQ(ListFiles("C:\\help", true, fs),
              (V{"C:\\help\\b.htm", "C:\\help\\sub\\inner.png", "C:\\help\\sub\\deeper\\x.txt", "C:\\help\\a.htm"}));
    EXPECT_EQ(ListFiles("C:\\help\\", false, fs), (V{"C:\\help\\b.htm", "C:\\help\\a.htm"}));
    EXPECT_TRUE(ListFiles("C:\\nowhere", true, fs).empty());
}

TEST(ListFiles, FolderLinkedToItselfEnds) {
    FakeFolders fs;
    fs.Tree["C:\\loop\\"] = {File("a.htm"), Folder("loop")};
    // Every nested name resolves to the same entries, as a link back up would.
    std::string folder = "C:\\loop\\";
    for (int i = 0; i < 100; ++i) {
        folder += "loop\\";
        fs.Tree[folder] = fs.Tree["C:\\loop\\"];
    }
    V files = ListFiles("C:\\loop", true, fs);
    EXPECT_GT(files.size(), 1u);
    EXPECT_LT(files.size(), 100u);
}

}  // namespace
