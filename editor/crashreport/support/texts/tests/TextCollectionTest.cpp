#include <gtest/gtest.h>

#include <map>

#include "editor/crashreport/support/texts/TextCollection.h"

namespace {

// An ini file in memory that behaves as the system's profile functions do:
// a value read back loses one pair of enclosing double quotes.
class MemoryProfile : public TProfileStore {
public:
    std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& def) override
    {
        auto it = Values.find(file + "|" + section + "|" + key);
        if (it == Values.end())
            return def;
        const std::string& v = it->second;
        if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
            return v.substr(1, v.size() - 2);
        return v;
    }
    void WriteString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override
    {
        Values[file + "|" + section + "|" + key] = value;
    }
    std::map<std::string, std::string> Values;
};

const std::string kFile = "texts.ini";
std::string Key(const std::string& key) { return kFile + "|Exception Log|" + key; }

} // namespace

TEST(MessageTypes, IdsNamesAndDefaultsLineUp)
{
    EXPECT_EQ(MessageTypeCount, 158);
    EXPECT_EQ(mtInvalidEmailMsg, 157);
    EXPECT_EQ(mtLog_AppHeader, 37);
    EXPECT_EQ(mtReproduceDialog_Caption, 123);
    EXPECT_EQ(MessageTypeName(mtDialog_Caption), "mtDialog_Caption");
    EXPECT_EQ(MessageTypeFromName("mtCPU_MemoryDump"), mtCPU_MemoryDump);
    EXPECT_EQ(MessageTypeFromName("mtNothing"), -1);
    EXPECT_EQ(DefaultMessageText(mtDialog_Caption), "Error occurred");
    EXPECT_EQ(DefaultMessageText(mtSend_BugClosedMsg),
              "These BUG is just closed.\r\nContact the program support to obtain an update.");
    EXPECT_EQ(DefaultMessageText(mtException_AntiFreeze), "The application seems to be frozen.");
    EXPECT_EQ(DefaultMessageText(158), "");
    EXPECT_EQ(MessageTypeName(-1), "");
    for (int id = 0; id < MessageTypeCount; ++id) {
        EXPECT_EQ(MessageTypeFromName(MessageTypeName(id)), id) << id;
        if (id != mtReserved) {
            EXPECT_FALSE(DefaultMessageText(id).empty()) << id;
        }
    }
}

TEST(TextCollection, SavedDefaultsLoadBackWhole)
{
    MemoryProfile file;
    SaveCustomizedTextsToFile(file, DefaultCustomizedTexts(), kFile);
    EXPECT_EQ(file.Values[Key("Count mtDialog_ErrorMsgCaption")], "2");
    EXPECT_EQ(file.Values[Key("mtDialog_ErrorMsgCaption1")],
              "\"Please read the following information for further details.\"");
    EXPECT_EQ(file.Values[Key("Count mtDialog_Caption")], "1");
    EXPECT_EQ(file.Values[Key("mtDialog_Caption0")], "\"Error occurred\"");

    TCustomizedTexts loaded;
    loaded.fill("stale");
    LoadCustomizedTextsFromFile(file, loaded, kFile);
    EXPECT_EQ(loaded, DefaultCustomizedTexts());
}

TEST(TextCollection, QuotedBlankAndEmptyLinesSurviveARoundTrip)
{
    MemoryProfile file;
    TCustomizedTexts texts = DefaultCustomizedTexts();
    texts[mtDialog_Caption] = "\"quoted\"";
    texts[mtDialog_GeneralCaption] = "  padded  \r\n\r\nlast";
    texts[mtDialog_CPUCaption] = "";
    SaveCustomizedTextsToFile(file, texts, kFile);
    TCustomizedTexts loaded = DefaultCustomizedTexts();
    LoadCustomizedTextsFromFile(file, loaded, kFile);
    EXPECT_EQ(loaded[mtDialog_Caption], "\"quoted\"");
    EXPECT_EQ(loaded[mtDialog_GeneralCaption], "  padded  \r\n\r\nlast");
    EXPECT_EQ(loaded[mtDialog_CPUCaption], "");
}

TEST(TextCollection, MissingOrDamagedEntriesFallBackToTheCurrentText)
{
    struct Case { const char* count; std::map<std::string, std::string> lines; const char* expected; };
    const Case cases[] = {
        {nullptr, {}, "current"},                           // no count key
        {"0", {{"L0", "x"}}, "current"},                    // count 0
        {"-3", {}, "current"},
        {"two", {{"L0", "x"}}, "current"},                  // not a number
        {"2", {{"L0", "\"a\""}}, "a\r\ncurrent"},           // missing line key
        {"1", {{"L0", "bare"}}, "bare"},                    // hand-written, no quotes
        {"2", {{"L0", "\"\""}, {"L1", "\"b\""}}, "\r\nb"},
    };
    for (const Case& c : cases) {
        MemoryProfile file;
        if (c.count)
            file.WriteString(kFile, "S", "Count", c.count);
        for (auto& [k, v] : c.lines)
            file.WriteString(kFile, "S", k, v);
        EXPECT_EQ(ReadRawStrings(file, kFile, "S", "Count", "L", "current"), c.expected) << (c.count ? c.count : "-");
    }
}

TEST(TextCollection, AHugeLineCountIsBounded)
{
    MemoryProfile file;
    file.WriteString(kFile, "S", "Count", "2000000000");
    const std::string text = ReadRawStrings(file, kFile, "S", "Count", "L", "d");
    EXPECT_LT(text.size(), 20000u);
}

TEST(TextCollection, CollectionNameIsTheFileWithoutExtension)
{
    EXPECT_EQ(TextsCollectionName("C:\\Texts\\German.ini"), "C:\\Texts\\German");
    EXPECT_EQ(TextsCollectionName("German.lang.ini"), "German.lang");
    EXPECT_EQ(TextsCollectionName("C:\\my.dir\\German"), "C:\\my.dir\\German");
    EXPECT_EQ(TextsCollectionName("English"), "English");
}
