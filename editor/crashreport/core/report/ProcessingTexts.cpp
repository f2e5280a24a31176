#include "editor/crashreport/core/report/ProcessingTexts.h"

#include <cxxabi.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "editor/crashreport/core/lookup/ModuleInfo.h"
#include "editor/crashreport/support/archive/Crc.h"
#include "editor/crashreport/support/log/LogItem.h"

namespace {

std::string Lower(std::string s)
{
    for (char& ch : s)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return s;
}

std::string Hex8(uintptr_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%08llX", static_cast<unsigned long long>(value & 0xFFFFFFFFu));
    return text;
}

std::string FileNameOnly(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

std::vector<std::string> SplitFields(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t bar = line.find('|', start);
        fields.push_back(line.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    return fields;
}

// A whole decimal number; false for anything else.
bool ParseNumber(const std::string& text, long long& value)
{
    if (text.empty() || text.size() > 19)
        return false;
    size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size())
        return false;
    for (size_t k = i; k < text.size(); ++k)
        if (!std::isdigit(static_cast<unsigned char>(text[k])))
            return false;
    value = std::strtoll(text.c_str(), nullptr, 10);
    return true;
}

}  // namespace

std::string FocusedControlText(const std::string& text, const std::string& className, bool unicodeWindow,
                               bool readOnly, bool password)
{
    if (unicodeWindow)
        return "";
    const std::string name = Lower(className);
    const bool edit = name.find("edit") != std::string::npos;
    const bool memo = name.find("memo") != std::string::npos;
    if ((edit || memo) && readOnly)
        return "";
    if (edit && password)
        return std::string(text.size(), '*');
    return text;
}

std::string ExceptionIdentifier(const std::string& pieces, const std::vector<TZorvikDebugInfo>& rows)
{
    std::string text = pieces;
    if (!rows.empty()) {
        const uint32_t thread = rows.front().ThreadID;
        for (const TZorvikDebugInfo& r : rows)
            if (r.DebugDetail == ddSourceCode && r.ThreadID == thread)
                text += r.UnitName + r.ClassName + r.ProcedureName + std::to_string(r.LineOffset);
    }
    char id[8];
    std::snprintf(id, sizeof id, "%04X", static_cast<unsigned>(GetCRC16(text)));
    return id;
}

TOutputRoad OutputRoad(TOutputKind kind, bool consoleProgram, bool webServerProgram)
{
    switch (kind) {
    case TOutputKind::WebServer:
        return TOutputRoad::WebServer;
    case TOutputKind::Automatic:
        if (webServerProgram)
            return TOutputRoad::WebServer;
        break;
    case TOutputKind::UserInterface:
        break;
    }
    return consoleProgram ? TOutputRoad::Console : TOutputRoad::UserInterface;
}

TWaitingMessageAction WaitingMessageAction(uint32_t message)
{
    if (message == 18)  // WM_QUIT
        return TWaitingMessageAction::Drop;
    const bool key = (message >= 256 && message <= 258) || (message >= 260 && message <= 262);
    const bool click = message >= 513 && message <= 521;
    const bool frameClick = message >= 161 && message <= 169;
    return key || click || frameClick ? TWaitingMessageAction::DropWithBeep : TWaitingMessageAction::Dispatch;
}

std::vector<std::string> CallStackTableLines(const TZorvikStackList& list, const std::array<std::string, 6>& headings)
{
    std::vector<std::array<std::string, 6>> rows;
    for (const TZorvikDebugInfo& r : list.Rows) {
        if (r.DebugDetail != ddProcedure && r.DebugDetail != ddUnitAndProcedure && r.DebugDetail != ddSourceCode)
            continue;
        std::array<std::string, 6> cells{Hex8(r.Address), r.ModuleInfo ? FileNameOnly(r.ModuleInfo->Path) : std::string(), r.UnitName, r.ClassName, r.ProcedureName,
                                         r.Line ? std::to_string(r.Line) + "[" + std::to_string(r.LineOffset) + "]"
                                                : std::string()};
        rows.push_back(cells);
    }
    std::vector<std::string> lines;
    if (rows.empty())
        return lines;
    std::array<size_t, 6> widths{};
    for (size_t i = 0; i < 6; ++i)
        widths[i] = headings[i].size();
    widths[0] = std::max<size_t>(widths[0], 8);
    for (const auto& cells : rows)
        for (size_t i = 0; i < 6; ++i)
            widths[i] = std::max(widths[i], cells[i].size());
    size_t total = 7;
    for (size_t w : widths)
        total += w;
    auto row = [&](const std::array<std::string, 6>& cells) {
        std::string line = "|";
        for (size_t i = 0; i < 6; ++i)
            line += cells[i] + std::string(widths[i] - cells[i].size(), ' ') + "|";
        return line;
    };
    const std::string rule(total, '-');
    lines.push_back(rule);
    lines.push_back(row(headings));
    lines.push_back(rule);
    for (const auto& cells : rows)
        lines.push_back(row(cells));
    lines.push_back(rule);
    return lines;
}

TZorvikStackList ParseCallStackText(const std::string& text,
                                    const std::function<TZorvikModuleInfo*(const std::string& path)>& moduleOf)
{
    TZorvikStackList list;
    uint32_t thread = 0;
    std::string lastThreadName;
    bool first = true;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::vector<std::string> f = SplitFields(line);
        long long address = 0, lineNumber = 0, offset = 0;
        if (f.size() != 8 || !ParseNumber(f[0], address) || !ParseNumber(f[5], lineNumber) ||
            !ParseNumber(f[6], offset))
            continue;
        TZorvikDebugInfo r;
        r.Address = static_cast<uintptr_t>(address);
        r.ModuleInfo = moduleOf ? moduleOf(f[1]) : nullptr;
        r.UnitName = f[2];
        r.ClassName = f[3];
        r.ProcedureName = f[4];
        r.Line = static_cast<int32_t>(lineNumber);
        r.LineOffset = static_cast<int32_t>(offset);
        r.ThreadName = f[7];
        r.DebugDetail = r.Line != 0 ? ddSourceCode : ddUnitAndProcedure;
        r.LeakRow = false;
        if (r.ClassName.empty()) {
            const size_t dot = r.ProcedureName.rfind('.');
            if (dot != std::string::npos) {
                r.ClassName = r.ProcedureName.substr(0, dot);
                r.ProcedureName = r.ProcedureName.substr(dot + 1);
            }
        }
        // Thread numbers start at 0 and go down with every new thread name.
        const bool newThread = !first && r.ThreadName != lastThreadName;
        if (newThread)
            --thread;
        r.ThreadID = thread;
        r.ThreadKind = static_cast<uint8_t>(first || newThread ? 1 : 0);
        r.ExceptionRow = first;
        lastThreadName = r.ThreadName;
        first = false;
        list.Rows.push_back(r);
        if (end == text.size())
            break;
    }
    return list;
}

bool FastMMRowAccepted(TZorvikDebugDetail detail, bool widenToProcedure, bool widenToUnit)
{
    if (widenToProcedure && widenToUnit)
        return true;
    if (detail == ddSourceCode)
        return true;
    if (widenToProcedure && detail >= ddProcedure)
        return true;
    return widenToUnit && detail >= ddUnitAndProcedure;
}

std::string FastMMRowText(const TZorvikDebugInfo& row, const std::string& moduleName, bool showOffset)
{
    std::string text = " " + Hex8(row.Address) + " [" + FileNameOnly(moduleName) + "] ";
    if (!row.UnitName.empty())
        text += row.UnitName + " ";
    text += "- ";
    if (!row.ProcedureName.empty())
        text += (row.ClassName.empty() ? row.ProcedureName : row.ClassName + "." + row.ProcedureName) + " ";
    if (row.Line != 0) {
        text += "(Line: " + std::to_string(row.Line);
        if (showOffset)
            text += "[" + std::to_string(row.LineOffset) + "]";
        text += ")";
    }
    return text.substr(0, 255);
}

std::vector<std::string> ExceptionClassChain(const std::type_info* type)
{
    std::vector<std::string> chain;
    for (int guard = 0; type && guard < 64; ++guard) {
        int status = 0;
        char* name = abi::__cxa_demangle(type->name(), nullptr, nullptr, &status);
        chain.push_back(name ? name : type->name());
        std::free(name);
        if (auto si = dynamic_cast<const abi::__si_class_type_info*>(type))
            type = si->__base_type;
        else if (auto vmi = dynamic_cast<const abi::__vmi_class_type_info*>(type))
            type = vmi->__base_count ? vmi->__base_info[0].__base_type : nullptr;
        else
            type = nullptr;
    }
    return chain;
}

std::string ReportSectionText(const std::string& heading,
                              const std::vector<std::pair<std::string, std::string>>& items)
{
    if (items.empty())
        return "";
    TLogItem item(7);
    item.AddHeader(heading);
    for (const auto& [label, value] : items)
        item.AddItem(label, value, true);
    return item.GetString();
}

std::vector<std::pair<std::string, std::string>> TrimmedItems(
    const std::vector<std::pair<std::string, std::string>>& items)
{
    auto trim = [](const std::string& s) {
        const size_t a = s.find_first_not_of(" \t");
        if (a == std::string::npos)
            return std::string();
        return s.substr(a, s.find_last_not_of(" \t") - a + 1);
    };
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& [label, value] : items) {
        std::pair<std::string, std::string> t{trim(label), trim(value)};
        if (!t.first.empty() || !t.second.empty())
            out.push_back(std::move(t));
    }
    return out;
}

void InsertReportSection(std::string& general, std::string& report, const std::string& section)
{
    if (section.empty())
        return;
    const size_t at = std::min(general.size() + 2, report.size());
    report.insert(at, section + "\r\n");
    general = report.substr(0, std::min(report.size(), general.size() + 2 + section.size()));
}
