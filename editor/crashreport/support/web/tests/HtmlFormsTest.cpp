#include <gtest/gtest.h>

#include "editor/crashreport/support/web/HtmlForms.h"

TEST(HtmlForms, InputValuesInTheirWritings) {
    struct {
        const char* page;
        const char* value;
    } cases[] = {
        {"<input type='hidden' name = 'tok' value = 'a&amp;b' />", "a&b"},
        {"<input type=\"hidden\" name=\"tok\" value=\"a&amp;b\">", "a&b"},
        {"<input type=\"hidden\" name=\"tok\" value=\"a>b\">", "a>b"},
        {"<INPUT TYPE=hidden NAME=tok VALUE=plain>", "plain"},
        {"<input name=\"tok\" value=\"say &quot;hi&quot; now\">", "say \"hi\" now"},
        {"<input name=\"tok\" value=\"a = b\">", "a = b"},
        {"<input name=\"tok\" value=\"&amp;lt;\">", "&lt;"},
        // Empty values are skipped; the next input of the name counts.
        {"<input name=\"tok\" value=\"\"><input name=\"other\" value=\"x\"><input name=\"tok\" value=\"2nd\">", "2nd"},
        {"<input name=\"tok\" value=\"v\"/>", "v"},
    };
    for (const auto& c : cases) {
        std::string value = "?";
        EXPECT_TRUE(FindInputValue(c.page, "tok", value)) << c.page;
        EXPECT_EQ(value, c.value) << c.page;
    }
    std::string value = "kept";
    EXPECT_FALSE(FindInputValue("<input name=\"tok\" value=\"\"><input name=\"x\" value=\"y\">", "tok", value));
    EXPECT_FALSE(FindInputValue("no form at all", "tok", value));
    EXPECT_FALSE(FindInputValue("<input name=\"tok\" value=\"unterminated", "other", value));
    EXPECT_EQ(value, "kept");
}

TEST(HtmlForms, TextAreas) {
    const std::string page =
        "<textarea name=\"other\">no</textarea>"
        "<textarea name=\"description\" rows=\"5\" title=\"a>b\">  First line\n x = 1 &amp; more  </textarea>"
        "<textarea name=\"empty\"></textarea>";
    std::string text;
    ASSERT_TRUE(FindTextAreaText(page, "description", text));
    EXPECT_EQ(text, "First line\n x = 1 & more");
    ASSERT_TRUE(FindTextAreaText(page, "empty", text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(FindTextAreaText(page, "missing", text));
}

TEST(HtmlForms, SelectedOptions) {
    const std::string page =
        "<select name=\"severity\"><option value=\"10\">feature</option>"
        "<option value=\"50\" selected=\"selected\">minor</option><option value=\"60\" selected>major</option></select>"
        "<select name=\"status\"><option value=\"10\">new</option><option value=\"80\">resolved</option></select>"
        "<select name=\"word\"><option value=\"1\">one</option><option value=\"2\">Selected items</option></select>";
    std::string value = "?";
    ASSERT_TRUE(FindSelectedListValue(page, "severity", value));
    EXPECT_EQ(value, "50");
    // A list without a selected option exists; its value is empty.
    ASSERT_TRUE(FindSelectedListValue(page, "status", value));
    EXPECT_EQ(value, "");
    // The word in a title counts as selected.
    ASSERT_TRUE(FindSelectedListValue(page, "word", value));
    EXPECT_EQ(value, "2");
    EXPECT_FALSE(FindSelectedListValue(page, "missing", value));
}

TEST(HtmlForms, OptionsByTitle) {
    const std::string page =
        "<select name=\"project_id\"><option value=\"0\">All Projects</option>"
        "<option value=\"7\">&raquo; Tessaly</option><option value=\"9\" >  vellumo </option></select>";
    std::string value = "?";
    ASSERT_TRUE(FindListValueByTitle(page, "project_id", "Tessaly", value));
    EXPECT_EQ(value, "7");
    ASSERT_TRUE(FindListValueByTitle(page, "project_id", "VELLUMO", value));
    EXPECT_EQ(value, "9");
    ASSERT_TRUE(FindListValueByTitle(page, "project_id", "Nothing", value));
    EXPECT_EQ(value, "");
    EXPECT_FALSE(FindListValueByTitle(page, "category", "Tessaly", value));
}

TEST(HtmlForms, FindTagTextMovesPastTheStop) {
    const std::string text = "<a x = 1>one</a><a y=2>two</a>";
    size_t position = 0;
    EXPECT_EQ(FindTagText(text, "<A ", InputStops, position), "x=1");
    EXPECT_EQ(position, text.find('>') + 1);
    EXPECT_EQ(FindTagText(text, "<a ", InputStops, position), "y=2");
    const size_t after = position;
    EXPECT_EQ(FindTagText(text, "<a ", InputStops, position), "");
    EXPECT_EQ(position, after);
    // A quoted '>' does not end the element; the end of the text does.
    position = 0;
    EXPECT_EQ(FindTagText("<b t=\"1>2\" u='3>4'> rest", "<b ", InputStops, position), "t=\"1>2\" u='3>4'");
    position = 0;
    EXPECT_EQ(FindTagText("<b t=\"open", "<b ", InputStops, position), "t=\"open");
}

TEST(HtmlForms, EntitiesDecodeOnce) {
    struct {
        const char* text;
        const char* decoded;
    } cases[] = {
        {"&amp;lt;", "&lt;"},
        {"a&amp;b&quot;c&lt;d&gt;e&nbsp;f&apos;g", "a&b\"c<d>e f'g"},
        {"&#65;&#066;&#255;", "AB\xFF"},
        {"&#0;&#256;&#99999999;&#;&#x41;&#65", "&#0;&#256;&#99999999;&#;&#x41;&#65"},
        {"&AMP; &unknown; &", "&AMP; &unknown; &"},
        {"&#38;amp;", "&amp;"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeHTMLEntities(c.text), c.decoded) << c.text;
    EXPECT_EQ(StripQuotes("'a'"), "a");
    EXPECT_EQ(StripQuotes("\"a'"), "a");
    EXPECT_EQ(StripQuotes("\"\"a\"\""), "\"a\"");
    EXPECT_EQ(StripQuotes("'"), "");
}

TEST(HtmlForms, TextAfterMarker) {
    const std::string page =
        "<a href=\"bug_update_page.php?bug_id=42\">x</a> <a href='BUG_UPDATE_PAGE.PHP?BUG_ID=AB7&x=1'>";
    EXPECT_EQ(FindTextAfterMarker(page, "bug_update_page.php?bug_id=", 1), "42");
    EXPECT_EQ(FindTextAfterMarker(page, "bug_update_page.php?bug_id=", 2), "ab7");
    EXPECT_EQ(FindTextAfterMarker(page, "bug_update_page.php?bug_id=", 3), "");
    EXPECT_EQ(FindTextAfterMarker(page, "missing", 1), "");
    EXPECT_EQ(FindTextAfterMarker("id=9\\x", "id=", 1), "9");
    EXPECT_EQ(FindTextAfterMarker("id=9", "id=", 1), "9");
}

TEST(HtmlForms, BugCounts) {
    struct {
        const char* title;
        bool raised;
        const char* result;
    } cases[] = {
        {"[v1.0 - 3]: EAccessViolation (1A2B)", true, "[v1.0 - 4]: EAccessViolation (1A2B)"},
        {"[v1.0 - 9998]: E (1)", true, "[v1.0 - 9999]: E (1)"},
        {"[v1.0 - 9999]: E (1)", false, "[v1.0 - 9999]: E (1)"},
        {"[v1.0 - 123456789012]: E (1)", false, "[v1.0 - 123456789012]: E (1)"},
        {"[v1.0 - 007]: E", true, "[v1.0 - 8]: E"},
        {"no count here", true, "no count here"},
        {"[v1 - many]: E", true, "[v1 - many]: E"},
        {"x - 5", true, "x - 6"},
        {"", true, ""},
    };
    for (const auto& c : cases) {
        std::string raised;
        EXPECT_EQ(RaiseBugCount(c.title, raised), c.raised) << c.title;
        EXPECT_EQ(raised, c.result) << c.title;
    }
}

TEST(HtmlForms, TitlesAndAnswers) {
    EXPECT_EQ(BugSummaryText("1.2", "EAccessViolation", "1A2B"), "[v1.2 - 1]: EAccessViolation (1A2B)");
    EXPECT_EQ(BugSearchText("EAccessViolation", "1A2B"), "EAccessViolation (1A2B)");
    EXPECT_EQ(BugSearchText("", "1A2B"), " (1A2B)");
    EXPECT_EQ(AddOptionalField("msg", ""), "msg");
    EXPECT_EQ(AddOptionalField("msg", "steps"), "msg\r\n\r\n---\r\n\r\nsteps");

    EXPECT_TRUE(IsExpectedAnswer("View.php", "<A HREF=\"view.php?id=1\">", "view.php", "href=\"view.php?id=", ""));
    EXPECT_FALSE(IsExpectedAnswer("other.php", "href=\"view.php?id=", "view.php", "href=\"view.php?id=", ""));
    EXPECT_TRUE(IsExpectedAnswer("other.php", "x", "", "", ""));
    EXPECT_FALSE(IsExpectedAnswer("a", "has error", "a", "", "ERROR"));
    EXPECT_FALSE(IsExpectedAnswer("a", "body", "a", "missing", ""));
}

TEST(HtmlForms, OptionValuesAnywhere) {
    const std::string page = "<select name=\"version\"><option value=\"1.0\">1.0</option>"
                             "<option value='2.0' selected>2.0</option></select>";
    EXPECT_TRUE(HasOptionValue(page, "2.0"));
    EXPECT_TRUE(HasOptionValue(page, "1.0"));
    EXPECT_FALSE(HasOptionValue(page, "1"));
    EXPECT_FALSE(HasOptionValue(page, "3.0"));
}
