#include "editor/crashreport/core/report/CoreExports.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <typeinfo>
#include <vector>

#include "editor/crashreport/core/capture/CallStacks.h"
#include "editor/crashreport/core/capture/ExceptionHooks.h"
#include "editor/crashreport/core/capture/ThreadData.h"
#include "editor/crashreport/core/lookup/AddressLookup.h"
#include "editor/crashreport/core/report/ExceptionProcessing.h"
#include "editor/crashreport/core/report/ProcessingTexts.h"
#include "editor/crashreport/core/report/ReportTables.h"
#include "editor/crashreport/core/sending/WebErrorPage.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/system/MemoryProbe.h"
#include "editor/crashreport/support/system/ModuleHandles.h"
#include "editor/crashreport/support/system/SystemFacts.h"
#include "framework/StringList.h"

namespace {

bool lastFrameworkException = false;
std::string metadataFilePath;

std::string ModuleFileName(uintptr_t module)
{
    char name[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(reinterpret_cast<HMODULE>(module), name, MAX_PATH);
    return std::string(name, n < MAX_PATH ? n : 0);
}

}  // namespace

bool ExceptionManager(const std::exception_ptr& exception, uintptr_t address, int kind, uintptr_t)
{
    TZorvikCoreState& s = ZorvikCore();
    if (!s.Installed)
        return true;
    EnterCriticalSection(&s.ProcessingLock);
    bool result = true;
    if (IsZorvikLogActive() && IsZorvikLogActiveInThread(GetCurrentThreadId()) && exception) {
        lastFrameworkException = ExceptionIs<Exception>(exception);
        // The kind names the caller, and so where the report goes: a web
        // server's error its page, the framework's handler the user
        // interface, any other caller as the program is.
        const uint8_t output = kind == emkWebServer ? 2 : kind == emkFrameworkHandler ? 1 : 0;
        result = ReportExceptionObject(exception, address, output);
    }
    LeaveCriticalSection(&s.ProcessingLock);
    return result;
}

bool StandardZorvikNotify(const std::exception_ptr& exception, uintptr_t address)
{
    if (!IsZorvikLogInstalled())
        return true;
    return ExceptionManager(exception, address, emkOther, CurrentModuleHandle());
}

bool ShowLastExceptionData()
{
    return StandardZorvikNotify(std::current_exception(), GetLastExceptionAddress());
}

bool StandardZorvikError(const std::string& message)
{
    return StandardZorvikNotify(std::make_exception_ptr(EZorvikLogGeneralError(message)), 0);
}

bool ZorvikLog_LastCorvaneException() { return lastFrameworkException; }

TZorvikModuleOptions* CurrentZorvikLogOptions()
{
    const uintptr_t module = CurrentModuleHandle();
    TZorvikModuleInfo* entry = IsZorvikLogInstalled() ? ModuleInfoByAddr(module) : nullptr;
    if (!entry || !entry->Options)
        throw Exception("\r\nCannot use 'CurrentZorvikLogOptions' function in module \"" + ModuleFileName(module) +
                        "\" without activate ZorvikLog.\r\nTo activate ZorvikLog use the new IDE \"Project/ZorvikLog "
                        "Options...\" menu.");
    return entry->Options.get();
}

std::unique_ptr<TZorvikStackList> GetCurrentCallStack()
{
    auto list = std::make_unique<TZorvikStackList>();
    BuildCurrentCallStack(*list, 0, GetCurrentThreadId());
    return list;
}

std::unique_ptr<TZorvikStackList> GetCallStackByLevels(int32_t first, int32_t count)
{
    const TZorvikModuleOptions* options = ZorvikCoreOptions();
    if (!options)
        return nullptr;
    TZorvikStackList all;
    BuildCurrentCallStack(all, 0, GetCurrentThreadId());
    auto list = std::make_unique<TZorvikStackList>();
    // Levels count the rows a report shows with the options' call-stack
    // settings.
    const uint8_t shown = CallStackDetailSet(*options);
    int32_t level = 0;
    for (const TZorvikDebugInfo& r : all.Rows) {
        if (!CallStackRowShown(r, shown))
            continue;
        if (level >= first && level < first + count)
            list->Rows.push_back(r);
        ++level;
    }
    return list;
}

std::string GetZorvikLogHTML(const std::string& classNames, const std::string& message,
                             const std::string& callStackText)
{
    if (!IsZorvikLogInstalled())
        return std::string();
    auto capture = std::make_unique<TCapture>();
    capture->Kind = TCaptureKind::FrameworkException;
    capture->ThreadId = GetCurrentThreadId();
    capture->MainThread = capture->ThreadId == ZorvikCore().MainThreadId;
    // The first of the class names is the exception's own; the object is a
    // framework Exception carrying the message.
    const size_t lineEnd = classNames.find_first_of("\r\n");
    capture->ClassName = classNames.substr(0, lineEnd);
    if (capture->ClassName.empty())
        capture->ClassName = "Exception";
    capture->Exception = std::make_exception_ptr(Exception(message));
    capture->Type = &typeid(Exception);
    capture->FrameworkObject = true;
    capture->Message = message;
    capture->CallStack = ParseCallStackText(callStackText, [](const std::string& name) -> TZorvikModuleInfo* {
        HMODULE module = name.empty() ? nullptr : GetModuleHandleA(name.c_str());
        return module ? ModuleInfoByAddr(reinterpret_cast<uintptr_t>(module)) : nullptr;
    });
    if (!capture->CallStack.Rows.empty())
        capture->Address = capture->CallStack.Rows.front().Address;
    LogTextResult().clear();
    CallForGetLogText() = true;
    CentralExceptionEntry(*capture, TOutputKind::WebServer, false);
    // Cleared whatever happened: the next real fault is reported in full.
    CallForGetLogText() = false;
    std::string page;
    TZorvikModuleOptions* options = ProcessingOptions();
    if (options && !LogTextResult().empty())
        GenerateHTML(*options, LogTextResult(), false, page);
    return page;
}

std::unique_ptr<TZorvikStackList> GetLastExceptionCallStack()
{
    TStackCopy facts;
    std::vector<uint8_t> bytes;
    if (!CopyLastStack(facts, bytes))
        return nullptr;
    auto list = std::make_unique<TZorvikStackList>();
    BuildCopiedCallStack(*list, facts.Address, facts.Start, bytes, facts.ThreadId, 1);
    return list;
}

void CallStackToStrings(const TZorvikStackList* list, TStrings& strings)
{
    const TZorvikModuleOptions* o = ProcessingOptions();
    if (!list || !o)
        return;
    const std::array<std::string, 6> headings{
        o->GetCustomizedExpandedTexts(mtCallStack_Address), o->GetCustomizedExpandedTexts(mtCallStack_Name),
        o->GetCustomizedExpandedTexts(mtCallStack_Unit),    o->GetCustomizedExpandedTexts(mtCallStack_Class),
        o->GetCustomizedExpandedTexts(mtCallStack_Procedure), o->GetCustomizedExpandedTexts(mtCallStack_Line)};
    for (const std::string& line : CallStackTableLines(*list, headings))
        strings.Add(line);
}

uintptr_t GetLastExceptionAddress()
{
    const TThreadExceptionData* data = CurrentThreadData();
    if (data && data->PendingAddress)
        return data->PendingAddress;
    return data && data->ContextValid ? reinterpret_cast<uintptr_t>(data->Record.ExceptionAddress) : 0;
}

std::exception_ptr GetLastExceptionObject()
{
    if (TProcessingState* p = CurrentProcessing())
        return p->Capture ? p->Capture->Exception : nullptr;
    return std::current_exception();
}

bool ForceApplicationTermination(TTerminateBtnOperation operation)
{
    if (!IsZorvikLogInstalled())
        return false;
    TerminationForced() = true;
    ForcedTerminationOperation() = operation;
    if (TZorvikModuleOptions* o = ProcessingOptions())
        o->SetTerminateBtnOperation(operation);
    return true;
}

bool GetCompilationDate(uintptr_t module, bool convertToGMT, double& date)
{
    TZorvikModuleInfo* entry = ZorvikModules().Find(module);
    if (!entry)
        return false;
    date = entry->CompileDate;
    if (convertToGMT)
        date += GetGMT() / 24.0;
    return true;
}

char* FastMM_LogStackTrace(const uintptr_t* returnAddresses, int count, char* buffer, bool showOffset,
                           bool widenToProcedure, bool widenToUnit)
{
    if (!buffer)
        return buffer;
    if (!IsZorvikLogInstalled()) {
        const std::string text = "\r\nYou must activate ZorvikLog in the \"" + ModuleFileName(CurrentModuleHandle()) +
                                 "\" module.";
        std::memcpy(buffer, text.data(), text.size());
        return buffer + text.size();
    }
    // Pass after pass with a wider filter, while fewer rows than asked were
    // written; a pass writes the addresses not written yet.
    std::vector<bool> written(static_cast<size_t>(std::max(count, 0)), false);
    int accepted = 0;
    for (;;) {
        for (int i = 0; i < count && returnAddresses; ++i) {
            const uintptr_t address = returnAddresses[i];
            if (!address || !IsValidBlockAddr(reinterpret_cast<const void*>(address - 1), 1))
                break;
            if (written[static_cast<size_t>(i)])
                continue;
            TZorvikDebugInfo row;
            GetDebugInfoByAddr(address - 1, GetCurrentThreadId(), row, false, 1);
            if (!FastMMRowAccepted(row.DebugDetail, widenToProcedure, widenToUnit))
                continue;
            const std::string text =
                FastMMRowText(row, row.ModuleInfo ? row.ModuleInfo->Path : std::string(), showOffset);
            buffer += 2;  // the caller's line break
            std::memcpy(buffer, text.data(), text.size());
            buffer += text.size();
            written[static_cast<size_t>(i)] = true;
            ++accepted;
        }
        if (accepted >= count || (widenToProcedure && widenToUnit))
            break;
        if (!widenToProcedure)
            widenToProcedure = true;
        else
            widenToUnit = true;
    }
    return buffer;
}

void SetMetadataFilePath(const std::string& path) { metadataFilePath = path; }
const std::string& MetadataFilePath() { return metadataFilePath; }

