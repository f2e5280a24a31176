#include "editor/crashreport/core/sending/WebErrorPage.h"

#include <atomic>
#include <cstdio>
#include <mutex>
#include <random>

#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/texts/CommonStrings.h"
#include "editor/crashreport/support/texts/MessageTypes.h"
#include "framework/SysUtils.h"

const char* const HTMLTag = "<%HTML_TAG%>";
const char* const IntraWebOkTag = "{%butnOk%}";
const char* const IntraWebTemplateName = "ZorvikLog_IWShowMessage.html";
const char* const HTMLBackButton =
    "<br><input type=button value=\"Ok\" OnClick=\"history.go(-1)\" "
    "style=\"width:75;height:25;z-index:100;font-style:normal;font-size:10pt;text-decoration:none;\">";
const char* const WebErrorStatusText = "200 Error";

namespace {

std::mutex gIdentifierLock;
std::string gLastIdentifier;

size_t FindNoCase(const std::string& text, const std::string& what, size_t from = 0) {
    if (what.empty() || text.size() < what.size())
        return std::string::npos;
    const std::string upperText = UpperCase(text);
    return upperText.find(UpperCase(what), from);
}

uint32_t RandomId() {
    static std::mt19937 generator{std::random_device{}()};
    static std::mutex lock;
    std::lock_guard<std::mutex> hold(lock);
    return static_cast<uint32_t>(generator());
}

}  // namespace

std::string BuildHTMLPageText(const std::string& layout, const std::string& dialogCaption, uint32_t randomId,
                              const std::string& body, std::string* identifier) {
    std::string page = Trim(OneString(layout)).empty() ? DefaultHTMLLayout() : layout;
    const size_t tag = FindNoCase(page, HTMLTag);
    if (tag != std::string::npos)
        page.replace(tag, std::string(HTMLTag).size(), HTMLTag);
    const size_t open = FindNoCase(page, "<title>");
    const size_t close = FindNoCase(page, "</title>");
    if (open == std::string::npos || (close != std::string::npos && close < open))
        page = "<title>" + dialogCaption + "</title>" + page;
    char comment[64];
    std::snprintf(comment, sizeof comment, "<!-- ZorvikLog ID: %08X -->", static_cast<unsigned>(randomId));
    if (identifier)
        *identifier = comment;
    return QuickStringReplace(page, HTMLTag, body) + comment;
}

void BuildHTMLPage(const TZorvikModuleOptions& options, const std::string& body, std::string& page) {
    std::string identifier;
    page = BuildHTMLPageText(options.HTMLLayout(), options.GetCustomizedExpandedTexts(mtDialog_Caption), RandomId(),
                             body, &identifier);
    std::lock_guard<std::mutex> hold(gIdentifierLock);
    gLastIdentifier = identifier;
}

void GenerateHTML(const TZorvikModuleOptions& options, const std::string& text, bool withButton, std::string& page) {
    std::string body = EscapeHTMLText(text);
    if (withButton)
        body += HTMLBackButton;
    BuildHTMLPage(options, body, page);
}

std::string LastHTMLPageIdentifier() {
    std::lock_guard<std::mutex> hold(gIdentifierLock);
    return gLastIdentifier;
}

std::string WebErrorReplyHeader(int64_t pageLength, bool withStatusLine) {
    std::string header = withStatusLine ? "Status: 200 Error\r\n" : "";
    header += "Content-Type: text/html\r\n";
    header += "Content-Length: " + std::to_string(pageLength) + "\r\n";
    header += "Content:\r\n\r\n";
    return header;
}

std::string IniValue(const std::string& iniText, const std::string& section, const std::string& key) {
    std::string current;
    size_t at = 0;
    while (at <= iniText.size()) {
        size_t end = iniText.find_first_of("\r\n", at);
        if (end == std::string::npos)
            end = iniText.size();
        const std::string line = Trim(iniText.substr(at, end - at));
        at = end + 1;
        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            current = Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string::npos || !SameText(current, section))
            continue;
        if (SameText(Trim(line.substr(0, eq)), key))
            return Trim(line.substr(eq + 1));
    }
    return "";
}

TWinCGIRequest ReadWinCGIRequest(const std::string& iniText, int64_t fileSize) {
    TWinCGIRequest request;
    if (fileSize < 0 || fileSize > MaxWinCGIFileSize)
        return request;
    request.Valid = !IniValue(iniText, "CGI", "Request Method").empty();
    if (request.Valid)
        request.OutputFile = IniValue(iniText, "System", "Output File");
    return request;
}

std::string IntraWebPageText(const TZorvikModuleOptions& options, const std::string& text) {
    std::string page;
    BuildHTMLPage(options, EscapeHTMLText(text) + "<br>" + IntraWebOkTag, page);
    if (FindNoCase(page, IntraWebOkTag) == std::string::npos)
        page += IntraWebOkTag;
    return page;
}

std::vector<std::string> IntraWebTemplateFolders(const std::string& tempFolder, const std::string& templateFolder) {
    std::vector<std::string> folders;
    const std::string folder = IncludeLastBackslash(Trim(templateFolder));
    auto drive = [](const std::string& path) { return path.size() >= 2 && path[1] == ':' ? LowerCase(path.substr(0, 2)) : std::string(); };
    if (!drive(tempFolder).empty() && drive(tempFolder) == drive(folder))
        folders.push_back(IncludeLastBackslash(tempFolder));
    if (!drive(folder).empty())
        folders.push_back(folder.substr(0, 2) + "\\Temp\\");
    folders.push_back(folder);
    return folders;
}

std::string RelativeToFolder(const std::string& path, const std::string& folder) {
    const std::string base = IncludeLastBackslash(folder);
    if (path.size() > base.size() && SameText(path.substr(0, base.size()), base))
        return path.substr(base.size());
    // Beside the folder: climb out of it once per level below the common root.
    size_t common = 0;
    for (size_t i = 0; i < std::min(path.size(), base.size()); ++i) {
        if (std::tolower(static_cast<unsigned char>(path[i])) != std::tolower(static_cast<unsigned char>(base[i])))
            break;
        if (path[i] == '\\')
            common = i + 1;
    }
    if (common == 0)
        return "";
    std::string relative;
    for (size_t i = common; i < base.size(); ++i)
        if (base[i] == '\\')
            relative += "..\\";
    return relative + path.substr(common);
}
