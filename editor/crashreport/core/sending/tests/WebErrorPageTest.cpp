#include <gtest/gtest.h>

#include "editor/crashreport/core/sending/WebErrorPage.h"
#include "editor/crashreport/support/options/ModuleOptions.h"

TEST(WebErrorPage, TemplateTitleTagAndIdentifier) {
    struct Case {
        const char* layout;
        const char* page;
    } cases[] = {
        // A lower-case tag still receives the body.
        {"<html><title>T</title><body><%html_tag%></body></html>",
         "<html><title>T</title><body>BODY</body></html><!-- ZorvikLog ID: 00C0FFEE -->"},
        // No title: one in front of everything, also of a document type line.
        {"<!DOCTYPE html><p><%HTML_TAG%></p>",
         "<title>Error occurred</title><!DOCTYPE html><p>BODY</p><!-- ZorvikLog ID: 00C0FFEE -->"},
        // A closing title before the opening one counts as none.
        {"</title><title>x<%HTML_TAG%>", "<title>Error occurred</title></title><title>xBODY<!-- ZorvikLog ID: 00C0FFEE -->"},
        // Every upper-case tag is filled.
        {"<TITLE>t</TITLE><%HTML_TAG%>|<%HTML_TAG%>", "<TITLE>t</TITLE>BODY|BODY<!-- ZorvikLog ID: 00C0FFEE -->"},
    };
    for (const Case& c : cases) {
        std::string identifier;
        EXPECT_EQ(BuildHTMLPageText(c.layout, "Error occurred", 0xC0FFEE, "BODY", &identifier), c.page) << c.layout;
        EXPECT_EQ(identifier, "<!-- ZorvikLog ID: 00C0FFEE -->");
    }
    // A blank layout (control characters only) gives the default one.
    const std::string page = BuildHTMLPageText("\r\n\t ", "Cap", 1, "B");
    EXPECT_EQ(page, "<title>Cap</title>" + std::string(DefaultHTMLLayout()).replace(DefaultHTMLLayout().find("<%HTML_TAG%>"), 12, "B") +
                        "<!-- ZorvikLog ID: 00000001 -->");
}

TEST(WebErrorPage, GeneratedPagesEscapeAndDiffer) {
    TZorvikModuleOptions options("Tessaly.exe");
    options.DisableSharedDataWrite();
    options.SetHTMLLayout("<title>x</title><%HTML_TAG%>");
    std::string first, second;
    GenerateHTML(options, "a < b & \"c\"", true, first);
    const std::string firstId = LastHTMLPageIdentifier();
    GenerateHTML(options, "a < b & \"c\"", false, second);
    EXPECT_EQ(first.rfind("<title>x</title>a &lt; b &amp; &quot;c&quot;<br><input type=button value=\"Ok\"", 0), 0u);
    EXPECT_EQ(second.find("<input"), std::string::npos);
    // Two pages built one after the other carry different identifiers.
    EXPECT_NE(firstId, LastHTMLPageIdentifier());
    EXPECT_NE(first.substr(first.size() - 31), second.substr(second.size() - 31));
}

TEST(WebErrorPage, ReplyHeaders) {
    EXPECT_EQ(WebErrorReplyHeader(1234, true),
              "Status: 200 Error\r\nContent-Type: text/html\r\nContent-Length: 1234\r\nContent:\r\n\r\n");
    // An ISAPI reply carries no status line in its header text.
    EXPECT_EQ(WebErrorReplyHeader(0, false), "Content-Type: text/html\r\nContent-Length: 0\r\nContent:\r\n\r\n");
}

TEST(WebErrorPage, WinCGIRequestFiles) {
    const std::string ini = "[CGI]\r\nRequest Method=GET\r\n[System]\r\nOutput File=C:\\out.htm\r\n";
    TWinCGIRequest r = ReadWinCGIRequest(ini, static_cast<int64_t>(ini.size()));
    EXPECT_TRUE(r.Valid);
    EXPECT_EQ(r.OutputFile, "C:\\out.htm");
    EXPECT_TRUE(ReadWinCGIRequest(ini, 102400).Valid);
    // One byte too long, an empty method, or the key in another section: no WinCGI.
    EXPECT_FALSE(ReadWinCGIRequest(ini, 102401).Valid);
    EXPECT_FALSE(ReadWinCGIRequest("[CGI]\nRequest Method=\n", 20).Valid);
    EXPECT_FALSE(ReadWinCGIRequest("[System]\nRequest Method=GET\n", 30).Valid);
    EXPECT_EQ(IniValue("[cgi]\n request method = POST \n", "CGI", "Request Method"), "POST");
}

TEST(WebErrorPage, IntraWebPageAndFolders) {
    TZorvikModuleOptions options("Tessaly.exe");
    options.DisableSharedDataWrite();
    options.SetHTMLLayout("<title>x</title><%HTML_TAG%>");
    EXPECT_EQ(IntraWebPageText(options, "Boom").rfind("<title>x</title>Boom<br>{%butnOk%}<!-- ZorvikLog ID: ", 0), 0u);
    // A template without the tag loses the button tag: it is appended.
    options.SetHTMLLayout("<title>x</title>nothing here");
    const std::string page = IntraWebPageText(options, "Boom");
    EXPECT_EQ(page.substr(page.size() - 10), "{%butnOk%}");

    EXPECT_EQ(IntraWebTemplateFolders("C:\\Temp\\", "c:\\Web\\Templates"),
              (std::vector<std::string>{"C:\\Temp\\", "c:\\Temp\\", "c:\\Web\\Templates\\"}));
    EXPECT_EQ(IntraWebTemplateFolders("C:\\Temp\\", "D:\\Templates\\"),
              (std::vector<std::string>{"D:\\Temp\\", "D:\\Templates\\"}));
    EXPECT_EQ(RelativeToFolder("c:\\Web\\Templates\\x.html", "C:\\Web\\Templates"), "x.html");
    EXPECT_EQ(RelativeToFolder("C:\\Temp\\x.html", "C:\\Web\\Templates\\"), "..\\..\\Temp\\x.html");
    EXPECT_EQ(RelativeToFolder("D:\\x.html", "C:\\Web\\"), "");
}
