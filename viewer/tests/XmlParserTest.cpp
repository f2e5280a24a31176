#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "viewer/PageText.h"
#include "viewer/XmlParser.h"

namespace {

// Writes every callback as one line: S:name, E:name, T:text, A:tag|name|value.
class Recorder : public xml_user {
public:
    void StartTag(const std::string& name) override {
        Events.push_back("S:" + name);
        if (StopAfterStart) Stop = 1;
    }
    void EndTag(const std::string& name) override { Events.push_back("E:" + name); }
    void Text(const std::string& text) override { Events.push_back("T:" + text); }
    void Attribute(const std::string& tag, const std::string& name, const std::string& value) override {
        Events.push_back("A:" + tag + "|" + name + "|" + value);
    }
    std::vector<std::string> Events;
    bool StopAfterStart = false;
};

std::vector<std::string> Events(const std::string& page) {
    xml_parser parser;
    parser.SetBuffer(page);
    Recorder r;
    parser.Parse(r);
    return r.Events;
}

using V = std::vector<std::string>;

TEST(XmlParser, ReportsTagsTextsAndAttributesInFileOrder) {
    struct Case {
        const char* page;
        V events;
    } cases[] = {
        {"<td width=30%>", {"T:", "S:td", "A:td|width|30%"}},
        // Either quote ends a quoted value, whichever opened it.
        {"<a href='x\">", {"T:", "S:a", "A:a|href|x"}},
        {"<a href=>", {"T:", "S:a", "A:a|href|"}},
        {"<a href= title=t>", {"T:", "S:a", "A:a|href|", "A:a|title|t"}},
        {"x<b>y</b>z<p>", {"T:x", "S:b", "T:y", "E:b", "T:z", "S:p"}},
        // Text after the last tag of the file is never reported.
        {"x<b>y</b>z", {"T:x", "S:b", "T:y", "E:b"}},
        {"<?xml version=\"1.0\"?><p>", {"T:", "T:", "S:p"}},
        {"<img src=\"a b.png\" alt=x\tborder=0>",
         {"T:", "S:img", "A:img|src|a b.png", "A:img|alt|x", "A:img|border|0"}},
        // A slash right after the name belongs to it; after a blank the tag closes itself.
        {"<br/><br />", {"T:", "S:br/", "T:", "S:br"}},
        {"<!-- note -->", {"T:", "S:!--"}},
        {"<TD\nWIDTH=\"5\">", {"T:", "S:TD", "A:TD|WIDTH|5"}},
        {"raw &amp;  text\n<p>", {"T:raw &amp;  text\n", "S:p"}},
        {"<>", {"T:", "S:"}},
        {"", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(Events(c.page), c.events) << c.page;
}

TEST(XmlParser, AcceptsAnyBytesWithoutError) {
    std::string junk = "<<>></<?<a ='\"=>x<\x01\xff b=\"never closed";
    junk += std::string("\0<p\0>", 6);
    EXPECT_NO_THROW(Events(junk));
}

TEST(XmlParser, StopFlagEndsThePass) {
    xml_parser parser;
    parser.SetBuffer("a<b>c<i>d<p>");
    Recorder r;
    r.StopAfterStart = true;
    parser.Parse(r);
    EXPECT_EQ(r.Events, (V{"T:a", "S:b"}));
}

TEST(XmlParser, KeepsThePageForTheNextPass) {
    xml_parser parser;
    parser.SetBuffer("a<b>c<p>");
    Recorder first, second;
    parser.Parse(first);
    parser.Parse(second);
    EXPECT_EQ(first.Events, second.Events);
    EXPECT_EQ(first.Events.size(), 4u);
}

TEST(XmlParser, UnreadableFileHoldsNothing) {
    xml_parser parser;
    parser.SetBuffer("a<b>");
    EXPECT_EQ(parser.ReadFile("tests/data/pages/no such page.htm"), -1);
    EXPECT_FALSE(parser.HasBuffer());
    Recorder r;
    parser.Parse(r);
    EXPECT_TRUE(r.Events.empty());
    // A folder is no page.
    EXPECT_EQ(parser.ReadFile("tests/data/pages"), -1);
    EXPECT_FALSE(parser.HasBuffer());
}

TEST(XmlParser, ReadsTheWholeFile) {
    xml_parser parser;
    ASSERT_EQ(parser.ReadFile("tests/data/pages/lists.htm"), 0);
    std::ifstream in("tests/data/pages/lists.htm", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(parser.Size(), static_cast<int32_t>(bytes.size()));
}

TEST(PageText, TitleAndBodyAsTheFileHoldsThem) {
    HtmlInfo info = ExtractPageText("tests/data/pages/entities.htm");
    EXPECT_EQ(info.Title, "  Bits &amp;   bytes  ");
    EXPECT_EQ(info.Body, "\nA &lt;tag&gt;   and\n  an &nbsp; entity;  AT&Tx\n");
}

TEST(PageText, TitleTagInCapitals) {
    EXPECT_EQ(ExtractPageText("tests/data/pages/lists.htm").Title, "Lists");
}

TEST(PageText, UnopenablePageIsEmpty) {
    HtmlInfo info = ExtractPageText("tests/data/pages/missing.htm");
    EXPECT_EQ(info.Title, "");
    EXPECT_EQ(info.Body, "");
}

TEST(PageText, EmptyFileIsEmptyPage) {
    auto path = std::filesystem::temp_directory_path() / "tq_empty_page.htm";
    { std::ofstream(path, std::ios::binary); }
    HtmlInfo info = ExtractPageText(path.string());
    EXPECT_EQ(info.Body, "");
    std::filesystem::remove(path);
}

}  // namespace
