// Takes the pictures of the manual: the editor on a file and the help
// viewer that its F1 opens, as a person sees them, saved as PNG files. Run by
// scripts/help-screenshots.sh under Wine, once per language:
//   HelpShots <folder of Tessaly.exe> <output folder> <file to open>
// The editor is started on the file and driven by its own shortcut keys,
// typed through the system's keyboard input; each window is captured from
// the screen once it has painted.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/testing/GuiTest.h"

namespace {

struct Windows {
    DWORD Pid;
    std::vector<HWND> Found;
};

BOOL CALLBACK Collect(HWND h, LPARAM p) {
    auto* w = reinterpret_cast<Windows*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == w->Pid && IsWindowVisible(h)) w->Found.push_back(h);
    return TRUE;
}

std::vector<HWND> VisibleWindowsOf(DWORD pid) {
    Windows w{pid, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&w));
    return w.Found;
}

std::string ClassOf(HWND h) {
    char cls[64] = {};
    GetClassNameA(h, cls, sizeof cls);
    return cls;
}

void Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

// Types a key, with Ctrl held when asked, into the foreground window.
void Type(HWND foreground, WORD vk, bool ctrl = false) {
    SetForegroundWindow(foreground);
    Sleep(200);
    if (ctrl) Key(VK_CONTROL, false);
    Key(vk, false);
    Key(vk, true);
    if (ctrl) Key(VK_CONTROL, true);
    Sleep(200);
}

bool Shoot(HWND window, const std::string& path) {
    Sleep(800);  // painted
    bool ok = guitest::SaveScreenshot(window, path);
    std::printf("%s %s (%s)\n", ok ? "saved" : "FAILED", path.c_str(), guitest::WindowText(window).c_str());
    return ok;
}

// The viewer started by F1, found by its window class in any process.
HWND FindViewer() {
    for (int i = 0; i < 500; ++i) {
        if (HWND h = FindWindowA("THelpForm", nullptr))
            if (IsWindowVisible(h)) return h;
        Sleep(20);
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: HelpShots <folder of Tessaly.exe> <output folder> <file to open>\n");
        return 2;
    }
    std::string folder = argv[1], out = argv[2];
    if (folder.back() != '\\') folder += '\\';
    if (out.back() != '\\') out += '\\';
    std::string cmd = "\"" + folder + "Tessaly.exe\" \"" + argv[3] + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "HelpShots: cannot start %s\n", cmd.c_str());
        return 1;
    }
    int rc = 0;
    HWND main = nullptr;
    for (int i = 0; i < 500 && !main; ++i, Sleep(20))
        for (HWND h : VisibleWindowsOf(pi.dwProcessId))
            if (ClassOf(h) == "TMainForm.UnicodeClass") main = h;
    if (!main) {
        std::fprintf(stderr, "HelpShots: the editor's window did not show\n");
        TerminateProcess(pi.hProcess, 1);
        return 1;
    }
    Sleep(1000);
    if (!Shoot(main, out + "shot_editor.png")) rc = 1;

    Type(main, VK_F1);
    if (HWND viewer = FindViewer()) {
        if (!Shoot(viewer, out + "shot_viewer.png")) rc = 1;
    } else {
        std::fprintf(stderr, "HelpShots: F1 showed no viewer\n");
        rc = 1;
    }
    // Closing the editor closes the viewer too.
    PostMessageA(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return rc;
}
