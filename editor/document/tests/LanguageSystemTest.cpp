#include <gtest/gtest.h>

#include "editor/document/LanguageSystem.h"
#include "framework/StringList.h"

namespace {
TLanguageSystem Parsed(const std::string& pack) {
    TLanguageSystem table;
    table.parseText(pack);
    return table;
}

class FakeSettings : public TLanguageSettings {
public:
    std::string registry;
    bool hasIni = false;
    std::string ini;
    int iniReads = 0;
    std::string registryLanguage() override { return registry; }
    std::string iniLanguage(const std::string& def) override {
        ++iniReads;
        return hasIni ? ini : def;
    }
};
}  // namespace

TEST(LanguageSystem, ParsesEntriesEscapesAndPieces) {
    struct Case {
        const char* line;
        const char* key;
        const char* text;
    } cases[] = {
        {"#define WORD_OK            \"Ok\"", "WORD_OK", "Ok"},
        {"#define HELPDIR \"help_en\\\\\"", "HELPDIR", "help_en\\"},
        {"#define Q \"say \\\"hi\\\"\"", "Q", "say \"hi\""},
        {"#define NL \"one\\ntwo\"", "NL", "one\ntwo"},
        {"#define J \"a\" junk \"b\" tail", "J", "ab"},
        {"#define E \"\"", "E", ""},
        {"#define K  \t \"padded\"  \t", "K", "padded"},
        {"#define X \"other \\q escape\"", "X", "other q escape"},
        {"#define U \"unterminated", "U", "unterminated"},
        {"#define T \"keeps trailing \" ", "T", "keeps trailing "},
    };
    for (const Case& c : cases) {
        TLanguageSystem table = Parsed(c.line);
        ASSERT_EQ(table.texts.size(), 1u) << c.line;
        EXPECT_EQ(table.texts.begin()->first, c.key) << c.line;
        EXPECT_EQ(table.getText(c.key), c.text) << c.line;
    }
}

TEST(LanguageSystem, IgnoresLinesThatCarryNoEntry) {
    TLanguageSystem table = Parsed(
        "// a comment\r\n"
        " #define INDENTED \"no\"\r\n"
        "#DEFINE UPPER \"no\"\r\n"
        "#define NOBLANKAFTERKEY\r\n"
        "\r\n"
        "/*\r\n"
        "#define INCOMMENT \"still read\"\r\n"
        "*/\r\n");
    ASSERT_EQ(table.texts.size(), 1u);
    EXPECT_EQ(table.getText("INCOMMENT"), "still read");
}

TEST(LanguageSystem, ContinuationJoinsTrimmedLines) {
    TLanguageSystem table = Parsed(
        "#define LONG \"first \" \\\r\n"
        "      \"second\\n\"   \\\n"
        "\t\"third\"  \r\n"
        "#define NEXT \"n\"\r\n"
        "#define LAST \"end\" \\");
    EXPECT_EQ(table.getText("LONG"), "first second\nthird");
    EXPECT_EQ(table.getText("NEXT"), "n");
    EXPECT_EQ(table.getText("LAST"), "end");
}

TEST(LanguageSystem, LaterEntriesWinAndKeysAreCaseSensitive) {
    TLanguageSystem table = Parsed("#define TO \"to\"\n#define MENUHELP \"Help\"\n#define TO \"till\"\n");
    EXPECT_EQ(table.getText("TO"), "till");
    EXPECT_EQ(table.getText("MENUHELP"), "Help");
    EXPECT_EQ(table.getText("MenuHelp"), "NF:MenuHelp");
    EXPECT_EQ(table.getText("MenuFile"), "NF:MenuFile");
}

TEST(LanguageSystem, ASecondPackReplacesTextsAndKeepsTheOthers) {
    TLanguageSystem table = Parsed("#define A \"one\"\n#define ONLYEN \"english\"\n");
    table.parseText("#define A \"een\"\n");
    EXPECT_EQ(table.getText("A"), "een");
    EXPECT_EQ(table.getText("ONLYEN"), "english");
    table.code = "NL";
    table.clear();
    EXPECT_EQ(table.getText("A"), "NF:A");
    EXPECT_EQ(table.code, "NL");
}

TEST(LanguageSystem, TextsEndAtTheirFirstZeroByte) {
    TLanguageSystem table;
    table.setText("Z", std::string("ab\0cd", 5));
    EXPECT_EQ(table.getText("Z"), "ab");
}

TEST(LanguageSystem, PackIdsByCode) {
    EXPECT_EQ(TLanguageSystem::packResourceId("NL"), 121);
    EXPECT_EQ(TLanguageSystem::packResourceId("EN"), 120);
    EXPECT_EQ(TLanguageSystem::packResourceId("nl"), 120);  // exact code only
    EXPECT_EQ(TLanguageSystem::packResourceId(""), 120);
}

TEST(LanguageSystem, CodeComesFromTheRegistryThenTheIniFileThenEnglish) {
    FakeSettings none;
    EXPECT_EQ(ResolveLanguageCode(none), "EN");

    FakeSettings registry;
    registry.registry = "NL";
    registry.hasIni = true;
    registry.ini = "EN";
    EXPECT_EQ(ResolveLanguageCode(registry), "NL");
    EXPECT_EQ(registry.iniReads, 0);  // the ini file is not read

    FakeSettings ini;
    ini.hasIni = true;
    ini.ini = "NL";
    EXPECT_EQ(ResolveLanguageCode(ini), "NL");

    FakeSettings other;
    other.registry = "DE";  // taken as it is; loading it gives English
    EXPECT_EQ(ResolveLanguageCode(other), "DE");
}
