#pragma once
// The processor part of a crash report: the faulting thread's registers, the
// stack beside a dump of the memory at the fault, and the disassembly of
// the code around it with its source lines.
#include <string>

#include "editor/crashreport/core/report/ReportFacts.h"

class TZorvikModuleOptions;

// 16 lines of stack words beside memory bytes; empty unless 64 bytes at the
// stack pointer and 256 bytes at the exception address are readable.
std::string MemoryDumpText(const TReportFacts& facts);
// The registers ("????" without a context), the stack and the dump.
std::string BuildCPUSection(const TReportFacts& facts, const TZorvikModuleOptions& options);

struct TAssemblerSection {
    std::string Header;  // the label, ":", CR LF and a rule as long as the longest line
    std::string Text;    // the lines joined by CR LF
};
TAssemblerSection BuildAssemblerSection(const TReportFacts& facts, const TZorvikModuleOptions& options);
