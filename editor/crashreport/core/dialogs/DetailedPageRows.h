#pragma once
// The rows of the detailed dialog's list pages (call stack, modules,
// processes), made from the report's records, and the texts of their cells.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/crashreport/core/lookup/DebugInfoTypes.h"
#include "editor/crashreport/core/report/ReportFacts.h"
#include "editor/crashreport/support/options/OptionTypes.h"

class TZorvikModuleOptions;

// One row of a list page, as the collapsible rows take it.
struct TPageRow {
    std::vector<std::string> Texts;
    int32_t Image = -1;  // 0 DLL, 1 package, 2 program, 3 source, -1 none
    intptr_t Data = 0;
    bool Parent = false;
    std::string Caption;
    bool operator==(const TPageRow&) const = default;
};

// "1.2.3.4" gives "1.2.x"; a version with fewer than two dots stays whole.
std::string ShortVersion(const std::string& version);
// Bytes as rounded kilobytes ("13 Kb"), ties to even; empty for 0 bytes.
std::string KbText(uint64_t bytes);
// The file name of a path (after the last "\" or "/").
std::string PathFileName(const std::string& path);
// The folder of a path: without its file name, without the final "\"
// unless that follows a ":", and without a leading "\??\".
std::string PathFolder(const std::string& path);
// "Normal", "Low", "High", "Real-Time", "Below-Normal", "Above-Normal"; else empty.
std::string PriorityClassText(uint32_t priorityClass);
// "yyyy-mm-dd hh:nn:ss" of a date in days since 1899-12-30; empty for 0.
std::string DateTimeText(double date);
// At least 8 upper-case hexadecimal digits.
std::string HexAddress(uintptr_t address);

// The modules and processes pages, one row per entry of the report's lists.
std::vector<TPageRow> ModulesRows(const std::vector<TReportModule>& modules);
std::vector<TPageRow> ProcessesRows(const std::vector<TReportProcess>& processes);

// What the threads list knows of a thread, for a group caption.
struct TThreadFacts {
    bool Listed = false;        // false: priority "??" and no class
    std::string Priority;       // the priority number as text, or "??"
    std::string ClassName;      // of the thread's framework object; empty when none
    bool MainThread = false;
};

// The texts the captions and rows are made of, and the options they follow.
struct TCallStackRowsContext {
    const TZorvikModuleOptions* Options = nullptr;
    bool CallFromCOMObject = false;
    std::function<TThreadFacts(uint32_t)> ThreadFacts;
};

// The caption of the group that a row opens.
std::string GroupCaption(const TZorvikDebugInfo& row, const TCallStackRowsContext& context);
// The call-stack page: shown rows grouped by thread under header rows.
std::vector<TPageRow> CallStackRows(const std::vector<TZorvikDebugInfo>& stack, const TCallStackRowsContext& context);

// The source place of a call-stack row's line text "112[3]": line 112,
// offset 3; offset -1 when there is no "[" or no digit after it.
struct TLinePlace {
    int32_t Line = 0;
    int32_t Offset = -1;
};
TLinePlace ParseLineText(const std::string& lineText);

// What the detailed dialog's pages show: the report's text sections and the
// rows of its lists.
struct TDetailedReportPages {
    std::string General;
    std::string Assembler;
    std::string CPU;
    std::vector<TPageRow> CallStack;
    std::vector<TPageRow> Modules;
    std::vector<TPageRow> Processes;
    // The compile date of the module holding an address (0 when unknown).
    std::function<double(uintptr_t)> CompileDate;
};

// The pages of one report: its general, assembler and CPU texts and the rows
// of its call stack, modules and processes.
TDetailedReportPages DetailedReportPages(const TReportFacts& facts, const std::string& general,
                                         const std::string& assembler, const std::string& cpu,
                                         const TZorvikModuleOptions* options, bool callFromCOMObject);
