// The two language packs as they go into the program: the same keys, all of
// them, and every key the editor's code asks for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "editor/document/LanguageSystem.h"

namespace {
std::string SourceDir() {
    const char* dir = std::getenv("TQ_SOURCE_DIR");
    return dir ? dir : "../../..";
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string PackText(const char* name) { return ReadFile(SourceDir() + "/resources/" + name); }

TLanguageSystem Pack(const char* name) {
    TLanguageSystem table;
    table.parseText(PackText(name));
    return table;
}

std::set<std::string> Keys(const TLanguageSystem& table) {
    std::set<std::string> keys;
    for (const auto& [key, text] : table.texts) keys.insert(key);
    return keys;
}

std::set<std::string> ListedKeys() {
    std::set<std::string> keys;
    std::istringstream in(ReadFile(SourceDir() + "/editor/document/tests/data/pack_keys.txt"));
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) keys.insert(line);
    return keys;
}

size_t CountOf(const std::string& s, char c) { return static_cast<size_t>(std::count(s.begin(), s.end(), c)); }
}  // namespace

TEST(LanguagePacks, BothHoldExactlyTheListedKeys) {
    std::set<std::string> listed = ListedKeys();
    ASSERT_EQ(listed.size(), 309u);
    EXPECT_EQ(Keys(Pack("lang_en.txt")), listed);
    EXPECT_EQ(Keys(Pack("lang_nl.txt")), listed);
}

TEST(LanguagePacks, AreAnsiTextsWithCrLfLineEnds) {
    for (const char* name : {"lang_en.txt", "lang_nl.txt"}) {
        std::string text = PackText(name);
        ASSERT_FALSE(text.empty()) << name;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n') {
                EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << name << " at " << i;
            }
            EXPECT_NE(text[i], '\0') << name;
        }
        EXPECT_TRUE(text.size() < 3 || text.compare(0, 3, "\xEF\xBB\xBF") != 0) << name << " has a UTF-8 mark";
    }
}

TEST(LanguagePacks, TextsAsTheEditorShowsThem) {
    TLanguageSystem en = Pack("lang_en.txt"), nl = Pack("lang_nl.txt");
    struct Case {
        const TLanguageSystem& pack;
        const char* key;
        std::string text;
    } cases[] = {
        {en, "WORD_OK", "Ok"},
        {en, "YES_AMP", "&Yes"},
        {en, "HELPDIR", "help_en\\"},
        {en, "TO", "to"},
        {en, "MenuKeep", "Keep File Size at "},
        {en, "BACKSPACEONCEQ",
         "Backspace once and decrease file size?\n(This question will not be asked when the Insert mode is on)"},
        {en, "FILEERROR", "File Error"},
        {en, "CannotReadFrom", "Cannot read from "},
        {en, "CannotReadAllFrom", "Cannot read all data from "},
        {en, "CannotWriteTo", "Cannot write to "},
        {en, "GOTOSEARCHFOR", "First enter data to search for. Press Ctrl+F to open the \"Search for...\" window."},
        {en, "ALLFILESFILTER", "All files (*.*)|*.*|"},
        {nl, "WORD_OK", "Ok"},
        {nl, "YES_AMP", "&Ja"},
        {nl, "NO_AMP", "&Nee"},
        {nl, "WORD_CANCEL", "Annuleren"},
        {nl, "HELPDIR", "help_nl\\"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.pack.getText(c.key), c.text) << c.key;
    EXPECT_EQ(en.getText("DIALOGSOLUTION").substr(0, 8), "\nAdvice:");
}

TEST(LanguagePacks, DutchKeepsLineBreaksAcceleratorsAndEdgeBlanks) {
    TLanguageSystem en = Pack("lang_en.txt"), nl = Pack("lang_nl.txt");
    for (const auto& [key, english] : en.texts) {
        std::string dutch = nl.getText(key);
        EXPECT_EQ(CountOf(dutch, '\n'), CountOf(english, '\n')) << key;
        EXPECT_EQ(CountOf(dutch, '&'), CountOf(english, '&')) << key;
        EXPECT_EQ(CountOf(dutch, '|'), CountOf(english, '|')) << key;
        EXPECT_EQ(!dutch.empty() && dutch.back() == ' ', !english.empty() && english.back() == ' ') << key;
        EXPECT_EQ(!dutch.empty() && dutch[0] == '\n', !english.empty() && english[0] == '\n') << key;
        EXPECT_FALSE(dutch.empty()) << key;
    }
}

// Every getText("KEY") with a literal key in the editor's code names a key of
// both packs, so that no "NF:" text reaches the screen.
TEST(LanguagePacks, HoldEveryKeyTheCodeAsksFor) {
    std::set<std::string> keys = ListedKeys();
    const std::regex call(R"(getText\(\s*"([^"]*)\"\s*\))");
    int calls = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(SourceDir() + "/editor")) {
        const std::string path = entry.path().generic_string();
        if (!entry.is_regular_file() || path.find("/tests/") != std::string::npos) continue;
        const std::string ext = entry.path().extension().string();
        if (ext != ".cpp" && ext != ".h") continue;
        const std::string text = ReadFile(path);
        for (std::sregex_iterator it(text.begin(), text.end(), call), end; it != end; ++it) {
            ++calls;
            EXPECT_TRUE(keys.count((*it)[1].str())) << (*it)[1].str() << " asked for in " << path;
        }
    }
    SUCCEED() << calls << " literal lookups checked";
}
