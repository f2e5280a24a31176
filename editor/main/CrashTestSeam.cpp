#include "editor/main/CrashTestSeam.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/lookup/AddressLookup.h"
#include "editor/crashreport/core/lookup/ModuleInfo.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/options/OptionsStream.h"
#include "editor/main/MainForm.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"

namespace {

constexpr UINT TestCrashMessage = WM_APP + 0x5A;

__attribute__((noinline)) void ThrowTestException()
{
    throw Exception("Test crash of the crash-report component");
}

__attribute__((noinline)) void WriteToAddressZero()
{
    // Through a pointer the compiler cannot see, so that the write happens.
    volatile int* volatile zero = nullptr;
    *zero = 1;
}

// Depth the compiler cannot foresee, so that the recursion is not folded.
volatile int recursionLimit = 0;

__attribute__((noinline)) int RecurseWithoutEnd(int depth)
{
    volatile char frame[512];
    frame[depth % sizeof frame] = static_cast<char>(depth);
    if (recursionLimit != 0 && depth >= recursionLimit)
        return frame[0];
    // Not a tail call: the frame is read after the call returns.
    return RecurseWithoutEnd(depth + 1) + frame[depth % sizeof frame];
}

// Minimises the main window, then stops answering for a minute.
__attribute__((noinline)) void FreezeMinimised()
{
    if (MainForm && MainForm->HandleAllocated())
        ShowWindow(MainForm->Handle(), SW_MINIMIZE);
    Application->ProcessMessages();
    for (int i = 0; i < 600; ++i)
        Sleep(100);
}

__attribute__((noinline)) void ProvokeTestCrash(const std::string& kind)
{
    if (kind == "access-violation")
        WriteToAddressZero();
    else if (kind == "stack-overflow")
        RecurseWithoutEnd(0);
    else if (kind == "freeze")
        FreezeMinimised();
    else
        ThrowTestException();
}

std::string SeamKind()
{
    const char* value = std::getenv("TESSALY_TEST_CRASH");
    return value ? value : "";
}

// Reads an option file written by this version into the options the
// processing selects for the editor: its own module's and the core's.
void LoadTestOptions(const std::string& fileName)
{
    std::vector<TZorvikModuleOptions*> targets;
    if (TZorvikModuleInfo* own = ModuleInfoByAddr(reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr))))
        if (own->Options)
            targets.push_back(own->Options.get());
    if (TZorvikModuleOptions* core = ZorvikCoreOptions())
        if (targets.empty() || targets[0] != core)
            targets.push_back(core);
    for (TZorvikModuleOptions* options : targets) {
        try {
            LastZorvikVersion = ZorvikLogCurrentVersion;
            options->LoadFromFile(fileName);
        } catch (Exception& e) {
            // A bad file leaves the built-in options in place.
            OutputDebugStringA(("Test options not loaded: " + e.Message + "\n").c_str());
        }
    }
}

// Notes this process and the folder it started in, then moves away from it.
void NoteStartAndMoveAway(const std::string& noteFile)
{
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    const std::string line = "started " + std::to_string(GetCurrentProcessId()) + " " + folder + "\r\n";
    HANDLE f = CreateFileA(noteFile.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(f, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        CloseHandle(f);
    }
    char temp[MAX_PATH] = {};
    if (GetTempPathA(MAX_PATH, temp))
        SetCurrentDirectoryA(temp);
}

}  // namespace

void PrepareCrashTestSeam()
{
    const char* options = std::getenv("TESSALY_TEST_CRASH_OPTIONS");
    if (options && *options)
        LoadTestOptions(options);
    if (SeamKind() == "main-window")
        MainFormConstructionSeam = [] { ProvokeTestCrash("main-window"); };
}


void ArmCrashTestSeam()
{
    const std::string kind = SeamKind();
    if (kind.empty() || kind == "main-window")
        return;
    const char* note = std::getenv("TESSALY_TEST_CRASH_NOTE");
    if (note && *note)
        NoteStartAndMoveAway(note);
    if (kind == "access-violation" || kind == "stack-overflow") {
        // Straight away: a system fault nobody handles.
        ProvokeTestCrash(kind);
        return;
    }
    Application->HookMainWindow([kind](UINT msg, WPARAM, LPARAM, LRESULT&) {
        if (msg == TestCrashMessage)
            ProvokeTestCrash(kind);
        return false;
    });
    PostMessageA(Application->Handle(), TestCrashMessage, 0, 0);
    // Answered while the first is being processed.
    if (kind == "second-exception")
        PostMessageA(Application->Handle(), TestCrashMessage, 0, 0);
}
