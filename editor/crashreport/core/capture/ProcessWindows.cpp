#include "editor/crashreport/core/capture/ProcessWindows.h"

#include <cstring>

#include "editor/crashreport/core/capture/CoreState.h"

namespace {

std::vector<HWND> snapshot;

bool IsOfClass(HWND w, const char* className)
{
    char name[64] = {};
    return w && GetClassNameA(w, name, sizeof name) && lstrcmpA(name, className) == 0;
}

// The owner that makes a window a child of the program's other windows:
// present, not the desktop, not the framework's application window.
bool RealOwner(HWND owner)
{
    return owner && owner != GetDesktopWindow() && !IsOfClass(owner, "TApplication");
}

DWORD ProcessOf(HWND w)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    return pid;
}

template <class F>
BOOL CALLBACK VisitWindow(HWND w, LPARAM p)
{
    return (*reinterpret_cast<F*>(p))(w) ? TRUE : FALSE;
}

template <class F>
void EachTopLevelWindow(F visit)
{
    EnumWindows(&VisitWindow<F>, reinterpret_cast<LPARAM>(&visit));
}

}  // namespace

bool IsMainWindow(HWND w)
{
    RECT r;
    if (!IsWindowVisible(w) || !GetWindowRect(w, &r) || r.right <= r.left || r.bottom <= r.top)
        return false;
    const LONG_PTR exStyle = GetWindowLongPtrA(w, GWL_EXSTYLE);
    HWND owner = reinterpret_cast<HWND>(GetWindowLongPtrA(w, GWLP_HWNDPARENT));
    if (RealOwner(owner) && (exStyle & WS_EX_TOOLWINDOW))
        owner = reinterpret_cast<HWND>(GetWindowLongPtrA(owner, GWLP_HWNDPARENT));
    return !RealOwner(owner) && !((exStyle & WS_EX_TOOLWINDOW) && !(exStyle & WS_EX_APPWINDOW));
}

HWND MainWindowOfProcess(DWORD processId)
{
    HWND found = nullptr;
    EachTopLevelWindow([&](HWND w) {
        if (ProcessOf(w) == processId && IsMainWindow(w)) {
            found = w;
            return false;
        }
        return true;
    });
    return found;
}

bool IsDevelopmentEnvironmentProcess(DWORD processId)
{
    bool found = false;
    EachTopLevelWindow([&](HWND w) {
        found = ProcessOf(w) == processId && IsOfClass(w, "TAppBuilder");
        return !found;
    });
    return found;
}

RECT ProcessWindowsRect(DWORD processId)
{
    RECT all{-1, -1, -1, -1};
    bool any = false;
    EachTopLevelWindow([&](HWND w) {
        RECT r;
        if (ProcessOf(w) == processId && IsWindowVisible(w) && GetWindowRect(w, &r) && r.right > r.left) {
            if (!any)
                all = r;
            else
                UnionRect(&all, &all, &r);
            any = true;
        }
        return true;
    });
    return all;
}

void TakeProcessWindowsSnapshot()
{
    snapshot.clear();
    const DWORD self = GetCurrentProcessId();
    EachTopLevelWindow([&](HWND w) {
        if (ProcessOf(w) == self)
            snapshot.push_back(w);
        return true;
    });
}

const std::vector<HWND>& ProcessWindowsSnapshot() { return snapshot; }

bool IsNewWindow(HWND window)
{
    for (HWND w : snapshot)
        if (w == window)
            return false;
    return true;
}

bool IsThisProcessWindow(HWND window) { return ProcessOf(window) == GetCurrentProcessId(); }

bool CopyTextToClipboard(const std::string& text)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    if (!block)
        return false;
    if (void* p = GlobalLock(block)) {
        std::memcpy(p, text.c_str(), text.size() + 1);
        GlobalUnlock(block);
    }
    if (!OpenClipboard(nullptr)) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    const bool set = SetClipboardData(CF_TEXT, block) != nullptr;
    CloseClipboard();
    // Once set, the block is the clipboard's.
    if (!set)
        GlobalFree(block);
    return set;
}

void TerminateApplication(bool restart)
{
    if (restart) {
        STARTUPINFOA si;
        GetStartupInfoA(&si);
        PROCESS_INFORMATION pi{};
        std::string commandLine = GetCommandLineA();
        const std::string& folder = ZorvikCore().StartFolder;
        if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                           NORMAL_PRIORITY_CLASS | CREATE_NEW_PROCESS_GROUP, nullptr,
                           folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        }
    }
    TerminateProcess(GetCurrentProcess(), 1);
    ExitProcess(1);
}
