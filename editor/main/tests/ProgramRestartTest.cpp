// The shipped Tessaly.exe started twice in the same Wine prefix: what the
// first run left (the window's place, the recent file) is written at its
// close and there at the second start, which also starts in the stored
// language.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "editor/main/EditorSettings.h"
#include "framework/Registry.h"
#include "framework/WinText.h"

namespace {

std::u16string EditorPath() {
    const char* bin = std::getenv("TQ_BINARY_DIR");
    return AnsiToWide(std::string(bin ? bin : ".") + "/bin/Tessaly.exe");
}

std::u16string TextOf(HWND h) {
    wchar_t buf[1024] = {};
    GetWindowTextW(h, buf, 1024);
    return U16(buf);
}

struct Found {
    DWORD pid;
    HWND main = nullptr;
};

BOOL CALLBACK FindMain(HWND h, LPARAM lp) {
    auto* f = reinterpret_cast<Found*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == f->pid && IsWindowVisible(h) && TextOf(h).rfind(u"Tessaly - ", 0) == 0) {
        f->main = h;
        return FALSE;
    }
    return TRUE;
}

// The editor run once: started with a command line, its main window found,
// closed as a person closes it.
class EditorRun {
public:
    explicit EditorRun(const std::u16string& parameters) {
        std::u16string commandLine = u"\"" + EditorPath() + u"\" " + parameters;
        STARTUPINFOW si{};
        si.cb = sizeof si;
        FStarted = CreateProcessW(WC(EditorPath()), const_cast<wchar_t*>(WC(commandLine)), nullptr, nullptr, FALSE, 0,
                                  nullptr, nullptr, &si, &FProcess);
        for (int waited = 0; FStarted && waited < 60000 && !FMain; waited += 50) {
            Found f{FProcess.dwProcessId};
            EnumWindows(FindMain, reinterpret_cast<LPARAM>(&f));
            FMain = f.main;
            if (!FMain) Sleep(50);
        }
        if (FMain) Sleep(300);  // the first paint and the idle state
    }
    ~EditorRun() {
        if (!FStarted) return;
        if (WaitForSingleObject(FProcess.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(FProcess.hProcess, 1);
        WaitForSingleObject(FProcess.hProcess, 10000);
        CloseHandle(FProcess.hThread);
        CloseHandle(FProcess.hProcess);
    }
    HWND main() const { return FMain; }
    bool close() {
        PostMessageW(FMain, WM_CLOSE, 0, 0);
        return WaitForSingleObject(FProcess.hProcess, 20000) == WAIT_OBJECT_0;
    }

private:
    PROCESS_INFORMATION FProcess{};
    bool FStarted = false;
    HWND FMain = nullptr;
};

std::u16string MenuText(HMENU menu, int position) {
    wchar_t buf[512] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), buf, 512, MF_BYPOSITION);
    return U16(buf);
}

// The command of the item with this text anywhere under the menu, or 0.
UINT FindCommand(HMENU menu, const std::u16string& text) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            if (UINT id = FindCommand(sub, text)) return id;
        } else if (MenuText(menu, i) == text) {
            return GetMenuItemID(menu, i);
        }
    }
    return 0;
}

void RemoveSettings() {
    TRegistry reg;
    reg.DeleteKey(SettingsKey);
    reg.DeleteKey(OlderSettingsKey);
}

}  // namespace

TEST(ProgramRestartTest, TheSecondStartShowsWhatTheFirstChose) {
    if (GetFileAttributesW(WC(EditorPath())) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "Tessaly.exe is not built";
    RemoveSettings();
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::u16string file = U16(dir) + u"restart test file.bin";
    HANDLE h = CreateFileW(WC(file), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);

    {
        EditorRun first(u"\"" + file + u"\"");
        ASSERT_NE(first.main(), nullptr);
        // First start: the window is maximized.
        EXPECT_TRUE(IsZoomed(first.main()));
        ShowWindow(first.main(), SW_RESTORE);
        MoveWindow(first.main(), 40, 30, 640, 480, TRUE);
        Sleep(200);
        ASSERT_TRUE(first.close());
    }
    // What the closing wrote.
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(SettingsKey, false));
    EXPECT_EQ(reg.ReadInteger("Window Maximized"), 0);
    EXPECT_EQ(reg.ReadInteger("Window Left"), 40);
    EXPECT_EQ(reg.ReadInteger("Window Width"), 640);
    EXPECT_EQ(reg.ReadString("Language"), "EN");
    std::vector<uint8_t> recent = reg.ReadBinary("Recent file 0");
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(recent.data()), recent.size() / 2), file);
    // Another run chose Dutch (the menus of another process cannot be
    // reached from here; the language switch itself is tested in a window).
    reg.WriteString("Language", "NL");
    reg.CloseKey();
    {
        EditorRun second(u"");
        ASSERT_NE(second.main(), nullptr);
        EXPECT_EQ(TextOf(second.main()), u"Tessaly - Nieuw bestand");
        EXPECT_FALSE(IsZoomed(second.main()));
        RECT r;
        GetWindowRect(second.main(), &r);
        EXPECT_EQ(r.left, 40);
        EXPECT_EQ(r.right - r.left, 640);
        EXPECT_TRUE(second.close());
    }
    ASSERT_TRUE(reg.OpenKey(SettingsKey, false));
    EXPECT_EQ(reg.ReadString("Language"), "NL") << "kept by the second run";
    recent = reg.ReadBinary("Recent file 0");
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(recent.data()), recent.size() / 2), file)
        << "the list read at the start is written back";
    reg.CloseKey();
    RemoveSettings();
    DeleteFileW(WC(file));
}
