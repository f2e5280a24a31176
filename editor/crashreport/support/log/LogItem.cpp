#include "editor/crashreport/support/log/LogItem.h"

#include <algorithm>
#include <vector>

#include "editor/crashreport/support/texts/CommonStrings.h"
#include "framework/SysUtils.h"

std::string NormalizeLineBreaks(const std::string& text)
{
    if (text.find_first_of("\r\n") == std::string::npos)
        return text;
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

TLogItem::TLogItem(int32_t firstHeader) : FFirstHeader(firstHeader)
{
    Clear();
}

void TLogItem::Clear()
{
    FText.clear();
    FHeader = FFirstHeader;
    FItem = 0;
}

void TLogItem::AddHeader(const std::string& title)
{
    ++FHeader;
    FItem = 0;
    if (!FText.empty())
        FText += "\r\n\r\n";
    FText += title + ":\r\n-";
}

void TLogItem::AddItem(const std::string& label, const std::string& value, bool add)
{
    ++FItem;
    if (!add)
        return;
    const std::string prefix = "  " + std::to_string(FHeader) + "." + std::to_string(FItem) + " " + label + ": ";
    std::string text = NormalizeLineBreaks(value);
    if (text.find("\r\n") != std::string::npos) {
        // Only the prefix may hold ": ", which is how the readers find the
        // value column; empty lines would end the item, so they become ".".
        std::vector<std::string> lines = SplitText(QuickStringReplace(text, ": ", ":_"), "\r\n");
        text.clear();
        for (size_t i = 0; i < lines.size(); ++i) {
            std::string line = Trim(lines[i]).empty() ? std::string(".") : lines[i];
            if (i > 0)
                text += "\r\n ";
            text += line;
        }
    }
    FText += "\r\n" + prefix + text;
}

namespace {

bool IsTitleLine(const std::string& line)
{
    return !line.empty() && line.find(':') == line.size() - 1;
}

}  // namespace

std::string TLogItem::GetString() const
{
    std::vector<std::string> lines = SplitText(FText, "\r\n");
    if (FText.empty())
        lines.clear();

    for (size_t i = 0; i < lines.size();) {
        if (IsTitleLine(lines[i]) && (i + 2 >= lines.size() || lines[i + 2].empty()))
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i),
                        lines.begin() + static_cast<std::ptrdiff_t>(std::min(i + 3, lines.size())));
        else
            ++i;
    }

    for (size_t i = 0; i < lines.size(); ++i) {
        if (!IsTitleLine(lines[i]))
            continue;
        size_t end = i + 2;
        while (end < lines.size() && !lines[end].empty())
            ++end;
        size_t column = 0;
        for (size_t j = i + 2; j < end; ++j) {
            size_t p = lines[j].find(": ");
            if (p != std::string::npos)
                column = std::max(column, p + 1);
        }
        size_t longest = 0;
        for (size_t j = i + 2; j < end; ++j) {
            size_t p = lines[j].find(": ");
            if (p != std::string::npos)
                lines[j].insert(p, column - (p + 1), ' ');
            else
                lines[j].insert(0, column, ' ');
            longest = std::max(longest, lines[j].size());
        }
        if (i + 1 < lines.size())
            lines[i + 1] = std::string(longest, '-');
    }

    std::string result;
    for (const std::string& line : lines)
        result += line + "\r\n";
    return result;
}
