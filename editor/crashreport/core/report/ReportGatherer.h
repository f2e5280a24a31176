#pragma once
// Fills a report's facts from a capture of the crash-report core and the
// running process: the application, the exception, the focused control, the
// system facts, the threads, modules and processes, the registers and the
// memory around the fault.
#include <windows.h>

#include "editor/crashreport/core/capture/Captures.h"
#include "editor/crashreport/core/report/ReportFacts.h"

// What kind of thing the exception in flight in this thread is: an object
// at all, and one of the framework's exception classes. False, false when
// no exception is in flight.
void ClassifyCurrentException(bool& isObject, bool& isFrameworkException);

// The class and text of the window with the keyboard focus in the thread:
// no text for a Unicode window or a read-only edit control, "*" for each
// character of a password edit control.
void FocusedControlFacts(uint32_t threadId, std::string& className, std::string& text);

// The process's memory, read without faults, and its address lookups.
TReportMemory ProcessReportMemory();

// The exception alone: address, module, class, message, access violation.
void GatherExceptionFacts(TReportFacts& facts, const TCapture& capture, const EXCEPTION_RECORD* record);

// Everything. `record`: the exception's system record, when there is one
// (an access violation's message is made from it); `withLists`: the modules
// and processes lists are read as well. The exception id is computed last.
void GatherReportFacts(TReportFacts& facts, const TCapture& capture, const EXCEPTION_RECORD* record,
                       bool withLists);
