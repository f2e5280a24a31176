#pragma once
// The text of a crash report: the product banner and the general section,
// then the call stacks, modules and processes, the assembler and the CPU
// sections. The log stores it, the dialog shows it, the senders attach it.
#include <string>

#include "editor/crashreport/core/report/ReportFacts.h"

class TZorvikModuleOptions;

// The pieces of one report, as the core keeps them.
struct TReportTexts {
    std::string Caption;            // the dialog's caption text and two CR LF
    std::string General;            // banner and general section
    std::string CallStackAndLists;  // call stack, modules and processes tables
    std::string AsmHeader;
    std::string Asm;
    std::string CPU;
    std::string Report;             // the whole report
    std::string LastExceptionClass;
    std::string LastExceptionMessage;
    std::string DialogMessage;      // the message with control characters as blanks
};

// "ZorvikLog 6.0.20", two CR LF and the numbered items the show options
// keep.
std::string BuildGeneralSection(const TReportFacts& facts, const TZorvikModuleOptions& options);

TReportTexts BuildReportText(const TReportFacts& facts, const TZorvikModuleOptions& options);

// The text the bug identifier is computed from: the exception's class,
// message and module, then unit, class, procedure and line offset of every
// source-code row of the first row's thread.
std::string BugIdentifierText(const TReportFacts& facts);
// Its CRC-16 as 4 upper-case hexadecimal digits.
std::string BugIdentifier(const TReportFacts& facts);
