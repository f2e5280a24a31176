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
#include "editor/main/tests/MainWindowTesting.h"
#include "framework/Application.h"
#include "framework/StringGrid.h"
#include "framework/testing/GuiTest.h"
#include "framework/testing/WhileShown.h"

namespace dialogtests {

inline const std::u16string kFile = u"C:\\data\\bits.bin";

using guitest::WhileShown;

class DialogWindowFixture : public mainwindowtest::FakeFilesTest {
protected:
    TMainForm& Start(const std::string& bytes, const std::u16string& file = kFile) {
        StartOn(file, bytes);
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
        guitest::ShortcutKey(form->Handle(), nullptr, vk, ctrl ? ssCtrl : 0);
        guitest::PumpUntilIdle();
    }
    void Command(TMenuItem* item) { form->Perform(WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0); }
    std::string Bytes() { return std::string(reinterpret_cast<const char*>(DataFile.data), size_t(DataFile.size)); }

    boxanswers::Answerer answers;
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
