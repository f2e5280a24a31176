#pragma once
// What the dialog window tests share: a real main window on a small document
// with every dialog made as at start-up, a way to act inside a dialog's modal
// loop, and typing as the keyboard does.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/dialogs/About.h"
#include "editor/dialogs/BinaryForm.h"
#include "editor/dialogs/DataTypesView.h"
#include "editor/dialogs/PrefForm.h"
#include "editor/dialogs/StatForm.h"
#include "editor/document/DataFile.h"
#include "editor/document/LanguageSystem.h"
#include "editor/document/Win32DocumentIO.h"
#include "editor/document/tests/FakeDocumentIO.h"
#include "editor/main/MainForm.h"
#include "editor/main/tests/BoxAnswers.h"
#include "framework/Application.h"
#include "framework/StringGrid.h"
#include "framework/testing/GuiTest.h"

namespace dialogtests {

inline const std::u16string kFile = u"C:\\data\\bits.bin";

// Runs steps once the dialog's modal loop runs; a dialog the steps leave
// open is closed so that a fault cannot hang the test.
struct WhileShown {
    static std::function<void()>& Steps() {
        static std::function<void()> steps;
        return steps;
    }
    static TForm*& Dialog() {
        static TForm* dialog = nullptr;
        return dialog;
    }
    WhileShown(TForm* dialog, std::function<void()> steps) {
        Steps() = std::move(steps);
        Dialog() = dialog;
        dialog->OnShow = [](TObject*) { SetTimer(nullptr, 0, 50, OnTimer); };
    }
    ~WhileShown() {
        if (Dialog()) Dialog()->OnShow = nullptr;
        Steps() = nullptr;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        auto steps = std::move(Steps());
        Steps() = nullptr;
        // What the showing still has queued goes first.
        guitest::PumpUntilIdle(100);
        if (steps) steps();
        if (Dialog() && Dialog()->ModalResult == mrNone && IsWindowVisible(Dialog()->Handle()))
            Dialog()->ModalResult = mrCancel;
    }
};

class DialogWindowFixture : public ::testing::Test {
protected:
    void SetUp() override { DataFile.setIO(&io); }
    void TearDown() override {
        form.reset();
        mainform_testing::CommandLine.reset();
        DataFile.setReadOnly(false);
        DataFile.newFile();
        DataFile.setIO(&Win32DocumentIO::Instance());
        LanguageSystem.code = "EN";
        LanguageSystem.loadLanguage("EN");
    }
    TMainForm& Start(const std::string& bytes, const std::u16string& file = kFile) {
        io.files[file] = std::vector<uint8_t>(bytes.begin(), bytes.end());
        mainform_testing::CommandLine = u"Tessaly.exe \"" + file + u"\"";
        form = std::make_unique<TMainForm>(nullptr);
        form->Show();
        form->SetBounds(0, 0, 1000, 500);
        guitest::PumpUntilIdle();
        // The dialogs exist for the whole run, as at start-up.
        BinaryForm = new TBinaryForm(form.get());
        StatForm = new TStatForm(form.get());
        About = new TAbout(form.get());
        PrefForm = new TPrefForm(form.get());
        DataTypesView = new TDataTypesView(form.get());
        return *form;
    }
    // A key through the application's loop, where the menu's shortcuts act.
    void ShortcutKey(WORD vk, bool ctrl = false) {
        SetForegroundWindow(form->Handle());
        HWND target = GetFocus() ? GetFocus() : form->Handle();
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageA(target, WM_KEYDOWN, vk, 1);
        PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
        Application->ProcessMessages();
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        guitest::PumpUntilIdle();
    }
    void Command(TMenuItem* item) { form->Perform(WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0); }
    std::string Bytes() { return std::string(reinterpret_cast<const char*>(DataFile.data), size_t(DataFile.size)); }

    boxanswers::Answerer answers;
    FakeDocumentIO io;
    std::unique_ptr<TMainForm> form;
};

// Types as the keyboard does: the first character opens the cell's edit box,
// which has the focus for the rest.
inline void TypeIntoCell(TStringGrid* grid, const std::string& text) {
    for (char c : text) {
        HWND edit = grid->EditorHandle();
        guitest::TypeChar(edit ? edit : grid->Handle(), c);
    }
}

}  // namespace dialogtests
