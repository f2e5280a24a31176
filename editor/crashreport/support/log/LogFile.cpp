#include "editor/crashreport/support/log/LogFile.h"

#include <algorithm>
#include <cctype>

#include "editor/crashreport/support/log/LogItem.h"
#include "editor/crashreport/support/texts/CommonStrings.h"
#include "framework/Exceptions.h"
#include "framework/SysUtils.h"

namespace {

const std::string CRLF = "\r\n";
const std::string ReportEnd = "\r\n\r\n\r\n";
const std::string TableStart = "-\r\n|";
constexpr size_t npos = std::string::npos;

// Start of the line holding position `at`.
size_t LineStart(const std::string& text, size_t at)
{
    if (at == 0)
        return 0;
    size_t p = text.rfind(CRLF, at - 1);
    return p == npos ? 0 : p + 2;
}

// Start of the rule line above the first table's column titles; npos when
// the report holds no table.
size_t FirstTableRule(const std::string& report)
{
    size_t table = report.find(TableStart);
    return table == npos ? npos : LineStart(report, table);
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool IsHexDigits(const std::string& text, size_t at, size_t count)
{
    if (at + count > text.size())
        return false;
    for (size_t i = at; i < at + count; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(text[i])))
            return false;
    return true;
}

// Hexadecimal digits at `at`, 8 or more (a 64-bit program's addresses may
// have more); their count, 0 when fewer than 8.
size_t AddressDigits(const std::string& line, size_t at)
{
    size_t n = 0;
    while (at + n < line.size() && std::isxdigit(static_cast<unsigned char>(line[at + n])))
        ++n;
    return n >= 8 ? n : 0;
}

// A whole line of a memory dump: stack address, ": ", the word there, three
// blanks, memory address, ": ", 16 bytes each with a blank, one more blank
// and the 16 bytes as characters.
bool IsWholeDumpLine(const std::string& line)
{
    size_t at = AddressDigits(line, 0);
    if (at == 0 || line.compare(at, 2, ": ") != 0 || !IsHexDigits(line, at + 2, 8))
        return false;
    at += 10;
    if (line.compare(at, 3, "   ") != 0)
        return false;
    const size_t digits = AddressDigits(line, at + 3);
    at += 3 + digits;
    if (digits == 0 || line.compare(at, 2, ": ") != 0)
        return false;
    at += 2;
    for (int i = 0; i < 16; ++i, at += 3)
        if (!IsHexDigits(line, at, 2) || at + 2 >= line.size() || line[at + 2] != ' ')
            return false;
    return at < line.size() && line[at] == ' ' && line.size() - at - 1 >= 16;
}

// A section title line: the only colon of the line is its last character.
bool IsTitleLine(const std::string& line)
{
    return !line.empty() && line.find(':') == line.size() - 1;
}

bool IsDashes(const std::string& line)
{
    return !line.empty() && line.find_first_not_of('-') == npos;
}

// A rule of dashes that ends the text is whole when it is as long as the
// rule that opens its section under the title (a table's closing rule), or,
// standing right under the title, as long as the title line (the head of a
// section the log keeps without its lines). A rule cut short is neither.
bool IsWholeClosingRule(const std::string& text, const std::string& rule)
{
    size_t lineStart = text.size() - rule.size();
    std::string opening = rule;  // the line under the title, once found
    bool ruleOpens = true;
    while (lineStart >= 2) {
        const size_t start = LineStart(text, lineStart - 2);
        const std::string line = text.substr(start, lineStart - 2 - start);
        if (line.empty())
            return false;  // no title above the rule in its section
        if (IsTitleLine(line))
            return ruleOpens ? rule.size() == line.size() : IsDashes(opening) && rule.size() == opening.size();
        opening = line;
        ruleOpens = false;
        lineStart = start;
    }
    return false;
}

// A report's last line as its builder leaves it whole: the processor data
// ends with a full memory-dump line, with the rule of an empty dump, or,
// when the log keeps no processor data, with the rule under its head.
bool IsWholeLastLine(const std::string& text)
{
    const std::string line = text.substr(LineStart(text, text.size()));
    if (line == std::string(18, '-') + "   " + std::string(75, '-'))
        return true;
    if (IsDashes(line))
        return IsWholeClosingRule(text, line);
    return IsWholeDumpLine(line);
}

// The log text with its last report's end made whole. Four CR LF pairs end
// a report; a log whose last report lost some or all of them (a text tool
// that trims trailing line breaks, a copy cut at its end) gets them back,
// so that report is kept. A last line cut short is a truncated report: it
// stays without an end and is not read as a report.
std::string WithLastReportEnded(const std::string& text)
{
    size_t pairs = 0;
    while (pairs < 4 && text.size() >= 2 * (pairs + 1) && text.compare(text.size() - 2 * (pairs + 1), 2, CRLF) == 0)
        ++pairs;
    if (pairs >= 4)
        return text;
    if (pairs == 0 && !IsWholeLastLine(text))
        return text;
    std::string ended = text;
    for (size_t i = pairs; i < 4; ++i)
        ended += CRLF;
    return ended;
}

// The range a stored value takes in a report: from after its ": " to the end
// of its last line (before that line's CR LF).
bool FindValueRange(const std::string& report, const std::string& number, size_t& start, size_t& end)
{
    if (number.empty())
        return false;
    size_t item = report.find(CRLF + "  " + number + " ");
    if (item == npos)
        return false;
    size_t lineEnd = report.find(CRLF, item + 2);
    size_t colon = report.find(": ", item + 2);
    if (colon == npos || (lineEnd != npos && colon > lineEnd))
        return false;
    start = colon + 2;
    end = lineEnd == npos ? report.size() : lineEnd;
    while (end < report.size()) {
        size_t next = end + 2;
        size_t nextEnd = report.find(CRLF, next);
        if (nextEnd == npos)
            nextEnd = report.size();
        std::string line = report.substr(next, nextEnd - next);
        bool itemLine = line.size() >= 4 && line.compare(0, 2, "  ") == 0 && line[3] != ' ';
        if (line.empty() || itemLine)
            break;
        end = nextEnd;
    }
    return true;
}

// The text between a rule line at `rule` (0-based) and the next "-" that
// closes a table, when the line below the rule is a table row.
std::string TableAt(const std::string& text, int32_t rule1)
{
    if (rule1 <= 0)
        return "";
    size_t rule = static_cast<size_t>(rule1 - 1);
    size_t lineEnd = text.find(CRLF, rule);
    if (lineEnd == npos || lineEnd + 2 >= text.size() || text[lineEnd + 2] != '|')
        return "";
    size_t close = text.find("-\r\n\r\n", rule);
    if (close == npos)
        return "";
    return text.substr(rule, close + 1 - rule);
}

// The lines after the rule line at `rule1` up to the next empty line.
std::string LinesAfterRule(const std::string& text, int32_t rule1, bool dropLastChar)
{
    if (rule1 <= 0)
        return "";
    size_t lineEnd = text.find(CRLF, static_cast<size_t>(rule1 - 1));
    if (lineEnd == npos)
        return "";
    size_t start = lineEnd + 2;
    size_t stop = text.find("\r\n\r\n", lineEnd);
    if (stop == npos || stop < start)
        return "";
    std::string lines = text.substr(start, stop - start);
    if (dropLastChar && !lines.empty())
        lines.pop_back();
    return lines;
}

}  // namespace

bool LogVersionOlder(const std::string& version, const std::string& than)
{
    return version.compare(than) < 0;
}

TLogFile::TLogFile() = default;

TLogFile::~TLogFile() = default;

void TLogFile::ParseBuffer(const std::string& buffer)
{
    const std::string text = NormalizeLineBreaks(buffer);
    size_t start = 0;
    for (;;) {
        size_t run = text.find("\r\n\r\n\r\n\r\n", start);
        if (run == npos)
            break;
        std::string report = text.substr(start, run + 6 - start);
        if (report.find(TableStart) != npos)
            FReports.push_back(std::move(report));
        start = run + 8;
    }
}

void TLogFile::LoadFromStream(TStream& stream)
{
    std::string text;
    char chunk[65536];
    for (;;) {
        int32_t n = stream.Read(chunk, sizeof chunk);
        if (n <= 0)
            break;
        text.append(chunk, static_cast<size_t>(n));
    }
    if (text.size() < 6)
        return;
    ParseBuffer(WithLastReportEnded(NormalizeLineBreaks(text)));
}

void TLogFile::SaveToStream(TStream& stream) const
{
    std::string text = GetText();
    size_t length = text.size();
    // A report that ended with a line break of its own would otherwise come
    // back with an empty first line in front of the next one.
    if (length >= 10 && text.compare(length - 10, 2, CRLF) == 0)
        length -= 2;
    size_t done = 0;
    while (done < length) {
        int32_t part = static_cast<int32_t>(std::min<size_t>(length - done, 1 << 20));
        int32_t n = stream.Write(text.data() + done, part);
        if (n != part)
            throw EWriteError("Stream write error");
        done += static_cast<size_t>(n);
    }
}

void TLogFile::Append(const std::string& report, int32_t max)
{
    if (max >= 0) {
        size_t keep = max > 0 ? static_cast<size_t>(max) - 1 : 0;
        if (FReports.size() > keep)
            FReports.erase(FReports.begin(), FReports.end() - static_cast<std::ptrdiff_t>(keep));
    }
    FReports.push_back(report + ReportEnd);
}

void TLogFile::DeleteItem(int32_t index)
{
    if (ValidIndex(index))
        FReports.erase(FReports.begin() + index);
}

void TLogFile::Clear()
{
    FReports.clear();
}

int32_t TLogFile::FindItem(const std::vector<std::string>& names, const std::vector<std::string>& values) const
{
    int32_t result = -1;
    const size_t pairs = std::min(names.size(), values.size());
    for (size_t r = 0; r < FReports.size(); ++r) {
        const std::string& report = FReports[r];
        for (size_t k = 0; k < pairs; ++k) {
            size_t item = report.find(CRLF + "  " + names[k] + " ");
            if (item == npos)
                continue;
            size_t lineStart = item + 2;
            size_t lineEnd = report.find(CRLF, lineStart);
            size_t colon = report.find(": ", lineStart);
            if (colon == npos || (lineEnd != npos && colon > lineEnd))
                continue;
            // The searched value in the form in which AddItem stores it.
            std::string value = NormalizeLineBreaks(values[k]);
            std::string formatted;
            if (value.find(CRLF) == npos) {
                formatted = value;
            } else {
                std::vector<std::string> lines = SplitText(QuickStringReplace(value, ": ", ":_"), CRLF);
                const std::string indent(colon - lineStart + 2, ' ');
                for (size_t i = 0; i < lines.size(); ++i) {
                    if (i > 0)
                        formatted += CRLF + indent;
                    formatted += Trim(lines[i]).empty() ? std::string(".") : lines[i];
                }
            }
            if (report.compare(colon + 2, formatted.size(), formatted) == 0 &&
                report.size() - (colon + 2) >= formatted.size()) {
                result = static_cast<int32_t>(r);
                break;
            }
        }
    }
    return result;
}

std::string TLogFile::GetItemValue(const std::string& number, int32_t index) const
{
    if (!ValidIndex(index))
        return "";
    const std::string& report = FReports[static_cast<size_t>(index)];
    size_t start = 0, end = 0;
    if (!FindValueRange(report, number, start, end))
        return "";
    std::vector<std::string> lines = SplitText(report.substr(start, end - start), CRLF);
    std::string value;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string line = lines[i];
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        if (i > 0) {
            line.erase(0, line.find_first_not_of(' ') == npos ? line.size() : line.find_first_not_of(' '));
            // An empty line of a value is stored as "." alone.
            if (line == ".")
                line = " ";
            value += CRLF;
        }
        value += line;
    }
    if (lines.size() > 1 && lines[0] == ".")
        value.replace(0, 1, " ");
    return Trim(QuickStringReplace(value, ":_", ": "));
}

void TLogFile::SetItemValue(const std::string& number, const std::string& value, const std::string& label,
                            int32_t index)
{
    if (!ValidIndex(index))
        return;
    std::string report = FReports[static_cast<size_t>(index)];
    size_t start = 0, end = 0;
    if (FindValueRange(report, number, start, end)) {
        report.replace(start, end - start, value);
        if (!EndsWith(report, ReportEnd))
            report += CRLF;
        FReports[static_cast<size_t>(index)] = report;
        return;
    }
    size_t dot = number.find('.');
    if (dot == npos)
        return;
    const std::string header = number.substr(0, dot + 1);
    size_t last = npos;
    for (int n = 1; n <= 19; ++n) {
        size_t at = report.find(CRLF + "  " + header + std::to_string(n) + " ");
        if (at != npos)
            last = at;
    }
    if (last == npos)
        return;
    size_t numberStart = last + 4;
    size_t colon = report.find(": ", numberStart);
    size_t sectionEnd = report.find("\r\n\r\n", numberStart);
    if (colon == npos || sectionEnd == npos)
        return;
    std::string name = number + " " + label;
    if (name.size() < colon - numberStart)
        name.append(colon - numberStart - name.size(), ' ');
    report.insert(sectionEnd + 2, "  " + name + ": " + value + CRLF);
    FReports[static_cast<size_t>(index)] = report;
}

std::string TLogFile::GetText() const
{
    std::string text;
    for (const std::string& report : FReports)
        text += report + CRLF;
    return text;
}

std::string TLogFile::GetItem(int32_t index) const
{
    return ValidIndex(index) ? FReports[static_cast<size_t>(index)] : std::string();
}

int32_t TLogFile::SectionIndex(const std::string& text, int32_t count, bool byBlocks)
{
    int32_t p = PosEx(TableStart, text);
    for (int32_t i = 0; i < count && p > 0; ++i) {
        if (byBlocks) {
            int32_t q = PosEx("\r\n\r\n", text, p + 4);
            p = q > 0 ? q + 4 : 0;
        } else {
            int32_t q = PosEx(":\r\n-", text, p);
            p = q > 0 ? q + 3 : 0;
        }
    }
    return p > 0 && static_cast<size_t>(p) <= text.size() ? p : 0;
}

std::string TLogFile::GetItem_Generals(int32_t index) const
{
    const std::string report = GetItem(index);
    size_t rule = FirstTableRule(report);
    if (rule == npos || rule < 2)
        return "";
    std::string text = report.substr(0, LineStart(report, rule - 2));
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

std::string TLogFile::GetItem_CallStack(int32_t index) const
{
    const std::string report = GetItem(index);
    size_t rule = FirstTableRule(report);
    if (rule == npos)
        return "";
    size_t close = report.find("-\r\n\r\n", rule);
    if (close == npos)
        return "";
    return report.substr(rule, close + 1 - rule);
}

std::string TLogFile::GetItem_Modules(int32_t index) const
{
    const std::string report = GetItem(index);
    return TableAt(report, SectionIndex(report, 1, false));
}

std::string TLogFile::GetItem_Processes(int32_t index) const
{
    if (LogVersionOlder(GetLogVersion(index), "6.0"))
        return "";
    const std::string report = GetItem(index);
    return TableAt(report, SectionIndex(report, 2, false));
}

std::string TLogFile::GetItem_Assembler(int32_t index) const
{
    if (LogVersionOlder(GetLogVersion(index), "6.0"))
        return "";
    const std::string report = GetItem(index);
    return LinesAfterRule(report, SectionIndex(report, 3, false), false);
}

std::string TLogFile::GetItem_CPU(int32_t index) const
{
    const std::string report = GetItem(index);
    if (report.find("EAX") == npos)
        return "";
    int32_t blocks = LogVersionOlder(GetLogVersion(index), "6.0") ? 2 : 4;
    int32_t p = SectionIndex(report, blocks, true);
    if (p <= 0)
        return "";
    size_t start = static_cast<size_t>(p - 1);
    size_t first = report.find("\r\n\r\n", start);
    if (first == npos)
        return "";
    size_t second = report.find("\r\n\r\n", first + 4);
    if (second == npos || second <= start)
        return "";
    return report.substr(start, second - start - 1);
}

std::string TLogFile::GetItem_Reproduce(int32_t index) const
{
    const std::string report = GetItem(index);
    // Each table holds two rule lines above rows; the next table is looked
    // for after the closing rule of the one before.
    size_t table = npos;
    for (size_t i = 0, from = 0; i < 3; ++i) {
        table = report.find(TableStart, from);
        if (table == npos)
            return "";
        from = report.find("-\r\n\r\n", table);
        if (from == npos)
            return "";
    }
    int32_t p = static_cast<int32_t>(table + 1);
    for (int i = 0; i < 3 && p > 0; ++i) {
        int32_t q = PosEx(":\r\n-", report, p);
        p = q > 0 ? q + 3 : 0;
    }
    return LinesAfterRule(report, p, true);
}

std::string TLogFile::GetLogVersion(int32_t index) const
{
    const std::string report = GetItem(index);
    if (GetCorruptedLog(index))
        return "";
    size_t end = report.find(CRLF);
    std::string first = report.substr(0, end);
    return first.size() > 10 ? first.substr(10) : std::string();
}

bool TLogFile::GetCorruptedLog(int32_t index) const
{
    return GetItem(index).compare(0, 9, "ZorvikLog") != 0;
}

void TLogFile::SetPassword(const std::string& password)
{
    FPassword = password;
    FCipher.InitKey(password);
}
