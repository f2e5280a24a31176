#include "editor/crashreport/core/report/ReportTables.h"

#include <algorithm>
#include <vector>

#include "editor/crashreport/core/capture/ModuleTexts.h"
#include "editor/crashreport/core/lookup/ModuleInfo.h"
#include "editor/crashreport/core/report/ReportValues.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/texts/CommonStrings.h"
#include "framework/SysUtils.h"

namespace {

const char* const CRLF = "\r\n";

// Columns of one table: each as wide as its label and its widest value.
class TTable {
public:
    void AddColumn(const std::string& label, size_t minimum = 0)
    {
        FLabels.push_back(label);
        FWidths.push_back(std::max(label.size(), minimum));
    }
    void Measure(const std::vector<std::string>& cells)
    {
        for (size_t i = 0; i < cells.size() && i < FWidths.size(); ++i)
            FWidths[i] = std::max(FWidths[i], cells[i].size());
    }
    size_t Width(size_t column) const { return FWidths[column]; }
    // "|" cell "|" cell ... "|" and CR LF.
    std::string Line(const std::vector<std::string>& cells) const
    {
        std::string line = "|";
        for (size_t i = 0; i < FWidths.size(); ++i) {
            std::string cell = i < cells.size() ? cells[i] : std::string();
            cell.resize(std::max(cell.size(), FWidths[i]), ' ');
            line += cell + "|";
        }
        return line + CRLF;
    }
    std::string LabelLine() const { return Line(FLabels); }
    // The cells and their bars, without the two outer bars.
    size_t InnerWidth() const
    {
        size_t width = FWidths.empty() ? 0 : FWidths.size() - 1;
        for (size_t w : FWidths)
            width += w;
        return width;
    }
    std::string Separator() const { return std::string(InnerWidth() + 2, '-'); }
    // header ":" CR LF, separator, labels, separator, the lines, separator,
    // two CR LF.
    std::string Text(const std::string& header, const std::string& body) const
    {
        const std::string separator = Separator();
        return header + ":" + CRLF + separator + CRLF + LabelLine() + separator + CRLF + body + separator + CRLF +
               CRLF;
    }

private:
    std::vector<std::string> FLabels;
    std::vector<size_t> FWidths;
};

std::string Label(const TZorvikModuleOptions& options, TMessageType id)
{
    return options.GetCustomizedExpandedTexts(id);
}

std::string HexAddress(uintptr_t value, size_t digits)
{
    return IntToHex(static_cast<int64_t>(value), static_cast<int>(digits));
}

std::string FileNameOf(const std::string& path)
{
    return ExtractFileNamePart(path);
}

std::vector<std::string> CallStackCells(const TZorvikDebugInfo& row)
{
    return {
        HexAddress(row.Address, 8),
        row.DebugDetail == ddNone || !row.ModuleInfo ? std::string() : FileNameOf(row.ModuleInfo->Path),
        row.UnitName,
        row.ClassName,
        row.ProcedureName,
        row.Line == 0 ? std::string() : std::to_string(row.Line) + "[" + std::to_string(row.LineOffset) + "]",
    };
}

std::string ThreadCaption(const TReportFacts& facts, const TZorvikModuleOptions& options, const TZorvikDebugInfo& row)
{
    if (row.LeakRow) {
        const std::string type = row.LeakType == "Data" ? Label(options, mtCallStack_LeakData) : row.LeakType;
        return Label(options, mtCallStack_LeakCaption) + ": " + Label(options, mtCallStack_LeakType) + "=" + type +
               "; " + Label(options, mtCallStack_LeakSize) + "=" + std::to_string(row.LeakSize) + "; " +
               Label(options, mtCallStack_LeakCount) + "=" + std::to_string(row.LeakCount);
    }
    std::string caption;
    if (row.ThreadKind == 0)
        caption = Label(options, mtCallStack_CallingThread) + ": ";
    else if (row.ExceptionRow)
        caption = "*" + Label(options, mtCallStack_ExceptionThread) + ": ";
    else
        caption = Label(options, mtCallStack_RunningThread) + ": ";
    const int32_t signedId = static_cast<int32_t>(row.ThreadID);
    std::string priority = "??";
    std::string className;
    for (const TReportThread& t : facts.Threads) {
        if (t.ThreadId != row.ThreadID)
            continue;
        if (t.PriorityKnown)
            priority = std::to_string(t.Priority);
        className = t.ClassName;
        break;
    }
    caption += Label(options, mtCallStack_ThreadID) + "=" + std::to_string(signedId < 0 ? 0 : row.ThreadID) + "; " +
               Label(options, mtCallStack_ThreadPriority) + "=" + priority + "; " +
               Label(options, mtCallStack_ThreadClass) + "=" + className;
    if (row.ThreadID == facts.MainThreadId)
        caption += "; [" + Label(options, mtCallStack_MainThread) + "]";
    if (!row.ThreadName.empty())
        caption += " (" + row.ThreadName + ")";
    return caption;
}

}  // namespace

uint8_t CallStackDetailSet(const TZorvikModuleOptions& options)
{
    uint8_t set = DetailBit(ddSourceCode);
    if (options.CallStackOptions().Contains(csoShowDLLs))
        set |= DetailBit(ddProcedure);
    if (options.CallStackOptions().Contains(csoShowBPLs))
        set |= DetailBit(ddUnitAndProcedure);
    return set;
}

bool CallStackRowShown(const TZorvikDebugInfo& row, uint8_t detailSet)
{
    return row.DebugDetail < 8 && (detailSet & DetailBit(row.DebugDetail)) != 0;
}

std::string SectionHeaderOnly(const std::string& label)
{
    return label + ":" + CRLF + std::string(label.size() + 1, '-');
}

std::string BuildCallStackTable(const TReportFacts& facts, const TZorvikModuleOptions& options)
{
    const uint8_t details = CallStackDetailSet(options);
    std::vector<const TZorvikDebugInfo*> rows;
    for (const TZorvikDebugInfo& row : facts.CallStack.Rows)
        if (CallStackRowShown(row, details))
            rows.push_back(&row);

    TTable table;
    table.AddColumn(Label(options, mtCallStack_Address), 8);
    table.AddColumn(Label(options, mtCallStack_Name));
    table.AddColumn(Label(options, mtCallStack_Unit));
    table.AddColumn(Label(options, mtCallStack_Class));
    table.AddColumn(Label(options, mtCallStack_Procedure));
    table.AddColumn(Label(options, mtCallStack_Line));
    std::vector<std::vector<std::string>> cells;
    for (const TZorvikDebugInfo* row : rows) {
        cells.push_back(CallStackCells(*row));
        table.Measure(cells.back());
    }

    const size_t inner = table.InnerWidth();
    const std::string dashed = "|" + std::string(inner, '-') + "|" + CRLF;
    const std::string blank = "|" + std::string(inner, ' ') + "|" + CRLF;
    std::string body;
    for (size_t i = 0; i < rows.size(); ++i) {
        const TZorvikDebugInfo& row = *rows[i];
        const bool newBlock = i == 0 || row.ThreadID != rows[i - 1]->ThreadID ||
                              row.ThreadKind != rows[i - 1]->ThreadKind || row.ExceptionRow;
        if (newBlock) {
            if (i > 0)
                body += row.ThreadKind == 0 ? dashed : dashed + blank;
            std::string caption = ThreadCaption(facts, options, row);
            caption.resize(inner, ' ');
            body += "|" + caption + "|" + CRLF + dashed;
        }
        body += table.Line(cells[i]);
    }
    return table.Text(Label(options, mtDialog_CallStackHeader), body);
}

std::string BuildModulesTable(const TReportFacts& facts, const TZorvikModuleOptions& options)
{
    TTable table;
    table.AddColumn(Label(options, mtModules_Handle), 8);
    table.AddColumn(Label(options, mtModules_Name));
    table.AddColumn(Label(options, mtModules_Description));
    table.AddColumn(Label(options, mtModules_Version));
    table.AddColumn(Label(options, mtModules_Size));
    table.AddColumn(Label(options, mtModules_LastModified));
    table.AddColumn(Label(options, mtModules_Path));
    std::vector<std::vector<std::string>> cells;
    for (const TReportModule& m : facts.Modules) {
        cells.push_back({HexAddress(m.Handle, 1), FileNameOf(m.Path), m.Description, m.Version,
                         std::to_string(m.Size), DateTimeToFileDateText(m.Modified), ModuleFolder(m.Path)});
        table.Measure(cells.back());
    }
    // The handles fill their column with leading zeros.
    std::string body;
    for (size_t i = 0; i < cells.size(); ++i) {
        cells[i][0] = HexAddress(facts.Modules[i].Handle, table.Width(0));
        body += table.Line(cells[i]);
    }
    return table.Text(Label(options, mtDialog_ModulesHeader), body);
}

std::string BuildProcessesTable(const TReportFacts& facts, const TZorvikModuleOptions& options)
{
    TTable table;
    table.AddColumn(Label(options, mtProcesses_ID));
    table.AddColumn(Label(options, mtProcesses_Name));
    table.AddColumn(Label(options, mtProcesses_Description));
    table.AddColumn(Label(options, mtProcesses_Version));
    table.AddColumn(Label(options, mtProcesses_Memory));
    table.AddColumn(Label(options, mtProcesses_Priority));
    table.AddColumn(Label(options, mtProcesses_Threads));
    table.AddColumn(Label(options, mtProcesses_Path));
    std::vector<std::vector<std::string>> cells;
    for (const TReportProcess& p : facts.Processes) {
        cells.push_back({std::to_string(p.ProcessId), FileNameOf(p.Path), p.Description, p.Version,
                         std::to_string(p.Memory), PriorityClassName(p.PriorityClass), ThreadCountText(p.Threads),
                         ModuleFolder(p.Path)});
        table.Measure(cells.back());
    }
    std::string body;
    for (const std::vector<std::string>& row : cells)
        body += table.Line(row);
    return table.Text(Label(options, mtDialog_ProcessesHeader), body);
}
