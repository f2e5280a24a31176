#include "editor/crashreport/core/report/ReportGatherer.h"

#include <cxxabi.h>

#include <cstdlib>
#include <exception>
#include <typeinfo>

#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/capture/CpuContext.h"
#include "editor/crashreport/core/capture/ModulesProcesses.h"
#include "editor/crashreport/core/capture/ThreadsList.h"
#include "editor/crashreport/core/lookup/AddressLookup.h"
#include "editor/crashreport/core/lookup/ModuleImage.h"
#include "editor/crashreport/core/report/ReportText.h"
#include "editor/crashreport/core/report/SystemReportFacts.h"
#include "editor/crashreport/support/objects/ObjectTests.h"
#include "editor/crashreport/support/system/MemoryProbe.h"
#include "editor/crashreport/support/system/SystemFacts.h"
#include "framework/Exceptions.h"

namespace {

std::string ModuleFileName(HMODULE module)
{
    char name[MAX_PATH + 1];
    const DWORD n = GetModuleFileNameA(module, name, MAX_PATH);
    return n == 0 || n >= MAX_PATH ? std::string() : std::string(name, n);
}

// The image that holds an address: its allocation base when the region is
// an image; null otherwise.
HMODULE ModuleOfAddress(uintptr_t address)
{
    MEMORY_BASIC_INFORMATION info;
    if (address == 0 || VirtualQuery(reinterpret_cast<void*>(address), &info, sizeof info) != sizeof info)
        return nullptr;
    return info.Type == MEM_IMAGE ? static_cast<HMODULE>(info.AllocationBase) : nullptr;
}

std::string FileNamePart(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

double LocalNow()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return SystemTimeToDateTime(now);
}

// When the process started, as a local date-time.
double ProcessStartTime()
{
    if (ZorvikCore().StartTime != 0)
        return ZorvikCore().StartTime;
    FILETIME created, exited, kernel, user, local;
    SYSTEMTIME st;
    if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user) &&
        FileTimeToLocalFileTime(&created, &local) && FileTimeToSystemTime(&local, &st))
        return SystemTimeToDateTime(st);
    return LocalNow();
}

// A program without a window subsystem (console) shows no active controls.
bool MainModuleHasWindows()
{
    const auto* base = reinterpret_cast<const uint8_t*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (!base || dos->e_magic != IMAGE_DOS_SIGNATURE)
        return true;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    return nt->OptionalHeader.Subsystem != IMAGE_SUBSYSTEM_WINDOWS_CUI;
}

// The names of types that are no class (what `throw 42` throws).
bool IsObjectTypeName(const std::string& name)
{
    if (name.empty())
        return false;
    static const char* const plain[] = {"int", "unsigned int", "long", "unsigned long", "char", "bool", "short",
                                        "double", "float", "long long", "unsigned long long", "char const*",
                                        "char*", "wchar_t const*", "void*"};
    for (const char* p : plain)
        if (name == p)
            return false;
    return name.back() != '*';
}

// The access and the address touched, from the record when there is one,
// else from the capture's own message ("... (write of address 0000000C)").
bool AccessOf(const TCapture& c, const EXCEPTION_RECORD* record, bool& write, uintptr_t& target)
{
    if (record && record->NumberParameters >= 2) {
        write = record->ExceptionInformation[0] != 0;
        target = static_cast<uintptr_t>(record->ExceptionInformation[1]);
        return true;
    }
    const size_t open = c.Message.rfind('(');
    const size_t of = c.Message.find(" of address ", open == std::string::npos ? 0 : open);
    if (open == std::string::npos || of == std::string::npos)
        return false;
    write = c.Message.compare(open + 1, 4, "read") != 0;
    const std::string digits = c.Message.substr(of + 12, c.Message.find(')', of) - (of + 12));
    char* end = nullptr;
    const unsigned long long value = std::strtoull(digits.c_str(), &end, 16);
    if (digits.empty() || !end || *end != 0)
        return false;
    target = static_cast<uintptr_t>(value);
    return true;
}

void GatherException(TReportFacts& f, const TCapture& c, const EXCEPTION_RECORD* record)
{
    f.ExceptionAddress = c.Address;
    if (HMODULE module = ModuleOfAddress(c.Address)) {
        f.ExcModuleFile = ModuleFileName(module);
        GetFileVersionTexts(f.ExcModuleFile, f.ExcModuleDescription, f.ExcModuleVersion);
    }
    f.ExceptionClass = c.ClassName;
    f.ExceptionMessage = c.Message;
    if (c.Code != 0 || c.Kind == TCaptureKind::FrozenApplication) {
        f.ExceptionIsObject = true;
        f.FrameworkException = true;
    } else if (c.Type || c.Exception) {
        // The capture carries the C++ exception: its type tells an object
        // from a plain value, the object itself a framework exception.
        f.ExceptionIsObject = c.Type ? dynamic_cast<const abi::__class_type_info*>(c.Type) != nullptr : true;
        f.FrameworkException = c.FrameworkObject;
        if (c.Exception && !c.FrameworkObject) {
            try {
                std::rethrow_exception(c.Exception);
            } catch (const Exception&) {
                f.ExceptionIsObject = true;
                f.FrameworkException = true;
            } catch (...) {
            }
        }
    } else if (std::current_exception()) {
        ClassifyCurrentException(f.ExceptionIsObject, f.FrameworkException);
    } else {
        f.ExceptionIsObject = IsObjectTypeName(c.ClassName);
        f.FrameworkException = true;
    }
    TAccessViolationFacts& av = f.AccessViolation;
    if (c.Code == EXCEPTION_ACCESS_VIOLATION && AccessOf(c, record, av.Write, av.Target)) {
        av.Valid = true;
        av.Address = record ? reinterpret_cast<uintptr_t>(record->ExceptionAddress) : c.Address;
        if (HMODULE module = ModuleOfAddress(av.Address)) {
            const std::string path = ModuleFileName(module);
            av.ModuleFile = FileNamePart(path);
            char longName[MAX_PATH + 1] = {};
            const DWORD n = GetLongPathNameA(path.c_str(), longName, MAX_PATH);
            av.ModuleLongFile = n > 0 && n < MAX_PATH ? FileNamePart(longName) : av.ModuleFile;
        }
    }
}

void GatherThreads(TReportFacts& f)
{
    f.MainThreadId = ZorvikCore().MainThreadId;
    for (uint32_t id : ZorvikThreads().Ids()) {
        TZorvikThreadRecord record;
        if (!ZorvikThreads().Find(id, record))
            continue;
        TReportThread t;
        t.ThreadId = id;
        // The list keeps its handles to itself: the thread is opened anew.
        if (HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, id)) {
            const int priority = GetThreadPriority(thread);
            t.PriorityKnown = priority != THREAD_PRIORITY_ERROR_RETURN;
            t.Priority = priority;
            CloseHandle(thread);
        }
        f.Threads.push_back(t);
    }
}

void GatherLists(TReportFacts& f)
{
    BuildModulesList();
    TZorvikModulesList& modules = ZorvikModules();
    for (size_t i = 0; i < modules.Count(); ++i) {
        const TZorvikModuleInfo* m = modules.Item(i);
        f.Modules.push_back({m->Handle, m->Path, m->Description, m->Version, m->Size, m->Modified});
    }
    for (const TZorvikProcessInfo& p : BuildProcessesList())
        f.Processes.push_back({p.ProcessId, p.Path, p.Description, p.Version, p.Memory, p.PriorityClass, p.Threads});
}

void GatherRegisters(TReportFacts& f, const TCapture& c)
{
    f.StackPointer = c.ContextValid ? ContextSp(c.Context) : c.StackPointer;
    TReportRegisters& r = f.Registers;
    r.Valid = c.ContextValid;
    if (!c.ContextValid)
        return;
#if defined(_WIN64)
    r.Eax = c.Context.Rax, r.Edi = c.Context.Rdi, r.Ebx = c.Context.Rbx, r.Esi = c.Context.Rsi;
    r.Ecx = c.Context.Rcx, r.Esp = c.Context.Rsp, r.Edx = c.Context.Rdx, r.Eip = c.Context.Rip;
#else
    r.Eax = c.Context.Eax, r.Edi = c.Context.Edi, r.Ebx = c.Context.Ebx, r.Esi = c.Context.Esi;
    r.Ecx = c.Context.Ecx, r.Esp = c.Context.Esp, r.Edx = c.Context.Edx, r.Eip = c.Context.Eip;
#endif
}

}  // namespace

void ClassifyCurrentException(bool& isObject, bool& isFrameworkException)
{
    isObject = false;
    isFrameworkException = false;
    const std::exception_ptr e = std::current_exception();
    if (!e)
        return;
    try {
        std::rethrow_exception(e);
    } catch (const Exception&) {
        isObject = true;
        isFrameworkException = true;
    } catch (...) {
        const std::type_info* type = abi::__cxa_current_exception_type();
        isObject = type && dynamic_cast<const abi::__class_type_info*>(type) != nullptr;
    }
}

void FocusedControlFacts(uint32_t threadId, std::string& className, std::string& text)
{
    className.clear();
    text.clear();
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    HWND focus = GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
    if (!focus)
        focus = GetFocus();
    if (!focus)
        return;
    char name[257] = {};
    GetClassNameA(focus, name, 256);
    className = name;
    if (IsWindowUnicode(focus))
        return;
    const LONG style = GetWindowLongA(focus, GWL_STYLE);
    const bool edit = lstrcmpiA(name, "Edit") == 0 || className.find("Edit") != std::string::npos ||
                      className.find("Memo") != std::string::npos;
    if (edit && (style & ES_READONLY))
        return;
    char value[257] = {};
    DefWindowProcA(focus, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(value));
    text = value;
    if (edit && (style & ES_PASSWORD))
        text.assign(text.size(), '*');
}

TReportMemory ProcessReportMemory()
{
    TReportMemory m;
    m.Readable = [](uintptr_t address, size_t count) {
        return IsValidBlockAddr(reinterpret_cast<const void*>(address), count);
    };
    m.Read = [](uintptr_t address, void* bytes, size_t count) {
        return ReadMemoryBlock(reinterpret_cast<const void*>(address), bytes, count);
    };
    m.Resolve = [](uintptr_t address, TZorvikDebugInfo& info) { ResolveAddress(address, info); };
    m.ObjectClassName = [](uintptr_t address) {
        return IsValidBlockAddr(reinterpret_cast<const void*>(address), sizeof(void*))
                   ? SafeClassName(reinterpret_cast<const void*>(address))
                   : std::string();
    };
    m.Convert = [](uintptr_t address) { return ConvertAddress(address); };
    return m;
}

void GatherExceptionFacts(TReportFacts& facts, const TCapture& capture, const EXCEPTION_RECORD* record)
{
    GatherException(facts, capture, record);
}

void GatherReportFacts(TReportFacts& f, const TCapture& c, const EXCEPTION_RECORD* record, bool withLists)
{
    f.StartTime = ProcessStartTime();
    f.ExceptionTime = LocalNow();
    f.GMTOffsetMinutes = GetGMTMinutes();
    f.AppFileName = ModuleFileName(nullptr);
    GetFileVersionTexts(f.AppFileName, f.AppDescription, f.AppVersion);
    f.CommandLine = GetCommandLineA();
    if (const TZorvikModuleInfo* main = ModuleInfoByAddr(reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr))))
        f.CompileDate = main->CompileDate;

    GatherException(f, c, record);
    f.HasUserInterface = MainModuleHasWindows();
    FocusedControlFacts(c.ThreadId, f.ControlClass, f.ControlText);
    GatherSystemFacts(f);

    f.CallStack = c.CallStack;
    GatherThreads(f);
    if (withLists)
        GatherLists(f);
    GatherRegisters(f, c);
    f.Memory = ProcessReportMemory();
    f.ExceptionID = BugIdentifier(f);
}
