// The XML form of the log: every section of a report becomes one element.
#include <algorithm>
#include <map>

#include "editor/crashreport/support/archive/Base64.h"
#include "editor/crashreport/support/log/LogFile.h"
#include "editor/crashreport/support/log/XmlBuilder.h"
#include "editor/crashreport/support/texts/CommonStrings.h"
#include "framework/SysUtils.h"

namespace {

const std::string CRLF = "\r\n";
constexpr size_t npos = std::string::npos;

// Extensions given to deciphered unit names, the same as the address lookup uses.
const char* const UnitSourceExtension = ".pas";
const char* const SecondSourceExtension = ".cpp";

std::vector<std::string> Lines(const std::string& text)
{
    if (text.empty())
        return {};
    return SplitText(text, CRLF);
}

// Characters [from, from + count) of a line; shorter or empty past its end.
std::string Part(const std::string& line, size_t from, size_t count)
{
    return from < line.size() ? line.substr(from, count) : std::string();
}

bool EndsWithCRLF(const std::string& text)
{
    return text.size() >= 2 && text.compare(text.size() - 2, 2, CRLF) == 0;
}

// Every line but the first and the last indented by two blanks; each line
// followed by CR LF.
std::string IndentInner(const std::string& text)
{
    std::vector<std::string> lines = SplitText(text, CRLF);
    if (!lines.empty() && lines.back().empty() && EndsWithCRLF(text))
        lines.pop_back();
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i)
        out += (i > 0 && i + 1 < lines.size() ? "  " : "") + lines[i] + CRLF;
    return out;
}

// The table rows between the column titles and the closing rule; inner
// rules left out; each row cut into its trimmed cells.
std::vector<std::vector<std::string>> TableRows(const std::string& table)
{
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> lines = Lines(table);
    for (size_t i = 3; i + 1 < lines.size(); ++i) {
        if (lines[i].compare(0, 2, "|-") == 0)
            continue;
        std::vector<std::string> cells;
        ExtractStringsEx("|", lines[i], cells);
        rows.push_back(std::move(cells));
    }
    return rows;
}

void AddCells(TXMLItem* item, const std::vector<std::string>& cells, std::initializer_list<const char*> names,
              size_t first = 0)
{
    size_t i = first;
    for (const char* name : names) {
        if (i < cells.size())
            item->AddField(name, cells[i]);
        ++i;
    }
}

// Text after the first "=" of a cell.
std::string AfterEquals(const std::string& cell)
{
    size_t p = cell.find('=');
    return p == npos ? std::string() : cell.substr(p + 1);
}

bool PlainName(const std::string& name)
{
    return std::all_of(name.begin(), name.end(), [](char ch) {
        unsigned char c = static_cast<unsigned char>(ch);
        return c == '.' || (c >= '0' && c <= '9') || (c >= 64 && c <= 90) || c == '_' || (c >= 'a' && c <= 'z');
    });
}

bool HasExtension(const std::string& name)
{
    size_t dot = name.rfind('.');
    return dot != npos && name.find_first_of("\\/", dot) == npos;
}

}  // namespace

std::string TLogFile::DecipherName(const std::string& text) const
{
    std::string bytes = Base64DecodeString(text);
    if (!bytes.empty())
        FCipher.Decrypt(bytes.data(), bytes.data(), static_cast<int32_t>(bytes.size()));
    return bytes;
}

std::string TLogFile::GetItem_GeneralsXML(int32_t index) const
{
    if (!ValidIndex(index))
        return "";
    TXMLItem root("General");
    std::vector<std::string> lines = Lines(GetItem_Generals(index));
    TXMLItem* group = nullptr;
    TXMLItem* line = nullptr;
    std::string title, pending;
    bool hasPending = false, expectTitle = true, firstItem = false;

    auto writeOut = [&]() {
        if (!hasPending || !line)
            return;
        hasPending = false;
        std::string v = pending;
        if (v.compare(0, 3, ".\r\n") == 0)
            v.erase(0, 1);
        if (v.size() >= 3 && v.compare(v.size() - 3, 3, "\r\n.") == 0)
            v.pop_back();
        v = QuickStringReplace(v, ":_", ": ");
        v = QuickStringReplace(v, "\n.\r", "\n\r");
        line->AddField("Value", v);
    };

    for (size_t i = 2; i < lines.size(); ++i) {
        if (expectTitle) {
            if (lines[i].empty())
                continue;
            group = root.AddItem("Group");
            line = nullptr;
            title = lines[i];
            if (!title.empty() && title.back() == ':')
                title.pop_back();
            ++i;  // the rule line
            expectTitle = false;
            firstItem = true;
            continue;
        }
        if (lines[i].empty()) {
            writeOut();
            expectTitle = true;
            continue;
        }
        std::string t = Trim(lines[i]);
        size_t a = t.find(": ");
        if (a == npos && !t.empty() && t.back() == ':')
            a = t.size() - 1;
        if (a == npos) {
            if (!t.empty() && hasPending)
                pending += CRLF + t;
            continue;
        }
        writeOut();
        std::string number = t.substr(0, std::min(t.find(' '), a));
        if (firstItem) {
            group->AddField("ID", number.substr(0, number.find('.')));
            group->AddField("Label", title);
            firstItem = false;
        }
        line = group->AddItem("Line");
        line->AddField("ID", number);
        line->AddField("Label", Trim(t.substr(number.size(), a - number.size())));
        pending = Part(t, a + 2, npos);
        hasPending = true;
    }
    writeOut();
    return root.GetXMLText();
}

std::string TLogFile::GetItem_CallStackXML(int32_t index) const
{
    if (!ValidIndex(index))
        return "";
    TXMLItem root("CallStack");
    std::vector<std::string> lines = Lines(GetItem_CallStack(index));
    if (lines.size() <= 4)
        return root.GetXMLText();
    TXMLItem* thread = nullptr;  // the top-level thread element
    TXMLItem* current = nullptr;  // the element that takes call rows
    if (LogVersionOlder(GetLogVersion(index), "5.0"))
        thread = current = root.AddItem("ExceptionThread");
    bool sawThread = false, afterEmpty = false;

    for (const std::vector<std::string>& cells : TableRows(GetItem_CallStack(index))) {
        if (cells.size() < 6) {
            if (cells.empty() || cells[0].empty()) {
                afterEmpty = true;
                continue;
            }
            std::vector<std::string> pieces{cells[0]};
            size_t colon = cells[0].find(':');
            if (colon != npos)
                ExtractStringsEx(";", Part(cells[0], colon + 2, npos), pieces);
            TXMLItem* item;
            if (!sawThread || !thread) {
                item = thread = root.AddItem("ExceptionThread");
            } else if (afterEmpty) {
                item = thread = root.AddItem("RunningThread");
            } else {
                item = thread->AddItem("CallingThread");
            }
            if (pieces.size() > 1)
                item->AddField("ID", AfterEquals(pieces[1]));
            if (pieces.size() > 2)
                item->AddField("Priority", AfterEquals(pieces[2]));
            if (pieces.size() > 3)
                item->AddField("Class", AfterEquals(pieces[3]));
            item->AddField("MainThread", pieces.size() >= 5 ? "True" : "False");
            current = item;
            sawThread = true;
            afterEmpty = false;
            continue;
        }
        afterEmpty = false;
        if (!current)
            continue;  // no thread to put the call into
        std::string unit = cells[2], cls = cells[3], proc = cells[4];
        if (!FPassword.empty() && unit.size() >= 2 && unit[0] == '?') {
            std::string u = DecipherName(unit.substr(2));
            if (!HasExtension(u))
                u += unit[1] == 'p' ? UnitSourceExtension : SecondSourceExtension;
            std::string p = proc.empty() ? std::string() : DecipherName(proc.substr(1));
            std::string c;
            size_t dot = p.find('.');
            if (dot != npos) {
                c = p.substr(0, dot);
                p = p.substr(dot + 1);
            } else if (!cls.empty()) {
                c = DecipherName(cls.substr(1));
            }
            if (PlainName(u) && PlainName(c) && PlainName(p)) {
                unit = u;
                cls = c;
                proc = p;
            }
        }
        if (!proc.empty() && proc[0] == '@')
            proc[0] = '_';
        const std::string& lineCell = cells[5];
        std::string number = lineCell, offset;
        size_t bracket = lineCell.find('[');
        if (bracket != npos) {
            number = lineCell.substr(0, bracket);
            offset = lineCell.size() > bracket + 2 ? lineCell.substr(bracket + 1, lineCell.size() - bracket - 2) : "";
        }
        TXMLItem* call = current->AddItem("Line");
        call->AddField("Address", cells[0]);
        call->AddField("Module", cells[1]);
        call->AddField("Unit", unit);
        call->AddField("Class", cls);
        call->AddField("Procedure", proc);
        call->AddField("Number", number);
        call->AddField("Offset", offset);
    }
    return root.GetXMLText();
}

std::string TLogFile::GetItem_ModulesXML(int32_t index) const
{
    if (!ValidIndex(index))
        return "";
    TXMLItem root("Modules");
    for (const std::vector<std::string>& cells : TableRows(GetItem_Modules(index))) {
        TXMLItem* item = root.AddItem("Module");
        AddCells(item, cells, {"Handle", "Name", "Description", "Version", "Size"});
        if (cells.size() >= 7)
            AddCells(item, cells, {"Modified", "Path"}, 5);
        else
            AddCells(item, cells, {"Path"}, 5);
    }
    return root.GetXMLText();
}

std::string TLogFile::GetItem_ProcessesXML(int32_t index) const
{
    if (!ValidIndex(index))
        return "";
    TXMLItem root("Processes");
    for (const std::vector<std::string>& cells : TableRows(GetItem_Processes(index))) {
        TXMLItem* item = root.AddItem("Process");
        AddCells(item, cells, {"ID", "Name", "Description", "Version", "Memory", "Priority", "Threads", "Path"});
    }
    return root.GetXMLText();
}

std::string TLogFile::GetItem_AssemblerXML(int32_t index) const
{
    if (!ValidIndex(index))
        return "";
    TXMLItem root("Assembler");
    for (const std::string& text : Lines(GetItem_Assembler(index))) {
        std::string t = Trim(text);
        std::string address, command, comment;
        if (!t.empty() && t[0] == ';') {
            comment = t.substr(1);
        } else {
            address = Part(t, 0, 8);
            size_t semicolon = t.find(';', std::min<size_t>(10, t.size()));
            command = Part(t, 10, semicolon == npos ? npos : semicolon - 10);
            comment = semicolon == npos ? std::string() : t.substr(semicolon + 1);
        }
        TXMLItem* item = root.AddItem("Line");
        item->AddField("Address", address);
        item->AddField("Command", command);
        item->AddField("Comment", comment);
    }
    return root.GetXMLText();
}

std::string TLogFile::GetItem_CPUXML(int32_t index) const
{
    if (!ValidIndex(index))
        return "";
    TXMLItem root("CPU");
    const std::string text = GetItem_CPU(index);
    if (Trim(text).empty())
        return root.GetXMLText();
    std::vector<std::string> lines = Lines(text);
    static const char* const pairs[4][2] = {{"EAX", "EDI"}, {"EBX", "ESI"}, {"ECX", "ESP"}, {"EDX", "EIP"}};
    std::map<std::string, std::string> registers;
    for (size_t i = 2; i <= 5 && i < lines.size(); ++i) {
        registers[pairs[i - 2][0]] = Part(lines[i], 5, 8);
        registers[pairs[i - 2][1]] = Part(lines[i], 21, 8);
    }
    TXMLItem* regs = root.AddItem("Registers");
    for (const char* name : {"EAX", "EBX", "ECX", "EDX", "EDI", "ESI", "ESP", "EIP"}) {
        auto it = registers.find(name);
        if (it != registers.end() && it->second != "????    ")
            regs->AddField(name, it->second);
    }
    TXMLItem* stack = root.AddItem("Stack");
    TXMLItem* dump = root.AddItem("MemoryDump");
    for (size_t i = 9; i < lines.size(); ++i) {
        TXMLItem* s = stack->AddItem("Line");
        s->AddField("Address", Part(lines[i], 0, 8));
        s->AddField("Value", Part(lines[i], 10, 8));
        TXMLItem* d = dump->AddItem("Line");
        d->AddField("Address", Part(lines[i], 21, 8));
        d->AddField("Bytes", Part(lines[i], 31, 47));
        d->AddField("Chars", Part(lines[i], 80, 16));
    }
    return root.GetXMLText();
}

std::string TLogFile::GetItem_ReproduceXML(int32_t index) const
{
    if (!ValidIndex(index) || !LogVersionOlder(GetLogVersion(index), "5.0"))
        return "";
    TXMLItem root("HoToReproduce");
    root.AddField("Text", GetItem_Reproduce(index));
    return root.GetXMLText();
}

std::string TLogFile::GetItem_XML(int32_t index) const
{
    if (!ValidIndex(index))
        return "";
    std::string text = "<Log Version=\"" + TXMLItem::EncodedString(GetLogVersion(index)) + "\">" + CRLF;
    text += GetItem_GeneralsXML(index);
    text += GetItem_CallStackXML(index);
    text += GetItem_ModulesXML(index);
    text += GetItem_ProcessesXML(index);
    text += GetItem_AssemblerXML(index);
    text += GetItem_CPUXML(index);
    text += GetItem_ReproduceXML(index);
    text += "</Log>";
    return IndentInner(text);
}

std::string TLogFile::GetXML() const
{
    std::string text = "<Doc>" + CRLF;
    for (int32_t i = 0; i < GetCount(); ++i)
        text += GetItem_XML(i);
    text += "</Doc>";
    return IndentInner(text);
}
