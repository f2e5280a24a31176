#pragma once
// The rules of the exception processing that need no Win32: the focused
// control's text in a report, the bug identifier, which messages the waiting
// faulting thread lets through, and the call-stack texts of the exported
// interface (the table, the rows of a call-stack text, the memory manager's
// lines).
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

#include "editor/crashreport/core/capture/StackScan.h"

// The text a report shows of the control that has the focus: empty for a
// Unicode window and for a read-only edit or memo, one "*" per character for
// a password edit, else the text itself.
std::string FocusedControlText(const std::string& text, const std::string& className, bool unicodeWindow,
                               bool readOnly, bool password);

// The bug identifier: the CRC-16 (4 upper-case hexadecimal digits) of the
// pieces followed, for every source-line row of the first row's thread, by
// its unit, class and procedure and its line offset within the procedure.
std::string ExceptionIdentifier(const std::string& pieces, const std::vector<TZorvikDebugInfo>& rows);

// Where the output of a report is asked to go, and where it goes.
enum class TOutputKind : uint8_t { Automatic, UserInterface, WebServer };
enum class TOutputRoad : uint8_t { Console, UserInterface, WebServer };
// Automatic: the web page in a web-server program, else the console in a
// console program, else the user interface; the user interface: the console
// in a console program; the web server: always the web page.
TOutputRoad OutputRoad(TOutputKind kind, bool consoleProgram, bool webServerProgram);

// What the waiting faulting thread does with a message it takes.
enum class TWaitingMessageAction { Dispatch, Drop, DropWithBeep };
TWaitingMessageAction WaitingMessageAction(uint32_t message);
constexpr int WaitingMessagesPerRound = 11;

// The call-stack table: address, module, unit, class, procedure, line
// ("123[4]"), each column as wide as its widest heading or value, a rule
// before and after the headings and after the rows. Only rows with a
// procedure are written; none: no lines at all.
std::vector<std::string> CallStackTableLines(const TZorvikStackList& list, const std::array<std::string, 6>& headings);

// The rows of a call-stack text: one row a line, 8 fields separated by "|"
// (address in decimal, module file name, unit, class, procedure, line, line
// offset, thread name); other lines are skipped. `moduleOf` gives the record
// of a module file name (may be null).
TZorvikStackList ParseCallStackText(const std::string& text,
                                    const std::function<TZorvikModuleInfo*(const std::string& path)>& moduleOf = {});

// A memory manager's line for one row: " XXXXXXXX [module] unit - class.proc (Line: n[o])".
std::string FastMMRowText(const TZorvikDebugInfo& row, const std::string& moduleName, bool showOffset);
// Whether the row's detail passes the filter of the widening flags.
bool FastMMRowAccepted(TZorvikDebugDetail detail, bool widenToProcedure, bool widenToUnit);

// The class names of a C++ type and its first bases, most derived first
// (demangled); empty for no type.
std::vector<std::string> ExceptionClassChain(const std::type_info* type);

// A report section: the heading, a rule and one item per entry (label and
// value; an empty label for a single text). "" for no entries.
std::string ReportSectionText(const std::string& heading,
                              const std::vector<std::pair<std::string, std::string>>& items);
// The entries with blanks trimmed off labels and values; entries with
// neither dropped.
std::vector<std::pair<std::string, std::string>> TrimmedItems(
    const std::vector<std::pair<std::string, std::string>>& items);
// Inserts the section right after the general part of the report (which the
// report follows with CR LF), and extends the general part to include it.
void InsertReportSection(std::string& general, std::string& report, const std::string& section);
