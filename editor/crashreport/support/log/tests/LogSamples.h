#pragma once
// Sample crash reports in the log's text format, shared by the log tests.
#include <string>

// A report of the current layout (general sections, call stack, modules,
// processes, assembler, registers, stack and memory dump); its last line has
// no CR LF, as the core hands reports to Append. `error` is the value of item 2.7.
std::string SampleReport(const std::string& error, const std::string& version = "6.0.20");
