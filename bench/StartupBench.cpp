// The editor's start-up time with the crash-report component active beside
// the same editor linked without the component (measured in the same run,
// started alternately): from CreateProcess until the main window is shown
// and answers a message. The component's share is the ratio of the two.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchTable.h"

namespace {

std::wstring Folder()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p = path;
    return p.substr(0, p.find_last_of(L'\\') + 1);
}

struct TFind {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindShown(HWND w, LPARAM p)
{
    auto* f = reinterpret_cast<TFind*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    RECT r;
    if (pid == f->process && IsWindowVisible(w) && GetWindowRect(w, &r) && r.right > r.left && r.bottom > r.top) {
        f->found = w;
        return FALSE;
    }
    return TRUE;
}

// Seconds from the start until a shown window of the program answers; a
// negative value when it did not within 60 seconds.
double StartUp(const std::wstring& program)
{
    std::wstring commandLine = L"\"" + program + L"\"";
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const auto t0 = std::chrono::steady_clock::now();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
        return -1;
    double seconds = -1;
    for (;;) {
        TFind f{pi.dwProcessId, nullptr};
        EnumWindows(FindShown, reinterpret_cast<LPARAM>(&f));
        DWORD_PTR answer = 0;
        if (f.found && SendMessageTimeoutW(f.found, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &answer)) {
            seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
            break;
        }
        if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0 ||
            std::chrono::steady_clock::now() - t0 > std::chrono::seconds(60))
            break;
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return seconds;
}

double Median(std::vector<double> t)
{
    std::sort(t.begin(), t.end());
    return t.size() % 2 ? t[t.size() / 2] : (t[t.size() / 2 - 1] + t[t.size() / 2]) / 2;
}

}  // namespace

int main()
{
    const std::wstring active = Folder() + L"..\\bin\\Tessaly.exe";
    const std::wstring plain = Folder() + L"programs\\TessalyWithoutCrashReport.exe";
    // One start each first: the system's caches, not the programs, pay for it.
    if (StartUp(active) < 0 || StartUp(plain) < 0) {
        std::printf("the editor did not start: %ls or %ls\n", active.c_str(), plain.c_str());
        return 1;
    }
    std::vector<double> withComponent, without;
    for (int i = 0; i < 9; ++i) {
        without.push_back(StartUp(plain));
        withComponent.push_back(StartUp(active));
    }
    for (size_t i = 0; i < without.size(); ++i)
        std::printf("run %zu: %.1f ms with the component, %.1f ms without\n", i + 1, withComponent[i] * 1e3,
                    without[i] * 1e3);
    if (*std::min_element(withComponent.begin(), withComponent.end()) < 0 ||
        *std::min_element(without.begin(), without.end()) < 0) {
        std::printf("a start of the editor failed\n");
        return 1;
    }
    bench::Row("Tessaly.exe start-up, crash report active (Wine)", Median(withComponent) * 1e3,
               "the same editor without the component (Wine)", Median(without) * 1e3, "ms", "< 1.20");
    return 0;
}
