#include "editor/crashreport/core/dialogs/DetailedPageRows.h"

#include <cctype>
#include <cmath>
#include <cstdio>

#include "editor/crashreport/core/lookup/ModuleInfo.h"
#include "editor/crashreport/support/options/ModuleOptions.h"

namespace {

std::string Upper(std::string s)
{
    for (auto& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string Text(const TCallStackRowsContext& context, TMessageType id)
{
    return context.Options ? context.Options->GetCustomizedExpandedTexts(id) : std::string();
}

// Whether the dialog lists a row of this detail: source lines always,
// procedures of libraries and units of packages when the options ask.
bool ShownInDialog(const TZorvikDebugInfo& row, const TZorvikModuleOptions* options)
{
    TCallStackOptions set = options ? options->CallStackOptions() : TCallStackOptions{};
    switch (row.DebugDetail) {
    case ddSourceCode: return true;
    case ddProcedure: return set.Contains(csoShowDLLs);
    case ddUnitAndProcedure:
        if (!set.Contains(csoShowBPLs))
            return false;
        return !(row.ModuleInfo && row.ModuleInfo->ModuleType == TZorvikModuleType::mtMainModule);
    default: return false;
    }
}

int32_t ModuleImage(const TZorvikModuleInfo* module)
{
    if (!module)
        return 0;
    switch (module->ModuleType) {
    case TZorvikModuleType::mtMainModule: return 2;
    case TZorvikModuleType::mtFrameworkPackage: return 1;
    default: return 0;
    }
}

std::string Extension(const std::string& path)
{
    std::string name = PathFileName(path);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : Upper(name.substr(dot));
}

}  // namespace

std::string ShortVersion(const std::string& version)
{
    size_t first = version.find('.');
    if (first == std::string::npos)
        return version;
    size_t second = version.find('.', first + 1);
    if (second == std::string::npos)
        return version;
    return version.substr(0, second + 1) + "x";
}

std::string KbText(uint64_t bytes)
{
    if (bytes == 0)
        return "";
    uint64_t q = bytes / 1024, r = bytes % 1024;
    if (r > 512 || (r == 512 && (q & 1)))
        ++q;
    return std::to_string(q) + " Kb";
}

std::string PathFileName(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string PathFolder(const std::string& path)
{
    std::string p = path;
    if (p.compare(0, 4, "\\??\\") == 0)
        p.erase(0, 4);
    size_t slash = p.find_last_of("\\/");
    if (slash == std::string::npos)
        return "";
    if (slash > 0 && p[slash - 1] == ':')
        return p.substr(0, slash + 1);
    return p.substr(0, slash);
}

std::string PriorityClassText(uint32_t priorityClass)
{
    switch (priorityClass) {
    case 32: return "Normal";
    case 64: return "Low";
    case 128: return "High";
    case 256: return "Real-Time";
    case 0x4000: return "Below-Normal";
    case 0x8000: return "Above-Normal";
    default: return "";
    }
}

std::string DateTimeText(double date)
{
    if (date == 0 || !std::isfinite(date) || date < -657434 || date > 2958466)
        return "";
    double dayPart = std::floor(date);
    int64_t seconds = std::llround((date - dayPart) * 86400.0);
    int64_t days = static_cast<int64_t>(dayPart);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++days;
    }
    // Days since 1899-12-30 to a civil date (days from 1970-01-01 first).
    int64_t z = days - 25569 + 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t y = yoe + era * 400;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    int64_t d = doy - (153 * mp + 2) / 5 + 1;
    int64_t m = mp < 10 ? mp + 3 : mp - 9;
    if (m <= 2)
        ++y;
    char buf[128];
    std::snprintf(buf, sizeof buf, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld", static_cast<long long>(y),
                  static_cast<long long>(m), static_cast<long long>(d), static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return buf;
}

std::string HexAddress(uintptr_t address)
{
    char buf[24];
    std::snprintf(buf, sizeof buf, "%08llX", static_cast<unsigned long long>(address));
    return buf;
}

std::vector<TPageRow> ModulesRows(const std::vector<TReportModule>& modules)
{
    std::vector<TPageRow> rows;
    for (const TReportModule& m : modules) {
        TPageRow row;
        row.Texts = {HexAddress(m.Handle),
                     PathFileName(m.Path),
                     m.Description,
                     ShortVersion(m.Version),
                     KbText(m.Size),
                     DateTimeText(m.Modified),
                     PathFolder(m.Path)};
        std::string ext = Extension(m.Path);
        row.Image = (ext == ".BPL" || ext == ".DPL") ? 1 : ext == ".EXE" ? 2 : 0;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<TPageRow> ProcessesRows(const std::vector<TReportProcess>& processes)
{
    std::vector<TPageRow> rows;
    for (const auto& p : processes) {
        TPageRow row;
        row.Texts = {std::to_string(p.ProcessId),
                     PathFileName(p.Path),
                     p.Description,
                     ShortVersion(p.Version),
                     KbText(p.Memory),
                     PriorityClassText(p.PriorityClass),
                     p.Threads == 0 ? std::string("??") : std::to_string(p.Threads),
                     PathFolder(p.Path)};
        row.Image = 2;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string GroupCaption(const TZorvikDebugInfo& row, const TCallStackRowsContext& context)
{
    if (row.LeakRow) {
        std::string type = row.LeakType == "Data" ? Text(context, mtCallStack_LeakData) : row.LeakType;
        return Text(context, mtCallStack_LeakCaption) + ": " + Text(context, mtCallStack_LeakType) + "=" + type +
               "; " + Text(context, mtCallStack_LeakSize) + "=" + std::to_string(row.LeakSize) + "; " +
               Text(context, mtCallStack_LeakCount) + "=" + std::to_string(row.LeakCount);
    }
    std::string caption;
    if (row.ExceptionRow)
        caption = Text(context, mtCallStack_ExceptionThread) + ": ";
    else if (row.ThreadKind == 0)
        caption = Text(context, mtCallStack_CallingThread) + ": ";
    else
        caption = Text(context, mtCallStack_RunningThread) + ": ";
    if (!context.CallFromCOMObject) {
        TThreadFacts facts;
        if (context.ThreadFacts)
            facts = context.ThreadFacts(row.ThreadID);
        int64_t id = static_cast<int32_t>(row.ThreadID);
        caption += Text(context, mtCallStack_ThreadID) + "=" + std::to_string(id < 0 ? 0 : id) + "; " +
                   Text(context, mtCallStack_ThreadPriority) + "=" + (facts.Listed ? facts.Priority : "??");
        if (facts.Listed && !facts.ClassName.empty())
            caption += "; " + Text(context, mtCallStack_ThreadClass) + "=" + facts.ClassName;
        if (facts.MainThread)
            caption += "; [" + Text(context, mtCallStack_MainThread) + "]";
    }
    if (!row.ThreadName.empty())
        caption += " (" + row.ThreadName + ")";
    return caption;
}

std::vector<TPageRow> CallStackRows(const std::vector<TZorvikDebugInfo>& stack, const TCallStackRowsContext& context)
{
    std::vector<TPageRow> rows;
    bool havePrevious = false;
    uint32_t previousThread = 0;
    uint8_t previousKind = 0;
    bool firstGroup = true;
    for (const auto& info : stack) {
        if (!ShownInDialog(info, context.Options))
            continue;
        bool newGroup = !havePrevious || info.ThreadID != previousThread || info.ThreadKind != previousKind ||
                        info.ExceptionRow;
        havePrevious = true;
        previousThread = info.ThreadID;
        previousKind = info.ThreadKind;
        if (newGroup) {
            if (info.ThreadKind == 1 && !firstGroup)
                rows.push_back(TPageRow{std::vector<std::string>(5), -1, 0, false, ""});
            rows.push_back(TPageRow{std::vector<std::string>(5), -1,
                                    static_cast<intptr_t>(info.ThreadKind + 2 * (info.ExceptionRow ? 1 : 0)), true,
                                    GroupCaption(info, context)});
            firstGroup = false;
        }
        TPageRow row;
        std::string line;
        if (info.Line != 0)
            line = std::to_string(info.Line) + "[" + std::to_string(info.LineOffset) + "]";
        row.Texts = {HexAddress(info.Address),
                     info.DebugDetail == ddNone || !info.ModuleInfo ? std::string() : PathFileName(info.ModuleInfo->Path),
                     info.UnitName,
                     info.ClassName,
                     info.ProcedureName,
                     line};
        row.Image = info.DebugDetail == ddSourceCode ? 3 : ModuleImage(info.ModuleInfo);
        rows.push_back(std::move(row));
    }
    return rows;
}

TLinePlace ParseLineText(const std::string& lineText)
{
    TLinePlace place;
    size_t i = 0;
    int64_t line = 0;
    while (i < lineText.size() && std::isdigit(static_cast<unsigned char>(lineText[i])) && line < 100000000)
        line = line * 10 + (lineText[i++] - '0');
    place.Line = static_cast<int32_t>(line);
    size_t open = lineText.find('[');
    if (open != std::string::npos) {
        size_t j = open + 1;
        int64_t offset = 0;
        bool any = false;
        while (j < lineText.size() && std::isdigit(static_cast<unsigned char>(lineText[j])) && offset < 100000000) {
            offset = offset * 10 + (lineText[j++] - '0');
            any = true;
        }
        if (any)
            place.Offset = static_cast<int32_t>(offset);
    }
    return place;
}

TDetailedReportPages DetailedReportPages(const TReportFacts& facts, const std::string& general,
                                         const std::string& assembler, const std::string& cpu,
                                         const TZorvikModuleOptions* options, bool callFromCOMObject)
{
    TDetailedReportPages pages;
    pages.General = general;
    pages.Assembler = assembler;
    pages.CPU = cpu;
    TCallStackRowsContext context;
    context.Options = options;
    context.CallFromCOMObject = callFromCOMObject;
    const std::vector<TReportThread> threads = facts.Threads;
    const uint32_t mainThread = facts.MainThreadId;
    context.ThreadFacts = [threads, mainThread](uint32_t id) {
        TThreadFacts f;
        for (const auto& t : threads)
            if (t.ThreadId == id) {
                f.Listed = true;
                f.Priority = t.PriorityKnown ? std::to_string(t.Priority) : "??";
                f.ClassName = t.ClassName;
            }
        f.MainThread = f.Listed && id == mainThread;
        return f;
    };
    pages.CallStack = CallStackRows(facts.CallStack.Rows, context);
    pages.Modules = ModulesRows(facts.Modules);
    pages.Processes = ProcessesRows(facts.Processes);
    // The compile date of the module that holds an address: the modules the
    // call stack's rows name know theirs.
    std::vector<std::pair<uintptr_t, uintptr_t>> spans;
    std::vector<double> dates;
    for (const auto& row : facts.CallStack.Rows)
        if (row.ModuleInfo) {
            spans.emplace_back(row.ModuleInfo->Handle, row.ModuleInfo->Handle + row.ModuleInfo->Size);
            dates.push_back(row.ModuleInfo->CompileDate);
        }
    pages.CompileDate = [spans, dates](uintptr_t address) {
        for (size_t i = 0; i < spans.size(); ++i)
            if (address >= spans[i].first && address < spans[i].second)
                return dates[i];
        return 0.0;
    };
    return pages;
}
