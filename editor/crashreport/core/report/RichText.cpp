#include "editor/crashreport/core/report/RichText.h"

#include <algorithm>
#include <vector>

#include "editor/crashreport/support/texts/CommonStrings.h"
#include "framework/SysUtils.h"

// Positions below are 1-based character positions in the line as it stands
// at that step; a position past the line's end means its end.
namespace {

void InsertAt(std::string& line, size_t position, const std::string& text)
{
    line.insert(std::min(position - 1, line.size()), text);
}

void ReplaceAt(std::string& line, size_t position, size_t count, const std::string& text)
{
    const size_t at = std::min(position - 1, line.size());
    line.replace(at, std::min(count, line.size() - at), text);
}

std::vector<std::string> EscapedLines(const std::string& text)
{
    return SplitText(EscapeRichText(text), "\r\n");
}

std::string Document(const TRichTextFont& font, const std::vector<std::string>& lines)
{
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1040{\\fonttbl{\\f0\\fmodern\\fprq1\\fcharset" +
                      std::to_string(font.Charset) + " " + font.FaceName + ";}}\r\n" +
                      "{\\colortbl ;\\red0\\green100\\blue100;\\red0\\green0\\blue0;\\red40\\green40\\blue40;"
                      "\\red0\\green0\\blue160;\\red160\\green0\\blue0;\\red80\\green80\\blue80;"
                      "\\red0\\green100\\blue0;}\r\n" +
                      "\\f0\\fs" + std::to_string(2 * font.Size) + "\r\n";
    for (const std::string& line : lines)
        rtf += line + "\r\n";
    return rtf + "}";
}

}  // namespace

std::string EscapeRichText(const std::string& text)
{
    std::string result = QuickStringReplace(text, "\\", "\\\\");
    result = QuickStringReplace(result, "{", "\\{");
    result = QuickStringReplace(result, "}", "\\}");
    return QuickStringReplace(result, "\r\n", "\\par\r\n");
}

std::string GeneralRichText(const std::string& generalText, const TRichTextFont& font)
{
    std::vector<std::string> lines = EscapedLines(generalText);
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string& line = lines[i];
        if (i == 0) {
            line = "\\cf1\\b " + line + "\\b0";
            continue;
        }
        const size_t colon = line.find(':');
        const size_t item = line.find(": ");
        if (colon != std::string::npos && line.size() == colon + 5 && line[0] != ' ') {
            line = "\\cf3\\b " + line + "\\b0";  // a section head
        } else if (!line.empty() && line[0] == '-') {
            line = "\\cf3 " + line;  // its rule
        } else if (item != std::string::npos) {
            // Item number in \cf5, label in \cf2, value in \cf4.
            const size_t blank = line.size() > 2 ? line.find(' ', 2) : std::string::npos;
            const size_t k = blank == std::string::npos ? 0 : blank - 1;
            line = "\\cf5 " + line.substr(0, item + 1) + "\\cf4 " + line.substr(item + 1);
            InsertAt(line, k + 7, "\\cf2 ");
        }
    }
    return Document(font, lines);
}

std::string AssemblerRichText(const std::string& assemblerText, const TRichTextFont& font)
{
    std::vector<std::string> lines = EscapedLines(assemblerText);
    for (std::string& line : lines) {
        if (line.empty() || line[0] != ';') {
            line = "\\cf5 " + line;
            InsertAt(line, 15, "\\cf4\\b ");
            const size_t blank = line.size() > 22 ? line.find(' ', 22) : std::string::npos;
            if (blank != std::string::npos)
                line.insert(blank, "\\b0\\cf7 ");
            else
                line += "\\b0";
        }
        const size_t semicolon = line.find(';');
        if (semicolon != std::string::npos)
            line.insert(semicolon, "\\cf6 ");
    }
    return Document(font, lines);
}

std::string CPURichText(const std::string& cpuText, const TRichTextFont& font, int tabPosition)
{
    std::vector<std::string> lines = EscapedLines(cpuText);
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string& line = lines[i];
        if (i == 0) {
            line = "\\cf3\\b " + line + "\\cf2\\b0";
        } else if (i == 1) {
            line = "\\cf3 " + line + "\\cf2";
        } else if (i >= 2 && i <= 5) {
            InsertAt(line, 6, "\\cf4 ");
            InsertAt(line, 19, "\\cf2 ");
            InsertAt(line, 32, "\\cf4 ");
            InsertAt(line, 45, "\\cf2 ");
        } else if (i == 7) {
            const std::string head = Trim(line.substr(0, std::min<size_t>(21, line.size())));
            const std::string rest = line.size() > 21 ? Trim(line.substr(21)) : std::string();
            line = "\\pard\\tx" + std::to_string(tabPosition) + "\\cf3\\b " + head + "\\tab " + rest + "\\cf2\\b0";
        } else if (i == 8) {
            ReplaceAt(line, 19, 3, "\\tab ");
            line = "\\cf3 " + line + "\\cf2";
        } else if (i >= 9 && !line.empty()) {
            InsertAt(line, 11, "\\cf4 ");
            InsertAt(line, 24, "\\cf2 ");
            ReplaceAt(line, 29, 3, "\\tab ");
            InsertAt(line, 44, "\\cf4 ");
            InsertAt(line, 96, "\\cf5 ");
            line += "\\cf2 ";
        }
    }
    return Document(font, lines);
}
