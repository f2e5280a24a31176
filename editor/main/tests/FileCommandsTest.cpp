// The file commands in a running main window over real files: the open and
// save dialogs driven through their windows, the messages of failed reads
// and writes, Read Only, the recent-file menu, dropped files, second copies,
// the reload offer and the help of a menu item.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <fstream>
#include <memory>

#include "editor/document/DataFile.h"
#include "editor/document/Win32DocumentIO.h"
#include "editor/main/DataScreen.h"
#include "editor/main/MainForm.h"
#include "editor/main/tests/BoxAnswers.h"
#include "editor/main/tests/MainWindowTesting.h"
#include "editor/main/tests/SystemDialogs.h"
#include "editor/unicode/UvxCommandLine.h"
#include "editor/unicode/UvxForms.h"
#include "framework/StatusBar.h"
#include "framework/WinText.h"
#include "framework/testing/GuiTest.h"

using namespace boxanswers;
using sysdialogs::Step;

namespace {

std::u16string TempDir() {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    std::u16string path = U16(dir) + u"tessaly files \u00e5\\";
    CreateDirectoryW(WC(path), nullptr);
    return path;
}

void WriteFile(const std::u16string& path, const std::string& bytes) {
    HANDLE h = CreateFileW(WC(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

std::string ReadFile(const std::u16string& path) {
    HANDLE h = CreateFileW(WC(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes(GetFileSize(h, nullptr), '\0');
    DWORD got = 0;
    ::ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(h);
    return bytes;
}

// Moves the file's last-write time an hour on, so that its age differs
// whatever the clock's grain.
void Touch(const std::u16string& path) {
    HANDLE h = CreateFileW(WC(path), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME t;
    GetFileTime(h, nullptr, nullptr, &t);
    ULARGE_INTEGER v{{t.dwLowDateTime, t.dwHighDateTime}};
    v.QuadPart += 36000000000ULL;
    t = {v.LowPart, v.HighPart};
    SetFileTime(h, nullptr, nullptr, &t);
    CloseHandle(h);
}

std::string Bytes() { return std::string(reinterpret_cast<const char*>(DataFile.data), static_cast<size_t>(DataFile.size)); }

class TestForm : public TMainForm {
public:
    explicit TestForm(TComponent* owner) : TMainForm(owner) {
        StartProgram = [this](const std::string&, const std::string& parameter) { help.push_back(parameter); };
        StartCopy = [this](const std::u16string& program, const std::u16string& parameters) {
            copies.push_back({program, parameters});
        };
    }
    std::vector<std::string> help;
    std::vector<std::pair<std::u16string, std::u16string>> copies;
};

class FileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        DataFile.setIO(&Win32DocumentIO::Instance());
        DataFile.newFile();
        dir = TempDir();
    }
    void TearDown() override {
        form.reset();
        mainwindowtest::ResetEditor();
    }
    TestForm& Start(const std::u16string& file = u"") {
        mainwindowtest::StartWithFile(file);
        form = std::make_unique<TestForm>(nullptr);
        mainwindowtest::ShowAtTopLeft(*form);
        return *form;
    }
    HWND View() { return form->ByteView->Handle(); }
    void Command(TMenuItem* item) {
        form->Perform(WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
        guitest::PumpUntilIdle();
    }
    void ShortcutKey(WORD vk, TShiftState shift) {
        guitest::ShortcutKey(form->Handle(), View(), vk, shift);
        guitest::PumpUntilIdle();
    }
    // The captions of the File menu's recent entries, in menu order.
    std::vector<std::u16string> RecentItems() {
        std::vector<std::u16string> items;
        TMenuItem* file = form->File1;
        for (int i = file->IndexOf(form->FileStatistics1) + 1; i < file->Count(); ++i) {
            TMenuItem* item = file->Items(i);
            if (item == form->BeforeExit) break;
            if (!item->IsLine()) items.push_back(static_cast<TUvxMenuItem*>(item)->GetCaption());
        }
        return items;
    }

    Answerer answers;
    sysdialogs::Driver dialogs;
    std::u16string dir;
    std::unique_ptr<TestForm> form;
};

}  // namespace

TEST_F(FileCommandsTest, OpenThroughTheDialogTypeAndSaveAsANewName) {
    const std::u16string source = dir + u"source file.bin", target = dir + u"saved \u00e9.bin";
    WriteFile(source, "ABCD");
    DeleteFileW(WC(target));
    TestForm& f = Start();
    dialogs.plan = {{sysdialogs::ChooseFile, source}};
    ShortcutKey('O', ssCtrl);
    ASSERT_EQ(dialogs.seen.size(), 1u);
    EXPECT_EQ(f.FileName, source);
    EXPECT_EQ(Bytes(), "ABCD");
    EXPECT_EQ(f.IsNewFile, 0);
    EXPECT_EQ(f.GetCaption(), u"Tessaly - " + source);
    EXPECT_EQ(UvxApplication->GetTitle(), u"source file.bin - Tessaly");

    guitest::TypeChar(View(), 'x');
    EXPECT_EQ(f.GetCaption(), u"Tessaly - " + source + u" *");
    dialogs.plan = {{sysdialogs::ChooseFile, target}};
    Command(f.Saveas1);
    ASSERT_EQ(dialogs.seen.size(), 2u);
    EXPECT_EQ(ReadFile(target), "xBCD");
    EXPECT_EQ(ReadFile(source), "ABCD");
    EXPECT_EQ(f.FileName, target);
    EXPECT_EQ(Modified, 0);
    EXPECT_EQ(f.GetCaption(), u"Tessaly - " + target);
    EXPECT_EQ(UvxApplication->GetTitle(), u"saved \u00e9.bin - Tessaly");
    EXPECT_EQ(f.StatusBar->PanelText(4), "File saved as " + WideToAnsi(target) + ".");
    EXPECT_EQ(RecentItems(), (std::vector<std::u16string>{target, source}));

    // Save writes under the name now held, and says so.
    guitest::TypeChar(View(), 'y');
    ShortcutKey('S', ssCtrl);
    EXPECT_EQ(ReadFile(target), "xyCD");
    EXPECT_EQ(Modified, 0);
    EXPECT_EQ(f.StatusBar->PanelText(4), WideToAnsi(target) + " saved.");
}

TEST_F(FileCommandsTest, CancelledDialogsChangeNothing) {
    const std::u16string source = dir + u"kept.bin";
    WriteFile(source, "12");
    TestForm& f = Start(source);
    guitest::TypeChar(View(), 'z');
    // Open on a changed file asks first; No goes on to the dialog, which is cancelled.
    answers.plan = {Click2};
    dialogs.plan = {{sysdialogs::PressCancel, {}}};
    Command(f.Open1);
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].text, "Save this file before opening another file?");
    EXPECT_EQ(dialogs.seen.size(), 1u);
    EXPECT_EQ(Bytes(), "z2");
    EXPECT_EQ(Modified, 1);
    // Cancel at the question: no dialog at all.
    answers.plan = {Click3};
    Command(f.Open1);
    EXPECT_EQ(dialogs.seen.size(), 1u);
    // A new document's Save asks for a name; cancelling it writes nothing.
    f.IsNewFile = 1;
    dialogs.plan = {{sysdialogs::PressCancel, {}}};
    Command(f.Save1);
    EXPECT_EQ(dialogs.seen.size(), 2u);
    EXPECT_EQ(ReadFile(source), "12");
    EXPECT_EQ(Modified, 1);
}

// Reads and writes that fail are told with the document's message and leave
// the document, its name, its modified mark and its history as they were.
TEST_F(FileCommandsTest, FailedReadsAndWritesLoseNothing) {
    const std::u16string good = dir + u"good.bin", locked = dir + u"locked.bin", missing = dir + u"missing.bin";
    WriteFile(good, "GOOD");
    WriteFile(locked, "LOCK");
    DeleteFileW(WC(missing));
    TestForm& f = Start(good);
    guitest::TypeChar(View(), 'g');
    ASSERT_TRUE(DataFile.canUndo());

    HANDLE lock = CreateFileW(WC(locked), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    struct Case {
        std::u16string path;
        const char16_t* message;
    } cases[] = {{missing, u"Cannot read from "}, {locked, u"Cannot read from "}};
    for (const Case& c : cases) {
        dialogs.plan = {{sysdialogs::PressOk, {}}};
        EXPECT_FALSE(f.OpenFile(c.path, true));
        guitest::PumpUntilIdle();
        ASSERT_FALSE(dialogs.seen.empty());
        EXPECT_EQ(dialogs.seen.back().caption, u"File Error");
        EXPECT_EQ(dialogs.seen.back().text, c.message + c.path);
        EXPECT_EQ(f.FileName, good);
        EXPECT_EQ(Bytes(), "gOOD");
        EXPECT_EQ(Modified, 1);
        EXPECT_TRUE(DataFile.canUndo());
    }

    // Saving onto a file another program holds: told, and still modified.
    f.FileName = locked;
    dialogs.plan = {{sysdialogs::PressOk, {}}};
    ShortcutKey('S', ssCtrl);
    ASSERT_FALSE(dialogs.seen.empty());
    EXPECT_EQ(dialogs.seen.back().text, u"Cannot write to " + locked);
    EXPECT_EQ(Modified, 1);
    EXPECT_EQ(f.FileName, locked);
    CloseHandle(lock);
    EXPECT_EQ(ReadFile(locked), "LOCK");

    // A full disk: the write stops short. The device's attributes cannot be
    // read under Wine, so its presence is tried by opening it.
    const std::u16string full = u"Z:\\dev\\full";
    HANDLE device = CreateFileW(WC(full), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (device == INVALID_HANDLE_VALUE) GTEST_SKIP() << "no full-disk device to write to";
    CloseHandle(device);
    f.FileName = full;
    size_t before = dialogs.seen.size();
    dialogs.plan = {{sysdialogs::PressOk, {}}};
    ShortcutKey('S', ssCtrl);
    ASSERT_EQ(dialogs.seen.size(), before + 1);
    EXPECT_EQ(dialogs.seen.back().text, u"Cannot write to " + full);
    EXPECT_EQ(Modified, 1);
    EXPECT_EQ(Bytes(), "gOOD");
}

// A file one byte past the largest document, chosen in the open dialog of a
// changed document: refused whole with the document's message; the document,
// its name, its mark and its history stay, and the editor goes on.
TEST_F(FileCommandsTest, AFilePastTheLargestDocumentIsRefusedThroughOpen) {
    const std::u16string good = dir + u"kept open.bin", huge = dir + u"too large.bin";
    WriteFile(good, "KEPT");
    HANDLE h = CreateFileW(WC(huge), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end;
    end.QuadPart = int64_t{MaxDocumentSize} + 1;  // sparse: nothing is written
    const bool sized = SetFilePointerEx(h, end, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    ASSERT_TRUE(sized);
    TestForm& f = Start(good);
    guitest::TypeChar(View(), 'k');

    answers.plan = {Click2};  // do not save first
    dialogs.plan = {{sysdialogs::ChooseFile, huge}, {sysdialogs::PressOk, {}}};
    ShortcutKey('O', ssCtrl);
    ASSERT_EQ(dialogs.seen.size(), 2u);
    EXPECT_EQ(dialogs.seen[1].caption, u"File Error");
    EXPECT_EQ(dialogs.seen[1].text, u"Cannot read all data from " + huge);
    EXPECT_EQ(f.FileName, good);
    EXPECT_EQ(f.GetCaption(), u"Tessaly - " + good + u" *");
    EXPECT_EQ(Bytes(), "kEPT");
    EXPECT_EQ(Modified, 1);
    EXPECT_TRUE(DataFile.canUndo());
    guitest::TypeChar(View(), 'x');
    EXPECT_EQ(Bytes(), "kxPT") << "the editor goes on";
    DeleteFileW(WC(huge));
}

TEST_F(FileCommandsTest, ReadOnlyRefusesSaveButNotSaveAs) {
    const std::u16string source = dir + u"read only.bin", copy = dir + u"copy of read only.bin";
    WriteFile(source, "RO");
    DeleteFileW(WC(copy));
    TestForm& f = Start(source);
    guitest::TypeChar(View(), 'r');
    Command(f.ReadOnly1);  // told that the file is modified already
    answers.plan = {Click1};  // Ctrl is still down while the box shows
    ShortcutKey('S', ssCtrl);
    ASSERT_EQ(answers.shown.size(), 2u);
    EXPECT_EQ(answers.shown[1].text,
              "The menu option 'Save' is disabled when the Read Only mode is enabled. The Read Only mode can be turned "
              "off in the Options menu.");
    EXPECT_EQ(answers.shown[1].caption, "Save");
    EXPECT_EQ(answers.shown[1].b1, "Ok");
    EXPECT_EQ(ReadFile(source), "RO");
    EXPECT_EQ(Modified, 1);

    dialogs.plan = {{sysdialogs::ChooseFile, copy}};
    Command(f.Saveas1);
    EXPECT_EQ(ReadFile(copy), "rO");
    EXPECT_EQ(Modified, 0);
}

TEST_F(FileCommandsTest, TheRecentMenuHoldsTenNewestFirstAndOpensItsEntries) {
    std::vector<std::u16string> files;
    for (int i = 0; i < 11; ++i) {
        files.push_back(dir + u"recent " + AnsiToWide(std::to_string(i)) + u".bin");
        WriteFile(files.back(), std::string(1, static_cast<char>('a' + i)));
    }
    TestForm& f = Start();
    EXPECT_TRUE(RecentItems().empty());
    EXPECT_EQ(f.File1->Items(f.File1->IndexOf(f.FileStatistics1) + 1), f.BeforeExit) << "no separator without entries";
    for (const auto& file : files) ASSERT_TRUE(f.OpenFile(file, true));
    ASSERT_TRUE(f.OpenFile(files[5], true));
    std::vector<std::u16string> items = RecentItems();
    ASSERT_EQ(items.size(), 10u);
    EXPECT_EQ(items[0], files[5]);
    EXPECT_EQ(items[1], files[10]);
    EXPECT_EQ(items[9], files[1]);  // files[0] is gone
    EXPECT_TRUE(f.File1->Items(f.File1->IndexOf(f.FileStatistics1) + 1)->IsLine());

    // A click on an entry opens it; one whose file is gone leaves the list.
    TMenuItem* third = f.File1->Items(f.File1->IndexOf(f.FileStatistics1) + 4);
    Command(third);
    EXPECT_EQ(f.FileName, files[9]);
    EXPECT_EQ(Bytes(), "j");
    EXPECT_EQ(RecentItems()[0], files[9]);
    DeleteFileW(WC(files[8]));
    TMenuItem* gone = f.File1->Items(f.File1->IndexOf(f.FileStatistics1) + 5);
    ASSERT_EQ(static_cast<TUvxMenuItem*>(gone)->GetCaption(), files[8]);
    dialogs.plan = {{sysdialogs::PressOk, {}}};
    Command(gone);
    EXPECT_EQ(dialogs.seen.back().text, u"Cannot read from " + files[8]);
    EXPECT_EQ(f.FileName, files[9]);
    items = RecentItems();
    EXPECT_EQ(items.size(), 9u);
    EXPECT_EQ(std::count(items.begin(), items.end(), files[8]), 0);
}

namespace {
// A drop of files as Explorer hands it over: a DROPFILES block of wide names.
HGLOBAL DropOf(const std::vector<std::u16string>& files) {
    std::u16string names;
    for (const auto& f : files) names += f + u'\0';
    names += u'\0';
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size() * 2);
    auto* d = static_cast<DROPFILES*>(GlobalLock(h));
    d->pFiles = sizeof(DROPFILES);
    d->fWide = TRUE;
    memcpy(reinterpret_cast<char*>(d) + sizeof(DROPFILES), names.data(), names.size() * 2);
    GlobalUnlock(h);
    return h;
}
}  // namespace

TEST_F(FileCommandsTest, ADropOpensTheFirstFileOnly) {
    const std::u16string a = dir + u"dropped a.bin", b = dir + u"dropped b.bin";
    WriteFile(a, "first");
    WriteFile(b, "second");
    TestForm& f = Start();
    PostMessageW(View(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({a, b, b})), 0);
    guitest::PumpUntilIdle();
    EXPECT_EQ(f.FileName, a);
    EXPECT_EQ(Bytes(), "first");

    // On a changed document the question comes first; Cancel keeps it.
    guitest::TypeChar(View(), 'F');
    answers.plan = {Click3};
    PostMessageW(View(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({b})), 0);
    guitest::PumpUntilIdle();
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].text, "Save this file before opening another file?");
    EXPECT_EQ(f.FileName, a);
    EXPECT_EQ(Bytes(), "First");
}

TEST_F(FileCommandsTest, AFileChangedInTheBackgroundIsOfferedForReload) {
    const std::u16string path = dir + u"changing.bin";
    WriteFile(path, std::string(100, 'a'));
    TestForm& f = Start(path);
    f.GotoPosition(90);
    f.Perform(WM_ACTIVATEAPP, TRUE, 0);
    auto leaveAndComeBack = [&] {
        f.Perform(WM_ACTIVATEAPP, FALSE, 0);
        guitest::PumpUntilIdle();
    };
    // Back without a change: nothing is asked.
    leaveAndComeBack();
    f.Perform(WM_ACTIVATEAPP, TRUE, 0);
    guitest::PumpUntilIdle();
    EXPECT_TRUE(dialogs.seen.empty());

    // Changed meanwhile: No keeps the document.
    leaveAndComeBack();
    WriteFile(path, std::string(50, 'b'));
    Touch(path);
    dialogs.plan = {{sysdialogs::PressNo, {}}};
    f.Perform(WM_ACTIVATEAPP, TRUE, 0);
    guitest::PumpUntilIdle();
    ASSERT_EQ(dialogs.seen.size(), 1u);
    EXPECT_EQ(dialogs.seen[0].caption, u"File changed");
    EXPECT_EQ(dialogs.seen[0].text, u"File has been changed externally. Reload from disk?");
    EXPECT_EQ(DataFile.size, 100);

    // Changed again: Yes reloads, the cursor clamped to the new size.
    leaveAndComeBack();
    Touch(path);
    dialogs.plan = {{sysdialogs::PressYes, {}}};
    f.Perform(WM_ACTIVATEAPP, TRUE, 0);
    guitest::PumpUntilIdle();
    ASSERT_EQ(dialogs.seen.size(), 2u);
    EXPECT_EQ(Bytes(), std::string(50, 'b'));
    EXPECT_EQ(f.CursorPosition(), 50);
    EXPECT_EQ(f.WasDeactivated, 0);

    // A new document is never checked.
    f.IsNewFile = 1;
    leaveAndComeBack();
    Touch(path);
    f.Perform(WM_ACTIVATEAPP, TRUE, 0);
    guitest::PumpUntilIdle();
    EXPECT_EQ(dialogs.seen.size(), 2u);
}

TEST_F(FileCommandsTest, SecondCopiesGetTheQuotedPathOrNothing) {
    const std::u16string path = dir + u"with blanks in it.bin";
    WriteFile(path, "x");
    TestForm& f = Start();
    dialogs.plan = {{sysdialogs::ChooseFile, path}};
    Command(f.OpeninNewWindow1);
    ASSERT_EQ(f.copies.size(), 1u);
    EXPECT_EQ(f.copies[0].first, UvxApplication->GetExeName());
    // The new copy's first parameter is the whole path.
    EXPECT_EQ(WideParamStrOf(u"Tessaly.exe " + f.copies[0].second, 1), path);
    EXPECT_EQ(f.FileName, u"New File") << "this window stays as it was";
    Command(f.NewFileinNewWindow1);
    ASSERT_EQ(f.copies.size(), 2u);
    EXPECT_EQ(f.copies[1].second, u"");
}

// F1 on a highlighted menu item asks for help on the item's context.
TEST_F(FileCommandsTest, HelpOnAMenuItemStartsTheViewerOnItsContext) {
    TestForm& f = Start();
    HELPINFO info{};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_MENUITEM;
    info.iCtrlId = static_cast<int>(f.Searchfor1->Command());
    f.Perform(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_EQ(f.help.size(), 1u);
    EXPECT_EQ(f.help[0], "21");
    // An item without a context asks for nothing.
    info.iCtrlId = static_cast<int>(f.Save1->Command());
    f.Perform(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(f.help.size(), 1u);
}
