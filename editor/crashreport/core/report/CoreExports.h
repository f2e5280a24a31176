#pragma once
// The exported interface of the crash-report core: reporting an exception on
// demand, call stacks as lists and as text, the last internal error, the
// compilation date, forced termination and the memory manager's stack lines.
// The switches (IsZorvikLogInstalled, IsZorvikLogActive, SetZorvikLogState,
// IsZorvikLogActiveInThread, SetZorvikLogInThread) live with the core's
// state.
#include <cstdint>
#include <exception>
#include <memory>
#include <string>

#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/capture/StackScan.h"
#include "editor/crashreport/core/sending/SendTypes.h"
#include "editor/crashreport/support/options/OptionTypes.h"
#include "framework/Exceptions.h"

class TStrings;
class TZorvikModuleOptions;

// An error reported with StandardZorvikError.
TQ_EXCEPTION_CLASS(EZorvikLogGeneralError, Exception)

// The kind of caller of ExceptionManager.
enum TExceptionManagerKind : int { emkOther = 0, emkFrameworkHandler = 1, emkWebServer = 2 };

// Reports an exception through the central entry. True: the caller goes on
// with its own handling; false: it must not. Answers true without a report
// when the core is switched off (for the process or the calling thread).
bool ExceptionManager(const std::exception_ptr& exception, uintptr_t address, int kind, uintptr_t module);
// The same for a caller that holds the exception itself.
bool StandardZorvikNotify(const std::exception_ptr& exception, uintptr_t address);
// The exception being handled by the caller.
bool ShowLastExceptionData();
// Reports an EZorvikLogGeneralError with the message.
bool StandardZorvikError(const std::string& message);
// The framework-exception flag of the last exception given to ExceptionManager.
bool ZorvikLog_LastCorvaneException();

// The options of this module's entry in the modules list (made when
// missing); raises Exception without an active core.
TZorvikModuleOptions* CurrentZorvikLogOptions();

// Call stacks of the calling thread, owned by the caller.
std::unique_ptr<TZorvikStackList> GetCurrentCallStack();
// Rows first..first+count-1 of the calling thread's call stack; null when
// the core has no options.
std::unique_ptr<TZorvikStackList> GetCallStackByLevels(int32_t first, int32_t count);
// The report of an error that happened elsewhere, as an HTML page: the
// class names one a line (the first is the exception's), its message and its
// call stack as text (one row a line, 8 fields separated by "|"). "" when
// the core is not installed or no report was made.
std::string GetZorvikLogHTML(const std::string& classNames, const std::string& message,
                             const std::string& callStackText);
// The call stack of the last raise's stack copy; null before any.
std::unique_ptr<TZorvikStackList> GetLastExceptionCallStack();
// The call stack as a text table into `strings` (nothing without rows or options).
void CallStackToStrings(const TZorvikStackList* list, TStrings& strings);

// The last exception's address and object as the core remembered them.
uintptr_t GetLastExceptionAddress();
std::exception_ptr GetLastExceptionObject();

// Ends or restarts the program at the end of the processing; false when the
// core is not installed.
bool ForceApplicationTermination(TTerminateBtnOperation operation);

// The core's internal errors and warnings (kept by the capture stage).
#include "editor/crashreport/core/capture/CoreServiceTexts.h"
TZorvikLogErrorCode GetLastZorvikLogErrorCode();
std::string GetLastZorvikLogErrorMsg();
void SetLastZorvikLogError(TZorvikLogErrorCode code, const std::string& message);
void ClearLastZorvikLogError();

// The compilation date kept for the module (days since 30 Dec 1899, local,
// or as GMT); false when the module has no entry.
bool GetCompilationDate(uintptr_t module, bool convertToGMT, double& date);

// The memory manager's stack lines: one line per accepted return address
// into `buffer` (each after 2 bytes left for the caller's line break);
// returns the position after the text written.
char* FastMM_LogStackTrace(const uintptr_t* returnAddresses, int count, char* buffer, bool showOffset,
                           bool widenToProcedure, bool widenToUnit);

// The path of the metadata file of a hosting environment.
void SetMetadataFilePath(const std::string& path);
const std::string& MetadataFilePath();

// The text as CF_TEXT on the clipboard.
bool CopyTextToClipboard(const std::string& text);
