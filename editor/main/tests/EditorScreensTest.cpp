// A person's session end to end: a file opened through the open dialog,
// bytes typed in each of the three views by real key messages, saved with
// Ctrl+S and compared on disk; and pictures of the window at two widths and
// of every menu of the bar opened, in English and in Dutch.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "editor/document/DataFile.h"
#include "editor/document/Win32DocumentIO.h"
#include "editor/main/DataScreen.h"
#include "editor/main/MainForm.h"
#include "editor/main/tests/BoxAnswers.h"
#include "editor/main/tests/SystemDialogs.h"
#include "framework/WinText.h"
#include "framework/testing/GuiTest.h"

using namespace boxanswers;

namespace {

std::u16string TempPath(const std::u16string& leaf) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return U16(dir) + leaf;
}

void PutFile(const std::u16string& path, const std::string& bytes) {
    HANDLE h = CreateFileW(WC(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

std::string GetFile(const std::u16string& path) {
    HANDLE h = CreateFileW(WC(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes(GetFileSize(h, nullptr), '\0');
    DWORD got = 0;
    ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(h);
    return bytes;
}

class EditorScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        DataFile.setIO(&Win32DocumentIO::Instance());
        DataFile.newFile();
        LanguageSystem.code = "EN";
        mainform_testing::CommandLine = u"Tessaly.exe";
        form = std::make_unique<TMainForm>(nullptr);
        form->StartProgram = [](const std::string&, const std::string&) {};
        form->Show();
        form->SetBounds(0, 0, 1000, 560);
        guitest::PumpUntilIdle();
    }
    void TearDown() override {
        form.reset();
        mainform_testing::CommandLine.reset();
        DataFile.newFile();
        LanguageSystem.code = "EN";
        LanguageSystem.loadLanguage("EN");
    }
    HWND View() { return form->ByteView->Handle(); }
    void Command(TMenuItem* item) {
        form->Perform(WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
        guitest::PumpUntilIdle();
    }
    void ShortcutKey(WORD vk) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        SetForegroundWindow(form->Handle());
        PostMessageA(View(), WM_KEYDOWN, vk, 1);
        PostMessageA(View(), WM_KEYUP, vk, 0xC0000001);
        Application->ProcessMessages();
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        guitest::PumpUntilIdle();
    }

    Answerer answers;
    sysdialogs::Driver dialogs;
    std::unique_ptr<TMainForm> form;
};

// The open menu is pictured from inside the menu's own loop, then closed.
std::string PendingShot;
void CALLBACK ShootMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    guitest::SaveScreenshot(GetDesktopWindow(), PendingShot);
    EndMenu();
}

}  // namespace

TEST_F(EditorScreensTest, TypingInEveryViewIsSavedToDisk) {
    const std::u16string path = TempPath(u"typed in three views.bin");
    PutFile(path, "......");
    dialogs.plan = {{sysdialogs::ChooseFile, path}};
    ShortcutKey('O');
    ASSERT_EQ(form->FileName, path);

    guitest::TypeText(View(), "ab");          // Text view, overwriting
    Command(form->MenuView2);
    guitest::TypeText(View(), "067");         // Decimal: 'C'
    Command(form->MenuView3);
    guitest::TypeText(View(), "44");          // Hexadecimal: 'D'
    Command(form->InsertwhenTyping);
    Command(form->MenuView1);
    guitest::TypeChar(View(), 'X');           // inserted
    EXPECT_EQ(form->GetCaption(), u"Tessaly - " + path + u" *");
    ShortcutKey('S');
    EXPECT_EQ(GetFile(path), "abCDX..");
    EXPECT_EQ(form->GetCaption(), u"Tessaly - " + path);
    DeleteFileW(WC(path));
}

TEST_F(EditorScreensTest, NarrowAndWideWindowsShowTheirBytes) {
    const std::u16string path = TempPath(u"screens.txt");
    std::string text;
    for (int i = 0; i < 40; ++i) text += "Line " + std::to_string(i) + " of a small text file.\r\n";
    PutFile(path, text);
    ASSERT_TRUE(form->OpenFile(path, true));
    struct Size {
        int width, height;
        const char* name;
    } sizes[] = {{420, 400, "main_window_narrow"}, {1260, 700, "main_window_wide"}};
    for (const Size& s : sizes) {
        form->SetBounds(0, 0, s.width, s.height);
        guitest::PumpUntilIdle();
        // Every panel of the status bar holds its text.
        EXPECT_TRUE(guitest::SaveScreenshot(form->Handle(), guitest::ScreenshotPath(s.name)));
    }
    DeleteFileW(WC(path));
}

TEST_F(EditorScreensTest, EveryMenuOfTheBarInBothLanguages) {
    form->SetBounds(0, 0, 1000, 700);
    guitest::PumpUntilIdle();
    for (const char* language : {"EN", "NL"}) {
        Command(std::string(language) == "NL" ? form->Nederlands1 : form->English1);
        HMENU bar = GetMenu(form->Handle());
        for (int i = 0; i < GetMenuItemCount(bar); ++i) {
            RECT r;
            ASSERT_TRUE(GetMenuItemRect(form->Handle(), bar, static_cast<UINT>(i), &r));
            PendingShot = guitest::ScreenshotPath("menu_" + std::string(language) + "_" + std::to_string(i));
            DeleteFileA(PendingShot.c_str());
            SetTimer(nullptr, 0, 400, ShootMenu);
            PostMessageW(form->Handle(), WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
            guitest::PumpUntilIdle(100, 1500);
            EXPECT_NE(GetFileAttributesA(PendingShot.c_str()), INVALID_FILE_ATTRIBUTES) << PendingShot;
        }
    }
    // No caption of any item shows a missing text.
    std::function<void(TMenuItem*)> check = [&](TMenuItem* item) {
        EXPECT_EQ(item->Caption().find("NF:"), std::string::npos) << item->Name();
        for (int i = 0; i < item->Count(); ++i) check(item->Items(i));
    };
    check(form->MainMenu->Items());
}
