// The editor as shipped, started on very large files (sparse, so cheap to
// make): a file of 1.9 GB opens, one too large for memory and one past the
// largest document are refused with their message, and in both cases the
// editor goes on running with a new document. The 64-bit build, tested where
// no 32-bit code runs, has room for the largest document and opens it.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "editor/document/DataFile.h"
#include "editor/document/LanguageSystem.h"
#include "editor/document/Win32DocumentIO.h"
#include "editor/document/tests/FakeDocumentIO.h"
#include "editor/main/EditorSettings.h"
#include "editor/main/MainForm.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Registry.h"
#include "framework/WinText.h"
#include "framework/testing/GuiTest.h"

namespace {

std::u16string TempName(const std::u16string& leaf) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return U16(dir) + leaf;
}

bool MakeSparseFile(const std::u16string& name, int64_t size) {
    HANDLE h = CreateFileW(WC(name), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER to;
    to.QuadPart = size;
    bool ok = SetFilePointerEx(h, to, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    return ok;
}

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
    std::vector<HWND> windows;
};

BOOL CALLBACK Collect(HWND h, LPARAM lp) {
    auto* f = reinterpret_cast<Found*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == f->pid && IsWindowVisible(h)) f->windows.push_back(h);
    return TRUE;
}

// The editor, started on a file, with its visible top-level windows.
class Editor {
public:
    explicit Editor(const std::u16string& file) {
        std::u16string commandLine = u"\"" + EditorPath() + u"\" \"" + file + u"\"";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        FStarted = CreateProcessW(WC(EditorPath()), const_cast<wchar_t*>(WC(commandLine)), nullptr, nullptr, FALSE, 0,
                                  nullptr, nullptr, &si, &FProcess);
    }
    ~Editor() {
        if (!FStarted) return;
        if (WaitForSingleObject(FProcess.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(FProcess.hProcess, 1);
        WaitForSingleObject(FProcess.hProcess, 10000);
        CloseHandle(FProcess.hThread);
        CloseHandle(FProcess.hProcess);
    }
    bool started() const { return FStarted; }
    bool running() const { return WaitForSingleObject(FProcess.hProcess, 0) == WAIT_TIMEOUT; }

    // The first visible window of the editor whose caption starts with the
    // text, waiting for it up to the time given.
    HWND waitFor(const std::u16string& captionStart, DWORD ms = 60000) {
        return waitUntil([&](HWND h) { return TextOf(h).rfind(captionStart, 0) == 0; }, ms);
    }
    // A message box of the editor with exactly this caption.
    HWND waitForBox(const std::u16string& caption, DWORD ms = 60000) {
        return waitUntil(
            [&](HWND h) {
                wchar_t cls[64] = {};
                GetClassNameW(h, cls, 64);
                return TextOf(h) == caption && U16(cls) == u"#32770";
            },
            ms);
    }
    template <class Test>
    HWND waitUntil(Test test, DWORD ms) {
        for (DWORD waited = 0;; waited += 50) {
            Found f{FProcess.dwProcessId, {}};
            EnumWindows(Collect, reinterpret_cast<LPARAM>(&f));
            for (HWND h : f.windows)
                if (test(h)) return h;
            if (waited >= ms || !running()) return nullptr;
            Sleep(50);
        }
    }
    // The texts of the visible windows, to tell what showed instead.
    std::string shown() {
        Found f{FProcess.dwProcessId, {}};
        EnumWindows(Collect, reinterpret_cast<LPARAM>(&f));
        std::string all;
        for (HWND h : f.windows) all += "[" + WideToAnsi(TextOf(h)) + "] ";
        return all;
    }
    // Closes the main window as a user would and waits for the program to end.
    bool close(HWND main) {
        PostMessageW(main, WM_CLOSE, 0, 0);
        return WaitForSingleObject(FProcess.hProcess, 20000) == WAIT_OBJECT_0;
    }

private:
    PROCESS_INFORMATION FProcess{};
    bool FStarted = false;
};

// The message box's text (its static control) and its OK button pressed.
std::u16string AnswerBox(HWND box) {
    std::u16string text = TextOf(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return text;
}

// The editor starts from its default settings (English texts), whatever an
// earlier run left in the registry, and what its runs write goes with it.
class LargeFileStartTest : public ::testing::Test {
protected:
    void SetUp() override { RemoveSettings(); }
    void TearDown() override {
        if (!name.empty()) DeleteFileW(WC(name));
        RemoveSettings();
    }
    static void RemoveSettings() {
        TRegistry reg;
        reg.DeleteKey(SettingsKey);
        reg.DeleteKey(OlderSettingsKey);
    }
    std::u16string name;
};

}  // namespace

// A 32-bit program has 4 GB of address space under a 64-bit system only
// when its header says it can use addresses above 2 GB.
TEST(LargeFileStart, TheEditorIsLargeAddressAware) {
    HANDLE h = CreateFileW(WC(EditorPath()), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    std::vector<char> head(4096);
    DWORD n = 0;
    ReadFile(h, head.data(), static_cast<DWORD>(head.size()), &n, nullptr);
    CloseHandle(h);
    ASSERT_GE(n, sizeof(IMAGE_DOS_HEADER));
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(head.data());
    ASSERT_LT(static_cast<DWORD>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS32), n);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(head.data() + dos->e_lfanew);
    EXPECT_TRUE(nt->FileHeader.Characteristics & IMAGE_FILE_LARGE_ADDRESS_AWARE);
}

TEST_F(LargeFileStartTest, OpensAFileOf1_9GB) {
    name = TempName(u"tq_start_1_9gb.bin");
    ASSERT_TRUE(MakeSparseFile(name, 1900000000));
    Editor editor(name);
    ASSERT_TRUE(editor.started());
    HWND main = editor.waitFor(u"Tessaly - " + name);
    ASSERT_NE(main, nullptr) << editor.shown();
    guitest::SaveScreenshot(main, guitest::ScreenshotPath("editor_started_on_1_9gb"));
    EXPECT_TRUE(editor.close(main));
}

// The editor's process has room for the document or not, by its width.
static bool Wide() { return sizeof(void*) == 8; }

// The largest document. No block of a 32-bit address space holds it: the
// box says so (not the crash-report dialog), and after OK the editor runs on
// with a new document. The
// 64-bit build (tested where no 32-bit code runs) has room: it opens.
TEST_F(LargeFileStartTest, TheLargestDocument) {
    name = TempName(u"tq_start_largest.bin");
    ASSERT_TRUE(MakeSparseFile(name, MaxDocumentSize));
    Editor editor(name);
    ASSERT_TRUE(editor.started());
    if (Wide()) {
        HWND main = editor.waitFor(u"Tessaly - " + name, 180000);
        ASSERT_NE(main, nullptr) << editor.shown();
        guitest::SaveScreenshot(main, guitest::ScreenshotPath("editor_started_on_the_largest_document"));
        EXPECT_TRUE(editor.close(main));
        return;
    }
    // The framework's own box, under the application's title: the file's
    // size is no fault of the program, so no crash report is made of it.
    HWND box = editor.waitForBox(u"New File - Tessaly");
    if (!box && editor.waitFor(u"Tessaly - " + name, 0)) GTEST_SKIP() << "the whole file fitted in memory";
    ASSERT_NE(box, nullptr) << editor.shown();
    guitest::SaveScreenshot(box, guitest::ScreenshotPath("editor_start_out_of_memory"));
    EXPECT_EQ(AnswerBox(box), u"Out of memory.");
    HWND main = editor.waitFor(u"Tessaly - New File", 20000);
    ASSERT_NE(main, nullptr) << editor.shown();
    Sleep(300);
    EXPECT_TRUE(editor.running());
    EXPECT_TRUE(editor.close(main));
}

// One byte past the largest document: refused whole before anything is
// read; after OK the editor runs on with a new document.
TEST_F(LargeFileStartTest, AFilePastTheLargestDocumentIsRefused) {
    name = TempName(u"tq_start_too_large.bin");
    ASSERT_TRUE(MakeSparseFile(name, int64_t{MaxDocumentSize} + 1));
    Editor editor(name);
    ASSERT_TRUE(editor.started());
    HWND box = editor.waitForBox(u"File Error");
    ASSERT_NE(box, nullptr) << editor.shown();
    EXPECT_EQ(AnswerBox(box), u"Cannot read all data from " + name);
    HWND main = editor.waitFor(u"Tessaly - New File", 20000);
    ASSERT_NE(main, nullptr) << editor.shown();
    Sleep(300);
    EXPECT_TRUE(editor.running());
    EXPECT_TRUE(editor.close(main));
}

// The main window's start in this test program, which is not large-address-
// aware: the largest document fits no block of its address space, so the
// load raises the out-of-memory error inside the window's constructor. The
// error is shown (here recorded) and the window starts on a new document.
TEST(MainFormStart, AFileTooLargeForMemoryLeavesANewDocument) {
    if (Wide()) GTEST_SKIP() << "a 64-bit test program has room for the largest document";
    Application->Initialize();
    LanguageSystem.loadLanguage("EN");
    FakeDocumentIO io;
    io.files[u"C:\\huge.bin"] = {1, 2, 3};
    io.reportedSize = MaxDocumentSize;
    DataFile.setIO(&io);
    DataFile.newFile();
    std::vector<std::string> shown;
    Application->OnException = [&](TObject*, const Exception& e) { shown.push_back(e.Message); };
    mainform_testing::CommandLine = u"Tessaly.exe C:\\huge.bin";
    std::unique_ptr<TMainForm> form;
    EXPECT_NO_THROW(form = std::make_unique<TMainForm>(nullptr));
    Application->OnException = nullptr;
    mainform_testing::CommandLine.reset();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(shown, std::vector<std::string>{"Out of memory"});
    EXPECT_TRUE(io.messages.empty());
    EXPECT_EQ(form->FileName, u"New File");
    EXPECT_EQ(form->IsNewFile, 1);
    EXPECT_EQ(DataFile.size, 256);
    EXPECT_EQ(io.openFiles, 0);
    form.reset();
    DataFile.setIO(&Win32DocumentIO::Instance());
}
