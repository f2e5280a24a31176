// The editor and its manual as they are installed: Tessaly.exe beside
// help_en\ and help_nl\, each holding the manual and Vellumo.exe. F1 in the
// editor opens the manual of the editor's language at its index, a second
// F1 reuses the viewer, and closing the editor closes the viewer; every help
// context number the editor sends opens its page in both languages.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "framework/testing/GuiTest.h"
#include "viewer/HelpIndex.h"
#include "viewer/PageText.h"
#include "viewer/tests/ProgramInstall.h"

namespace {

using progtest::BinaryDir;

// The help context numbers of the editor: the help index, the
// exact-location window, the menu item Search for..., the search and replace
// windows, the bit editor and the data types editor; 0, where the viewer
// falls back; and one the map lacks, which shows the page of 0.
const int32_t kContexts[] = {100, 3, 21, 301, 303, 404, 405, 0, 7777};

// The language setting of the editor in the registry, set for one test and
// put back afterwards. (The Windows tests of a tree run one at a time.)
class LanguageSetting {
public:
    explicit LanguageSetting(const char* code) {
        RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &Key_, nullptr);
        char old[64] = {};
        DWORD size = sizeof old, type = 0;
        Had_ = RegQueryValueExA(Key_, "Language", nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS &&
               type == REG_SZ;
        if (Had_) Old_ = old;
        RegSetValueExA(Key_, "Language", 0, REG_SZ, reinterpret_cast<const BYTE*>(code), static_cast<DWORD>(strlen(code) + 1));
    }
    ~LanguageSetting() {
        if (Had_) RegSetValueExA(Key_, "Language", 0, REG_SZ, reinterpret_cast<const BYTE*>(Old_.c_str()),
                                 static_cast<DWORD>(Old_.size() + 1));
        else RegDeleteValueA(Key_, "Language");
        RegCloseKey(Key_);
    }

private:
    static constexpr const char* kKey = "Software\\Morvantide Software\\Tessaly";
    HKEY Key_ = nullptr;
    bool Had_ = false;
    std::string Old_;
};

struct Language {
    const char* Folder;  // help_en, help_nl
    const char* Code;    // as the editor keeps it
};

// The window of a class that a program in folder shows, waited for up to
// ms; nullptr when none showed.
HWND WaitForWindow(const std::string& folder, const std::string& windowClass, int ms) {
    HWND window = progtest::WindowOfProgramIn(folder, windowClass);
    for (int waited = 0; !window && waited < ms; waited += 20) {
        Sleep(20);
        window = progtest::WindowOfProgramIn(folder, windowClass);
    }
    return window;
}

class EditorHelp : public ::testing::TestWithParam<Language> {
protected:
    void SetUp() override {
        Help = std::string(GetParam().Folder) + "\\";
        Manual = BinaryDir() + "\\bin\\" + Help;
        HtmlInfo index = ExtractPageText(Manual + "index.htm");
        ASSERT_FALSE(index.Title.empty()) << "no manual installed in " << Manual;
    }
    // The caption the viewer shows for a context: the title of the page its
    // map names (the page of 0 when the map lacks the number), " - Help".
    std::string CaptionFor(int32_t context) {
        HANDLE f = CreateFileA((Manual + "helpmap.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                               nullptr);
        std::string text(65536, '\0');
        DWORD got = 0;
        if (f != INVALID_HANDLE_VALUE) {
            ReadFile(f, text.data(), static_cast<DWORD>(text.size()), &got, nullptr);
            CloseHandle(f);
        }
        text.resize(got);
        const std::map<int32_t, std::string> map = ParseContextMap(SplitLines(text));
        auto page = map.find(context);
        if (page == map.end()) page = map.find(0);
        if (page == map.end()) return "(no page for " + std::to_string(context) + ")";
        return ExtractPageText(Manual + page->second).Title + " - Help";
    }
    // Tessaly.exe with both manuals in the installation, started; main is
    // its main window once it shows and has settled into its message loop.
    void StartInstalledEditor(progtest::Install& install, progtest::Process& editor, HWND& main) {
        install.CopyFile(BinaryDir() + "\\bin\\Tessaly.exe", "Tessaly.exe");
        install.CopyFolder(BinaryDir() + "\\bin\\help_en\\", "help_en");
        install.CopyFolder(BinaryDir() + "\\bin\\help_nl\\", "help_nl");
        ASSERT_EQ(install.Failed(), "");
        ASSERT_TRUE(editor.Start(install.Folder() + "Tessaly.exe", ""));
        main = WaitForWindow(install.Folder(), "TMainForm.UnicodeClass", 30000);
        ASSERT_NE(main, nullptr) << "the editor's window did not show: " << progtest::DescribeWindowsOf(editor.Id());
        Sleep(300);
    }
    std::string Help, Manual;
};

// A click on the caption of a window, through the system's mouse input: the
// window becomes the active one, as when a person clicks it.
void ClickCaption(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    const int x = r.left + 40, y = r.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 2;
    INPUT in[3] = {};
    for (INPUT& i : in) {
        i.type = INPUT_MOUSE;
        i.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        i.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        i.mi.dwFlags = MOUSEEVENTF_ABSOLUTE;
    }
    in[0].mi.dwFlags |= MOUSEEVENTF_MOVE;
    in[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    in[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(3, in, sizeof(INPUT));
    Sleep(400);
}

// Presses a key in the editor as its keyboard sends it: to the window of the
// editor's thread that has the focus.
void PressKeyIn(HWND window, WORD vk) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    HWND target = window;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus) target = info.hwndFocus;
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(target, WM_KEYDOWN, vk, scan | 1);
    PostMessageA(target, WM_KEYUP, vk, scan | 0xC0000001);
}

TEST_P(EditorHelp, F1OpensTheManualOfTheEditorsLanguageAndClosingTheEditorClosesIt) {
    progtest::Install install(std::string("tessaly_f1_") + GetParam().Folder);
    LanguageSetting language(GetParam().Code);
    progtest::Process editor;
    HWND main = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartInstalledEditor(install, editor, main));

    const std::string viewerFolder = install.Folder() + Help;
    const std::string index = CaptionFor(100);
    PressKeyIn(main, VK_F1);
    ASSERT_EQ(progtest::WaitForCaption(viewerFolder, "THelpForm", index), index);
    HWND viewer = progtest::WindowOfProgramIn(viewerFolder, "THelpForm");
    // only the manual of the editor's language opens
    const std::string other = install.Folder() + (Help == "help_en\\" ? "help_nl\\" : "help_en\\");
    EXPECT_EQ(progtest::WindowOfProgramIn(other, "THelpForm"), nullptr);
    Sleep(500);  // painted
    guitest::SaveScreenshot(main, guitest::ScreenshotPath(std::string("editor_f1_") + GetParam().Folder + "_editor"));
    guitest::SaveScreenshot(viewer, guitest::ScreenshotPath(std::string("editor_f1_") + GetParam().Folder + "_viewer"));

    // Another page, then F1 again: the same viewer window returns to the index.
    PostMessageA(viewer, WM_USER + 2, 404, 0);
    ASSERT_EQ(progtest::WaitForCaption(viewerFolder, "THelpForm", CaptionFor(404)), CaptionFor(404));
    ClickCaption(main);  // the viewer came to the front; back to the editor
    PressKeyIn(main, VK_F1);
    EXPECT_EQ(progtest::WaitForCaption(viewerFolder, "THelpForm", index), index);
    EXPECT_EQ(progtest::WindowOfProgramIn(viewerFolder, "THelpForm"), viewer);

    // Closing the editor closes the viewer it opened.
    HANDLE viewerProcess = progtest::OpenProcessOf(viewer);
    ASSERT_NE(viewerProcess, nullptr);
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(editor.Wait(15000), 0);
    EXPECT_EQ(WaitForSingleObject(viewerProcess, 15000), WAIT_OBJECT_0) << "the viewer stayed open";
    CloseHandle(viewerProcess);
}

// F1 in the bit editor (opened by F5) and in the data types editor (F6) opens
// the manual at that window's own page, as in the value, search and replace
// windows.
TEST_P(EditorHelp, F1InTheBitAndDataTypesEditorsOpensTheirPages) {
    progtest::Install install(std::string("tessaly_dialog_f1_") + GetParam().Folder);
    LanguageSetting language(GetParam().Code);
    progtest::Process editor;
    HWND main = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartInstalledEditor(install, editor, main));

    const std::string viewerFolder = install.Folder() + Help;
    // However the test ends, the viewer it opened closes.
    struct ViewerCloser {
        std::string program;
        ~ViewerCloser() {
            progtest::Process closer;
            if (closer.Start(program, "-1")) closer.Wait(10000);
        }
    } viewerCloser{viewerFolder + "Vellumo.exe"};
    struct Window {
        WORD key;              // the menu shortcut that opens it
        const char* windowClass;
        int32_t context;
    };
    for (const Window& w : {Window{VK_F5, "TBinaryForm.UnicodeClass", 404}, Window{VK_F6, "TDataTypesView.UnicodeClass", 405}}) {
        SCOPED_TRACE(w.windowClass);
        ClickCaption(main);  // after the first page the viewer is in front
        PressKeyIn(main, w.key);
        HWND dialog = WaitForWindow(install.Folder(), w.windowClass, 10000);
        ASSERT_NE(dialog, nullptr) << progtest::DescribeWindowsOf(editor.Id());
        Sleep(300);
        PressKeyIn(dialog, VK_F1);
        const std::string page = CaptionFor(w.context);
        EXPECT_EQ(progtest::WaitForCaption(viewerFolder, "THelpForm", page), page);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        for (int i = 0; i < 500 && progtest::WindowOfProgramIn(install.Folder(), w.windowClass); ++i) Sleep(20);
        ASSERT_EQ(progtest::WindowOfProgramIn(install.Folder(), w.windowClass), nullptr);
    }
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(editor.Wait(15000), 0);
}

// The command lines the editor gives the viewer: each help context number
// it sends, handed by later copies to the first one, then "-1".
TEST_P(EditorHelp, EveryContextTheEditorSendsOpensItsPage) {
    progtest::Install install(std::string("vellumo_contexts_") + GetParam().Folder);
    install.CopyFolder(Manual, GetParam().Folder);
    ASSERT_EQ(install.Failed(), "");
    const std::string folder = install.Folder() + Help;
    const std::string program = folder + "Vellumo.exe";

    progtest::Process first;
    ASSERT_TRUE(first.Start(program, "100"));
    ASSERT_EQ(progtest::WaitForCaption(folder, "THelpForm", CaptionFor(100)), CaptionFor(100));
    for (int32_t context : kContexts) {
        SCOPED_TRACE(context);
        progtest::Process later;
        ASSERT_TRUE(later.Start(program, std::to_string(context)));
        EXPECT_EQ(later.Wait(10000), 0);
        EXPECT_EQ(progtest::WaitForCaption(folder, "THelpForm", CaptionFor(context)), CaptionFor(context));
    }
    progtest::Process closer;
    ASSERT_TRUE(closer.Start(program, "-1"));
    EXPECT_EQ(closer.Wait(10000), 0);
    EXPECT_EQ(first.Wait(10000), 0);
    EXPECT_EQ(progtest::WindowOfProgramIn(folder, "THelpForm"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Languages, EditorHelp,
                         ::testing::Values(Language{"help_en", "EN"}, Language{"help_nl", "NL"}),
                         [](const ::testing::TestParamInfo<Language>& i) { return std::string(i.param.Code); });

}  // namespace
