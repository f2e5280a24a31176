#include "editor/crashreport/core/report/ExceptionProcessing.h"

#include <cxxabi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <typeinfo>
#include <vector>

#include "editor/crashreport/core/capture/CallStacks.h"
#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/capture/CpuContext.h"
#include "editor/crashreport/core/capture/InternalErrors.h"
#include "editor/crashreport/core/capture/MemoryReserve.h"
#include "editor/crashreport/core/capture/ModulesProcesses.h"
#include "editor/crashreport/core/capture/ThreadData.h"
#include "editor/crashreport/core/capture/ThreadsList.h"
#include "editor/crashreport/core/lookup/AddressLookup.h"
#include "editor/crashreport/core/report/CoreExports.h"
#include "editor/crashreport/core/report/ProcessingStages.h"
#include "editor/crashreport/core/report/ProcessingTexts.h"
#include "editor/crashreport/core/report/ZorvikEventExports.h"
#include "editor/crashreport/core/report/ZorvikEvents.h"
#include "editor/crashreport/support/archive/Crc.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/system/ComponentThreads.h"
#include "editor/crashreport/support/system/EnvVariables.h"
#include "editor/crashreport/support/system/MemoryProbe.h"
#include "editor/crashreport/support/system/ModuleHandles.h"
#include "editor/crashreport/support/system/SafeExec.h"
#include "editor/crashreport/support/system/SystemFacts.h"
#include "framework/Exceptions.h"
#include "framework/StringList.h"

namespace {

// The processing under way (one at a time: the processing lock).
TProcessingState* current = nullptr;

// The callback slot: a routine queued by the processing thread for the
// waiting thread, which runs it and empties the slot.
std::atomic<const std::function<void()>*> callbackSlot{nullptr};
std::atomic<DWORD> waitingThreadId{0};
std::atomic<DWORD> processingThreadId{0};

void RunSwallowing(const std::function<void()>& routine)
{
    try {
        routine();
    } catch (...) {
    }
}

// Runs the queued callback, when there is one (in the waiting thread).
void RunQueuedCallback()
{
    if (const std::function<void()>* routine = callbackSlot.load()) {
        RunSwallowing(*routine);
        callbackSlot.store(nullptr);
    }
}

std::string WindowClassName(HWND window)
{
    char name[257] = {};
    const int n = GetClassNameA(window, name, 256);
    return n > 0 ? std::string(name, static_cast<size_t>(n)) : std::string();
}

// The focused control's class and text, as the report shows them.
void NoteFocusedControl(TProcessingState& state)
{
    HWND focus = GetFocus();
    state.FocusWindow = focus;
    state.Cursor = GetCursor();
    if (!focus)
        return;
    state.Notify.FocusedClass = WindowClassName(focus);
    char text[257] = {};
    const int n = GetWindowTextA(focus, text, 256);
    const LONG style = GetWindowLongA(focus, GWL_STYLE);
    state.Notify.FocusedText = FocusedControlText(std::string(text, static_cast<size_t>(std::max(n, 0))),
                                                  state.Notify.FocusedClass, IsWindowUnicode(focus) != FALSE,
                                                  (style & ES_READONLY) != 0, (style & ES_PASSWORD) != 0);
}

int DefaultFindFilter(const TProcessingState& state)
{
    TZorvikExceptionsFilters* filters = state.Options ? state.Options->ExceptionsFilters() : nullptr;
    if (!filters)
        return -1;
    std::vector<std::string> chain = ExceptionClassChain(state.Capture->Type);
    if (chain.empty())
        chain.push_back(state.Capture->ClassName);
    return filters->FindMatch(chain, state.Notify.Handled);
}

// The options of the module reported: the module that holds the address,
// else this module; with boUseMainModuleOptions the program's own when
// complete. The processing works on that module's one options object, the
// one the program changes (CurrentZorvikLogOptions) and the watchdog
// follows, so that a change made at run time, also by an event handler
// during this processing, takes effect at once.
void SelectOptions(TProcessingState& state)
{
    auto complete = [](TZorvikModuleInfo* m) { return m && !m->Light && m->Options; };
    TZorvikModuleInfo* entry = state.Capture->Address ? ModuleInfoByAddr(state.Capture->Address) : nullptr;
    if (!complete(entry))
        entry = ModuleInfoByAddr(CurrentModuleHandle());
    if (!complete(entry))
        entry = ModuleInfoByAddr(reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr)));
    TZorvikModuleOptions* source = complete(entry) ? entry->Options.get() : ZorvikCoreOptions();
    if (source && source->BehaviourOptions().Contains(boUseMainModuleOptions)) {
        TZorvikModuleInfo* main = ModuleInfoByAddr(reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr)));
        if (complete(main)) {
            entry = main;
            source = main->Options.get();
        }
    }
    state.ModuleHandle = entry ? entry->Handle : CurrentModuleHandle();
    state.ModuleName = entry ? entry->Path : (source ? source->ModuleName() : std::string());
    if (source)
        source->SetReproduceText("");
    state.Options = source;
}

bool SendModeSet(const TZorvikModuleOptions& o) { return o.EMailSendMode() != esmNoSend || o.WebSendMode() != wsmNoSend; }

// A report leaves the machine with the user's consent only: the send check
// the dialog left, or no dialog at all to ask. `asked` is the kind of dialog
// the report was shown in, kept apart from the state's type, which the
// display sets back to none when its dialog ends.
void ComputeMustSend(TProcessingState& state, TExceptionDialogType asked)
{
    state.MustSend = SendModeSet(*state.Options) && !state.Duplicate && (state.SendChecked || asked == edtNone);
}

// The faulting thread's and every other shown thread's call stacks join the
// exception's. Each thread is suspended only while its context and stack are
// copied into a buffer made beforehand: a suspended thread may hold the heap.
void AddOtherThreads(TProcessingState& state)
{
    TCapture& c = *state.Capture;
    TZorvikThreadRecord record;
    if (ZorvikThreads().Find(c.ThreadId, record) && !record.SavedStack.empty())
        BuildCopiedCallStack(c.CallStack, 0, record.SavedStackStart, record.SavedStack, c.ThreadId, 0);
    // The main thread is the framework's one thread (and never shown here);
    // every other thread was made outside the framework.
    const TCallStackOptions shown = state.Options->CallStackOptions();
    if (!shown.Contains(csoShowWindowsThreads))
        return;
    const uint32_t mainId = ZorvikCore().MainThreadId;
    std::vector<uint8_t> stack(MaxScannedStack);
    CONTEXT* context = static_cast<CONTEXT*>(_aligned_malloc(sizeof(CONTEXT), 16));
    if (!context)
        return;
    for (uint32_t id : c.Threads) {
        if (id == mainId || id == c.ThreadId || id == GetCurrentThreadId() || !ZorvikThreads().Find(id, record))
            continue;
        // The list keeps its handles to itself: the thread is opened anew.
        HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT | THREAD_QUERY_INFORMATION, FALSE, id);
        if (!thread)
            continue;
        if (!record.StackTop)
            record.StackTop = StackTopOf(thread);
        std::memset(context, 0, sizeof(CONTEXT));
        context->ContextFlags = CaptureContextFlags;
        size_t length = 0;
        bool read = false;
        if (SuspendThread(thread) != static_cast<DWORD>(-1)) {
            read = GetThreadContext(thread, context) != FALSE;
            const uintptr_t sp = read ? ContextSp(*context) : 0;
            if (read && sp && sp < record.StackTop) {
                length = std::min<size_t>(record.StackTop - sp, stack.size());
                if (!ReadMemoryBlock(reinterpret_cast<const void*>(sp), stack.data(), length))
                    length = 0;
            }
            ResumeThread(thread);
        }
        CloseHandle(thread);
        if (!read || !ContextIp(*context) || !ContextSp(*context))
            continue;
        const std::vector<uint8_t> copy(stack.begin(), stack.begin() + static_cast<ptrdiff_t>(length));
        // The thread's instruction pointer is looked up as the exact place it
        // runs at, but the row is no exception row: the block is captioned
        // as a running thread, not as the one that failed.
        const size_t before = c.CallStack.Rows.size();
        BuildCopiedCallStack(c.CallStack, ContextIp(*context), ContextSp(*context), copy, id, 1);
        for (size_t i = before; i < c.CallStack.Rows.size(); ++i)
            c.CallStack.Rows[i].ExceptionRow = false;
        if (!record.SavedStack.empty())
            BuildCopiedCallStack(c.CallStack, 0, record.SavedStackStart, record.SavedStack, id, 0);
    }
    _aligned_free(context);
}

std::string FileNameOnly(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

// The message macros customised texts may refer to (%_ExceptMsg% ...).
void SetMessageMacros(const TProcessingState& state)
{
    TZorvikModuleInfo* main = ModuleInfoByAddr(reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr)));
    TZorvikModuleInfo* except = state.Capture->Address ? ModuleInfoByAddr(state.Capture->Address) : nullptr;
    auto set = [](const char* name, const std::string& value) { SetEnvironmentVariableA(name, value.c_str()); };
    set("_MainModuleName", main ? FileNameOnly(main->Path) : "");
    set("_MainModuleDesc", main ? main->Description : "");
    set("_MainModuleVer", main ? main->Version : "");
    set("_ExceptModuleName", except ? FileNameOnly(except->Path) : "");
    set("_ExceptModuleDesc", except ? except->Description : "");
    set("_ExceptModuleVer", except ? except->Version : "");
    set("_ExceptMsg", state.Capture->Message);
    set("_BugReport", state.ReportText);
    set("_LineBreak", "\r\n");
}

BOOL CALLBACK FindOwnMainWindow(HWND h, LPARAM found)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(h) && !GetWindow(h, GW_OWNER)) {
        *reinterpret_cast<HWND*>(found) = h;
        return FALSE;
    }
    return TRUE;
}

// The main window comes back from the task bar before anything is shown.
// The waiting thread is the watchdog's for a frozen main thread: a window of
// another thread is only asked to show itself, since waiting for the hung
// thread to answer would hang the report as well.
void RestoreMainWindow()
{
    RunOnWaitingThread([] {
        HWND main = nullptr;
        EnumWindows(FindOwnMainWindow, reinterpret_cast<LPARAM>(&main));
        if (!main || !IsIconic(main))
            return;
        PostMessageA(main, WM_SYSCOMMAND, SC_RESTORE, 0);
        if (GetWindowThreadProcessId(main, nullptr) != GetCurrentThreadId()) {
            ShowWindowAsync(main, SW_SHOWNORMAL);
            SetForegroundWindow(main);
            return;
        }
        MSG m;
        while (PeekMessageA(&m, main, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        ShowWindow(main, SW_SHOWNORMAL);
        SetForegroundWindow(main);
    });
}

void KeepActiveWorkArea(TProcessingState& state)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    HWND active = GetForegroundWindow();
    HMONITOR monitor = MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST);
    if (monitor && GetMonitorInfoA(monitor, &info))
        state.WorkArea = info.rcWork;
}

bool IsConsoleProgram()
{
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(GetModuleHandleA(nullptr));
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const uint8_t*>(dos) + dos->e_lfanew);
    return nt->OptionalHeader.Subsystem == IMAGE_SUBSYSTEM_WINDOWS_CUI;
}

// The report text to standard output (a step of another stage does it
// instead when there is one); a failure is the core's internal error.
void WriteReportToConsole(TProcessingState& state)
{
    try {
        if (ProcessingSteps().WriteConsole) {
            ProcessingSteps().WriteConsole(state);
            return;
        }
        HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
        if (!out || out == INVALID_HANDLE_VALUE)
            throw Exception("There is no standard output.");
        const std::string text = state.ReportText + "\r\n";
        size_t done = 0;
        while (done < text.size()) {
            DWORD written = 0;
            const DWORD piece = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 16));
            if (!WriteFile(out, text.data() + done, piece, &written, nullptr) || written == 0)
                throw Exception("The standard output refused the report.");
            done += written;
        }
    } catch (...) {
        ZorvikLogStepWarning(eeShowError, "Console");
    }
}

double Now()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return SystemTimeToDateTime(now);
}

template <class Step, class... Args>
void Call(const Step& step, Args&&... args)
{
    if (step)
        step(std::forward<Args>(args)...);
}

// The processing sequence; true: the framework's own handling is to run.
bool ProcessException(TProcessingState& state)
{
    TProcessingSteps& steps = ProcessingSteps();
    TCapture& c = *state.Capture;
    TThreadExceptionData* own = CurrentThreadData();
    bool result = false;
    try {
        state.ExceptionDate = Now();
        state.Step = 1;
        if (own)
            own->Pausing = 1;
        // A module file replaced since its entry was read is read again.
        DropChangedModules();
        SelectOptions(state);
        if (!state.Options) {
            if (own)
                own->Pausing = 0;
            return result;
        }
        TZorvikModuleOptions& o = *state.Options;
        // A report asked for as text only: no CPU and assembler sections
        // (the code they would show is not this process's), for this report
        // alone.
        const bool textOnly = CallForGetLogText();
        struct TKeptLogOptions {
            TZorvikModuleOptions& Options;
            const TLogOptions Kept;
            bool Changed = false;
            ~TKeptLogOptions()
            {
                if (Changed)
                    Options.SetLogOptions(Kept);
            }
        } logOptions{o, o.LogOptions()};
        if (textOnly) {
            TLogOptions log = logOptions.Kept;
            log.Exclude(loSaveAssemblerAndCPUSections);
            o.SetLogOptions(log);
            logOptions.Changed = true;
        }
        state.Step = 2;
        state.CustomErrorMessage.clear();
        state.Handler = fhtZorvikLog;
        state.Action = fatNone;
        state.DialogType = o.ExceptionDialogType();
        state.DialogSetByFilter = false;
        if (o.ActivateHandle() && state.OutputKind != TOutputKind::WebServer) {
            const int index = steps.FindFilter ? steps.FindFilter(state) : DefaultFindFilter(state);
            state.Step = 201;
            if (TZorvikExceptionFilter* f = index >= 0 ? o.ExceptionsFilters()->GetItem(index) : nullptr) {
                state.Action = f->ActionType;
                state.Handler = f->HandlerType;
                state.DialogType = FilterDialogType(f->DialogType, o.ExceptionDialogType());
                state.DialogSetByFilter = true;
                const std::string message = ExpandEnvVars(f->ExceptionMessage);
                if (!message.empty())
                    state.CustomErrorMessage = message;
            }
        }
        ComputeMustSend(state, state.DialogType);
        state.Step = 3;
        if (state.Handler == fhtRTL)
            result = true;
        if (state.Handler == fhtZorvikLog) {
            state.Step = 4;
            // A stack overflow comes without its call stack: its thread
            // waits, and its exhausted stack is walked from here.
            if (c.CallStack.Count() == 0 && c.ContextValid && c.StackPointer && c.StackTop)
                BuildLiveCallStack(c.CallStack, c.Address, c.StackPointer, c.StackTop, c.ThreadId);
            state.ExceptionId = ExceptionIdentifier(
                steps.IdentifierPieces ? steps.IdentifierPieces(state) : c.ClassName + "|" + FileNameOnly(state.ModuleName),
                c.CallStack.Rows);
            if (!textOnly)
                AddOtherThreads(state);
            state.Step = 5;
            // Threads are not kept paused while the report is made: report
            // building allocates, and a paused thread may hold the heap.
            state.Step = 6;
            state.ReportInProgress = true;
            if (o.LogOptions().Contains(loSaveModulesAndProcessesSections))
                BuildModulesList();
            state.Step = 7;
            state.Step = 702;
            Call(steps.BuildReport, state);
            if (textOnly) {
                CallForGetLogText() = false;
                LogTextResult() = state.ReportText;
                if (own)
                    own->Pausing = 0;
                return result;
            }
            state.Step = 703;
            state.Step = 704;
            Call(steps.CheckDuplicate, state, true);
            state.Step = 705;
            state.Step = 706;
            SetMessageMacros(state);
            // Web-server programs are not told apart here: their page goes
            // out when the output is asked for the web server.
            const TOutputRoad road = OutputRoad(state.OutputKind, IsConsoleProgram(), false);
            const bool userInterface = road == TOutputRoad::UserInterface;
            if (userInterface &&
                ((state.MustSend && (o.CommonSendOptions().Contains(sndShowSendDialog) ||
                                     o.CommonSendOptions().Contains(sndSendScreenshot))) ||
                 state.DialogType != edtNone))
                RestoreMainWindow();
            TEventValues& v = EventValues();
            v.Record.ExceptionObject = c.Exception;
            v.Record.ExceptionAddress = c.Address;
            v.Record.ExceptionClass = c.ClassName;
            v.Record.ExceptionMessage = c.Message;
            v.Record.ThreadId = c.ThreadId;
            v.Record.HandledByProgram = state.Notify.Handled;
            v.Record.ModuleOptions = state.Options;
            v.Handled = true;
            RaiseExceptionNotify(state.Notify.Handled);
            if (!v.Handled)
                state.ReportInProgress = false;
            state.Step = 8;
            if (state.ReportInProgress) {
                Call(steps.TakeScreenshot, state);
                if (o.AutoCrashOperation() != tbNone) {
                    std::vector<double>& times = CrashTimes();
                    times.push_back(Now());
                    if (times.size() > static_cast<size_t>(std::max(o.AutoCrashNumber(), 0)))
                        times.erase(times.begin());
                }
                CustomDataLines().Clear();
                RaiseCustomDataRequest(CustomDataLines());
                if (CustomDataLines().Count() > 0 && o.ShowOptions().Contains(soCustomData))
                    Call(steps.AddCustomData, state);
                state.Step = 9;
                // Only a processed report counts (the dialogs show Terminate
                // and Restart by the count).
                ++ZorvikCore().ErrorsCount;
                state.Step = 10;
                state.DialogText = state.ReportText;
                state.Step = 11;
                if (!state.DialogSetByFilter)
                    state.DialogType = o.ExceptionDialogType();
                const TExceptionDialogType asked = state.DialogType;
                KeepActiveWorkArea(state);
                if (state.DialogType != edtNone) {
                    state.Step = 12;
                    v.Execute = true;
                    RaiseActionNotify(atShowingExceptionInfo);
                    state.SendChecked = SendModeSet(o);
                    state.ScreenshotChecked = o.CommonSendOptions().Contains(sndSendScreenshot);
                    state.Step = 13;
                    if (v.Execute) {
                        if (road == TOutputRoad::WebServer) {
                            Call(steps.WebErrorPage, state);
                        } else if (road == TOutputRoad::Console) {
                            WriteReportToConsole(state);
                        } else if (steps.ShowDialog) {
                            // Shown again while it leaves another dialog type (a
                            // switch between its forms); the same type or none ends.
                            bool zorvik = false;
                            bool first = true;
                            TExceptionDialogType last;
                            do {
                                last = state.DialogType;
                                zorvik = zorvik || last == edtZorvikLog;
                                steps.ShowDialog(state, first);
                                first = false;
                            } while (state.DialogType != edtNone && state.DialogType != last);
                            if (zorvik)
                                Call(steps.RequestStep, state);
                        }
                    }
                    state.Step = 14;
                    RaiseActionNotify(atShowedExceptionInfo);
                } else {
                    state.SendChecked = SendModeSet(o);
                    state.ScreenshotChecked = o.CommonSendOptions().Contains(sndSendScreenshot);
                }
                if (o.LogOptions().Contains(loAppendReproduceText))
                    Call(steps.AddReproduceText, state);
                // The dialog's answer decides whether the screenshot goes out.
                ComputeMustSend(state, asked);
                if (state.MustSend)
                    Call(steps.FinishScreenshot, state);
                Call(steps.FreeScreenshot, state);
                state.Step = 15;
                if (o.LogOptions().Contains(loDeleteLogAtVersionChange))
                    Call(steps.DeleteLogAtVersionChange, state);
                ComputeMustSend(state, asked);
                if (o.SaveLogFile())
                    Call(steps.SaveReportToLog, state);
                if (state.CopyToClipboard)
                    CopyTextToClipboard(state.ReportText);
                state.Step = 16;
                if (state.MustSend)
                    Call(steps.Send, state);
                // A send thread applies the rule after its send; without one
                // (no send, an inline send, a thread that could not start)
                // the processing does.
                if (!state.SendThreadStarted)
                    Call(steps.AutoCrash, state);
            }
            state.Step = 17;
            if (!TerminationForced()) {
                if (state.Action == fatTerminate)
                    ForceApplicationTermination(tbTerminate);
                else if (state.Action == fatRestart)
                    ForceApplicationTermination(tbRestart);
            }
            if (o.BehaviourOptions().Contains(boCallRTLExceptionEvent))
                result = true;
        }
        state.Step = 18;
        if (!state.SendThreadStarted)
            Call(steps.EndOfProcessing, state);
    } catch (...) {
        if (Ecore::CriticalError)
            RunSwallowing([&] { Ecore::CriticalError(std::to_string(state.Step)); });
    }
    if (own)
        own->Pausing = 0;
    return result;
}

// The processing thread: the sequence, then the running flag goes down.
struct TExceptionThread {
    TProcessingState* State = nullptr;
    volatile LONG Running = 1;
    bool Result = false;
};

DWORD WINAPI ExceptionThreadRun(LPVOID parameter)
{
    auto* thread = static_cast<TExceptionThread*>(parameter);
    processingThreadId.store(GetCurrentThreadId());
    // A fault of this thread is the component's own: never reported.
    SetZorvikLogInThread(GetCurrentThreadId(), false);
    try {
        thread->Result = ProcessException(*thread->State);
    } catch (...) {
    }
    SetZorvikLogInThread(GetCurrentThreadId(), true);
    InterlockedExchange(&thread->Running, 0);
    return 0;
}

void ClearThreadExceptionData()
{
    if (TThreadExceptionData* data = CurrentThreadData()) {
        data->ContextValid = false;
        data->ExceptionStackPointer = 0;
        std::memset(&data->Record, 0, sizeof data->Record);
        data->PendingType = nullptr;
        data->PendingObject = nullptr;
    }
}

}  // namespace

TProcessingSteps& ProcessingSteps()
{
    static TProcessingSteps steps;
    return steps;
}

TProcessingState* CurrentProcessing() { return current; }

TZorvikModuleOptions* ProcessingOptions() { return current && current->Options ? current->Options : ZorvikCoreOptions(); }

int32_t ProcessedErrorsCount() { return ZorvikCore().ErrorsCount; }

std::vector<double>& CrashTimes()
{
    static std::vector<double> times;
    return times;
}

bool& CallForGetLogText()
{
    static bool textOnly = false;
    return textOnly;
}

std::string& LogTextResult()
{
    static std::string text;
    return text;
}

bool& TerminationForced()
{
    static bool forced = false;
    return forced;
}

TTerminateBtnOperation& ForcedTerminationOperation()
{
    static TTerminateBtnOperation operation = tbTerminate;
    return operation;
}

void RunOnWaitingThread(const std::function<void()>& routine)
{
    const DWORD self = GetCurrentThreadId();
    if (processingThreadId.load() != 0 && waitingThreadId.load() != 0 && waitingThreadId.load() != self) {
        callbackSlot.store(&routine);
        while (callbackSlot.load() != nullptr)
            Sleep(10);
        return;
    }
    RunSwallowing(routine);
}

bool PumpWaitingMessages()
{
    bool ok = true;
    MSG m;
    for (int i = 0; i < WaitingMessagesPerRound; ++i) {
        if (!PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
            break;
        switch (WaitingMessageAction(m.message)) {
        case TWaitingMessageAction::Drop:
            break;
        case TWaitingMessageAction::DropWithBeep:
            MessageBeep(0);
            break;
        case TWaitingMessageAction::Dispatch:
            try {
                TranslateMessage(&m);
                DispatchMessageA(&m);
            } catch (...) {
                ok = false;
            }
            break;
        }
    }
    return ok;
}

bool CentralExceptionEntry(TCapture& capture, TOutputKind kind, bool handled)
{
    TZorvikCoreState& s = ZorvikCore();
    if (!s.Installed)
        return true;
    // Options that switch the component off for this module: no report, and
    // the framework handles the exception as without the component.
    if (const TZorvikModuleOptions* own = ZorvikCoreOptions(); own && !own->Active())
        return true;
    // A nested fault in the processing's own thread never comes back here.
    if (GetCurrentThreadId() == processingThreadId.load())
        return false;
    ReleaseMemoryReserve();
    bool result = true;
    EnterCriticalSection(&s.ProcessingLock);
    TZorvikModuleOptions* core = ZorvikCoreOptions();
    bool pump = capture.ClassName != "EStackOverflow" &&
                !(core && core->BehaviourOptions().Contains(boPauseFrameworkThreads) &&
                  !core->BehaviourOptions().Contains(boDoNotPauseMainThread));
    const bool safeCallDropped = core && !core->BehaviourOptions().Contains(boHandleSafeCallExceptions) &&
                                 capture.FrameworkObject && capture.Message.rfind("[SafeCall Exception]: ", 0) == 0;
    if (safeCallDropped) {
        result = false;
    } else {
        TProcessingState state;
        state.Capture = &capture;
        state.OutputKind = kind;
        state.Notify.Handled = handled;
        state.Notify.ThreadId = capture.ThreadId;
        NoteFocusedControl(state);
        TProcessingState* outer = current;
        current = &state;
        TExceptionThread thread;
        thread.State = &state;
        waitingThreadId.store(GetCurrentThreadId());
        HANDLE handle = CreateComponentThread(ExceptionThreadRun, &thread);
        if (!handle) {
            // No thread to be had: the processing runs here.
            state.Inline = true;
            thread.Result = ProcessException(state);
        } else {
            SetThreadPriority(handle, THREAD_PRIORITY_HIGHEST);
            const bool mainThread = GetCurrentThreadId() == s.MainThreadId;
            while (thread.Running) {
                if (mainThread && pump && state.DialogPainted)
                    pump = PumpWaitingMessages();
                RunQueuedCallback();
                Sleep(10);
            }
            RunQueuedCallback();
            WaitForSingleObject(handle, INFINITE);
            CloseHandle(handle);
            processingThreadId.store(0);
        }
        waitingThreadId.store(0);
        current = outer;
        result = thread.Result;
    }
    ClearThreadExceptionData();
    LeaveCriticalSection(&s.ProcessingLock);
    ReserveMemory();
    return result;
}

void InstallExceptionProcessing()
{
    ReserveMemory();
    SetCaptureSink([](TCapture& capture) {
        const bool handled = false;
        const TOutputKind kind = capture.Output == 0   ? TOutputKind::Automatic
                                 : capture.Output == 2 ? TOutputKind::WebServer
                                                       : TOutputKind::UserInterface;
        return CentralExceptionEntry(capture, kind, handled);
    });
    InstallEventBridge();
    InstallProcessingStages();
}
