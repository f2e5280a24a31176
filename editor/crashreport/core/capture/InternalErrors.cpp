#include "editor/crashreport/core/capture/InternalErrors.h"

#include <windows.h>

#include <cxxabi.h>

#include <exception>
#include <fstream>
#include <mutex>
#include <typeinfo>

#include "editor/crashreport/core/capture/CallStacks.h"
#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/capture/ExceptionHooks.h"
#include "editor/crashreport/core/capture/ThreadData.h"
#include "editor/crashreport/core/lookup/AddressLookup.h"
#include "editor/crashreport/core/lookup/ModuleInfo.h"
#include "editor/crashreport/support/files/WorkingFiles.h"
#include "editor/crashreport/support/net/ZorvikSockets.h"
#include "editor/crashreport/support/system/MemoryProbe.h"
#include "editor/crashreport/support/system/SafeExec.h"
#include "editor/crashreport/support/system/SystemFacts.h"
#include "framework/Exceptions.h"

volatile bool ShowInternalSendErrors = true;
std::function<bool()> SendProgressDialogOpen;

namespace {

std::mutex lastLock;
TZorvikLogErrorCode lastCode = TZorvikLogErrorCode::eeNone;
std::string lastMessage;

// The address of the C++ exception being handled in this thread.
uintptr_t CurrentExceptionAddress()
{
    const TThreadExceptionData* data = CurrentThreadData();
    return data ? data->PendingAddress : 0;
}

// The message of the exception being handled when it is one of the
// framework's; false for any other object.
bool FrameworkExceptionMessage(std::string& message, std::string& className)
{
    const std::exception_ptr e = std::current_exception();
    if (!e)
        return false;
    try {
        std::rethrow_exception(e);
    } catch (const Exception& x) {
        message = x.Message;
        className = TypeDisplayName(abi::__cxa_current_exception_type());
        return true;
    } catch (...) {
    }
    return false;
}

bool SilentException()
{
    const std::exception_ptr e = std::current_exception();
    return ExceptionIs<EAbort>(e) || ExceptionIs<EZorvikSocketError>(e);
}

TInternalErrorPlace Place(const TZorvikDebugInfo& r)
{
    TInternalErrorPlace p;
    p.Address = r.Address;
    if (r.ModuleInfo) {
        p.Module = r.ModuleInfo->Handle;
        p.ModuleFile = r.ModuleInfo->Path.substr(r.ModuleInfo->Path.find_last_of('\\') + 1);
    }
    p.Unit = r.UnitName;
    p.Class = r.ClassName;
    p.Procedure = r.ProcedureName;
    p.Line = r.DebugDetail == ddSourceCode ? r.Line : 0;
    p.Offset = r.LineOffset;
    return p;
}

void ReportInternalError(const std::string& section)
{
    if (SilentException() || (!IntoIDE() && !DebuggerAttached()))
        return;
    // The component's own units are shown while the reporter runs.
    ShowZorvikLogUnits = 1;
    struct Restore {
        ~Restore() { ShowZorvikLogUnits = 0; }
    } restore;
    std::string message, className;
    if (!FrameworkExceptionMessage(message, className))
        message = "General internal error.";
    const uintptr_t address = CurrentExceptionAddress();
    OutputDebugStringA(InternalErrorLine(section, address, message).c_str());

    uint8_t code[32];
    TInternalErrorFacts f;
    if (address && ReadMemoryBlock(reinterpret_cast<const void*>(address), code, sizeof code))
        f.Dump = ByteDumpText(code, sizeof code);
    f.Date = CurrentRfc822Date();
    f.OS = GetWindowsTypeText();
    f.Section = section;
    f.ExceptionClass = className;
    f.Message = message;
    TZorvikStackList stack;
    BuildCurrentCallStack(stack, address, GetCurrentThreadId());
    std::vector<TInternalErrorPlace> rows;
    for (const TZorvikDebugInfo& r : stack.Rows)
        if (r.DebugDetail != ddNone)
            rows.push_back(Place(r));
    if (!rows.empty())
        f.Address = InternalErrorAddressText(rows.front());
    f.CallStack = InternalErrorCallStackText(rows);

    std::string file = ZorvikModuleFileName(0);
    const size_t dot = file.find_last_of('.');
    if (dot != std::string::npos && dot > file.find_last_of('\\'))
        file.erase(dot);
    file += ".log";
    if (!GetWorkingFile(file, false, false))
        return;
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << InternalErrorLogText(f);
        if (!out)
            return;
    }
    const std::string question = "Error: '" + message +
                                 "'\r\n\r\nThis is an internal ZorvikLog bug.\r\nDo you want to send the bug "
                                 "information to ZorvikLog author?";
    if (MessageBoxA(nullptr, question.c_str(), "Probably internal bug", 0x242014) == IDYES) {
        // No support address is configured in this build: the person sends
        // the file by hand.
        const std::string hand = "Please send the file \"" + file + "\" to the ZorvikLog author.";
        MessageBoxA(nullptr, hand.c_str(), "Information", 0x242030);
    }
}

}  // namespace

void ZorvikLogWarning(TZorvikLogErrorCode code, const std::string& message)
{
    try {
        {
            std::lock_guard<std::mutex> hold(lastLock);
            lastCode = code;
            lastMessage = message;
        }
        OutputDebugStringA(WarningLine(code, CurrentExceptionAddress(), message).c_str());
        if (ShowInternalSendErrors && IsSendErrorCode(code) && SendProgressDialogOpen && SendProgressDialogOpen())
            MessageBoxA(nullptr, message.c_str(), "Error.", 0x242010);
    } catch (...) {
    }
}

void ZorvikLogStepWarning(TZorvikLogErrorCode code, const std::string& section)
{
    std::string message, className;
    if (FrameworkExceptionMessage(message, className))
        ZorvikLogWarning(code, "[" + section + "] " + message);
    else
        ZorvikLogWarning(code, "General '" + section + "' error.");
}

TZorvikLogErrorCode GetLastZorvikLogErrorCode()
{
    std::lock_guard<std::mutex> hold(lastLock);
    return lastCode;
}

std::string GetLastZorvikLogErrorMsg()
{
    std::lock_guard<std::mutex> hold(lastLock);
    return lastMessage;
}

void SetLastZorvikLogError(TZorvikLogErrorCode code, const std::string& message)
{
    std::lock_guard<std::mutex> hold(lastLock);
    lastCode = code;
    lastMessage = message;
}

void ClearLastZorvikLogError() { SetLastZorvikLogError(eeNone, ""); }

void InstallInternalErrorReporter()
{
    Ecore::CriticalError = [](const std::string& section) {
        try {
            ReportInternalError(section);
        } catch (...) {
        }
    };
}

std::string CurrentRfc822Date()
{
    SYSTEMTIME t;
    GetLocalTime(&t);
    return Rfc822Date({t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond}, GetGMTMinutes());
}

std::string ZorvikModuleFileName(uintptr_t module)
{
    char name[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(reinterpret_cast<HMODULE>(module), name, MAX_PATH);
    if (n == 0)
        return "";
    return GetLongNameFromShort(WithoutObjectManagerPrefix(std::string(name, n)));
}
