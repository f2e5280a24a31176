#pragma once
// What the tests of a real main window share: starting it on a file given
// on its command line, reaching a menu item as a person does, and putting
// back the editor's state afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/document/DataFile.h"
#include "editor/document/LanguageSystem.h"
#include "editor/document/Win32DocumentIO.h"
#include "editor/document/tests/FakeDocumentIO.h"
#include "editor/main/MainForm.h"
#include "framework/testing/GuiTest.h"

namespace mainwindowtest {

// The next main window starts with the file on its command line (with none
// when empty).
inline void StartWithFile(const std::u16string& file) {
    mainform_testing::CommandLine = file.empty() ? u"Tessaly.exe" : u"Tessaly.exe \"" + file + u"\"";
}

// The main window comes up as at start-up.
inline void ShowAtTopLeft(TForm& form, int width = 1000) {
    form.Show();
    form.SetBounds(0, 0, width, 500);
    guitest::PumpUntilIdle();
}

// The item's menu opens first, as a person opens it (its commands enabled
// for the state now), then the item's command.
inline void MenuCommand(TMainForm& form, TMenuItem* item) {
    TMenuItem* top = item;
    while (top->Parent() && top->Parent()->Parent()) top = top->Parent();
    SendMessageA(form.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(top->Handle()), 0);
    guitest::PumpUntilIdle(5);
    form.Perform(WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
    guitest::PumpUntilIdle(5);
}

// Puts back what a main window test changed: the real command line, a new
// writable document on the real files, English texts.
inline void ResetEditor() {
    mainform_testing::CommandLine.reset();
    DataFile.setReadOnly(false);
    DataFile.newFile();
    DataFile.setIO(&Win32DocumentIO::Instance());
    LanguageSystem.code = "EN";
    LanguageSystem.loadLanguage("EN");
}

// A main window over a document of files kept in memory; the test starts it
// on a file of its bytes.
class FakeFilesTest : public ::testing::Test {
protected:
    void SetUp() override { DataFile.setIO(&io); }
    void TearDown() override {
        form.reset();
        ResetEditor();
    }
    // The file holds the bytes and the main window starts on it.
    TMainForm& StartOn(const std::u16string& file, const std::string& bytes, int width = 1000) {
        io.files[file] = std::vector<uint8_t>(bytes.begin(), bytes.end());
        StartWithFile(file);
        form = std::make_unique<TMainForm>(nullptr);
        ShowAtTopLeft(*form, width);
        return *form;
    }

    FakeDocumentIO io;
    std::unique_ptr<TMainForm> form;
};

}  // namespace mainwindowtest
