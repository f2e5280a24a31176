#pragma once
// The HTML error page a web-server module sends instead of a dialog: the page
// from the HTMLLayout template, the reply header, the test of a WinCGI
// request file and the page an IntraWeb application shows. All text rules;
// the replies themselves are written by WebErrorReply.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TZorvikModuleOptions;

extern const char* const HTMLTag;          // "<%HTML_TAG%>"
extern const char* const IntraWebOkTag;    // "{%butnOk%}"
extern const char* const IntraWebTemplateName;  // "ZorvikLog_IWShowMessage.html"
extern const char* const HTMLBackButton;   // the "Ok" button that goes back a page

// The page: the template (HTMLLayout, or the default one when blank) with a
// title in front when it has none, every "<%HTML_TAG%>" replaced by body, and
// the identifier comment of randomId after it. identifier receives that comment.
std::string BuildHTMLPageText(const std::string& layout, const std::string& dialogCaption, uint32_t randomId,
                              const std::string& body, std::string* identifier = nullptr);

// The same with the options' layout and caption and a random identifier,
// kept as the last one built.
void BuildHTMLPage(const TZorvikModuleOptions& options, const std::string& body, std::string& page);
// The text escaped for HTML, the back button after it when asked.
void GenerateHTML(const TZorvikModuleOptions& options, const std::string& text, bool withButton, std::string& page);
// The identifier comment of the last page built ("" before the first).
std::string LastHTMLPageIdentifier();

// The reply's header for a page of n bytes; CGI and WinCGI programs put the
// status line first.
std::string WebErrorReplyHeader(int64_t pageLength, bool withStatusLine);
// The status text an ISAPI reply is sent with ("200 Error").
extern const char* const WebErrorStatusText;

// A WinCGI request file: whether the text (at most 102,400 bytes) has a non-
// empty "Request Method" in its [CGI] section, and the "Output File" of its
// [System] section.
struct TWinCGIRequest {
    bool Valid = false;
    std::string OutputFile;
};
constexpr int64_t MaxWinCGIFileSize = 102400;
TWinCGIRequest ReadWinCGIRequest(const std::string& iniText, int64_t fileSize);
// The value of key in section of an ini text (names compared without case).
std::string IniValue(const std::string& iniText, const std::string& section, const std::string& key);

// The page an IntraWeb application shows: the escaped text as a page with
// the Ok button tag after it, the tag appended when the template lost it.
std::string IntraWebPageText(const TZorvikModuleOptions& options, const std::string& text);
// Where its template file goes, in the order tried: the temporary folder
// (only when on the template folder's drive), the drive's "\Temp\", then the
// template folder itself.
std::vector<std::string> IntraWebTemplateFolders(const std::string& tempFolder, const std::string& templateFolder);
// The path relative to the template folder ("" when not inside it).
std::string RelativeToFolder(const std::string& path, const std::string& folder);
