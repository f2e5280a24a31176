#include "editor/main/CrashTestSeam.h"

#include <windows.h>

#include <cstdlib>
#include <string>

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

__attribute__((noinline)) void ProvokeTestCrash(const std::string& kind)
{
    if (kind == "access-violation")
        WriteToAddressZero();
    else
        ThrowTestException();
}

}  // namespace

void ArmCrashTestSeam()
{
    const char* value = std::getenv("TESSALY_TEST_CRASH");
    if (!value || !*value)
        return;
    const std::string kind = value;
    if (kind == "access-violation") {
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
}
