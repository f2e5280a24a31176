#include <gtest/gtest.h>

#include <memory>

#include "editor/dialogs/FindReplace.h"
#include "editor/dialogs/SearchWindowLogic.h"
#include "editor/document/DataFile.h"
#include "editor/document/Win32DocumentIO.h"
#include "editor/document/tests/FakeDocumentIO.h"
#include "editor/main/ClipboardCommands.h"
#include "editor/main/MainForm.h"
#include "editor/main/MainFormEditorView.h"
#include "editor/main/Win32Clipboard.h"
#include "editor/main/tests/BoxAnswers.h"

using namespace boxanswers;

namespace {
// The real main window on a small file, driven through the commands that
// the search window and the clipboard menu items run.
class MainFormEditorViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        DataFile.setIO(&io);
        io.files[u"C:\\data\\hits.bin"] = {'x', 'x', 'A', 'B', 'x', 'x', 'A', 'B'};
        mainform_testing::CommandLine = u"Tessaly.exe C:\\data\\hits.bin";
        form = std::make_unique<TMainForm>(nullptr);
        form->StartProgram = [](const std::string&, const std::string&) {};  // no help viewer
        form->Show();
        view = std::make_unique<TMainFormEditorView>(*form);
    }
    void TearDown() override {
        view.reset();
        form.reset();
        mainform_testing::CommandLine.reset();
        DataFile.newFile();
        DataFile.setIO(&Win32DocumentIO::Instance());
        LanguageSystem.loadLanguage("EN");
    }
    Answerer answers;
    FakeDocumentIO io;
    std::unique_ptr<TMainForm> form;
    std::unique_ptr<TMainFormEditorView> view;
};
}  // namespace

TEST_F(MainFormEditorViewTest, SearchSelectsHitsInTheView) {
    TSearchState state;
    TFindReplace finder(DataFile, *view, state);
    TSearchWindowLogic search(DataFile, *view, state, finder);
    search.Activate(form->FirstByteNumber);
    TSearchWindowLogic::Input in;
    in.Data = "AB";
    search.SearchPress(in);
    EXPECT_EQ(form->SelectionActive, 1);
    EXPECT_EQ(form->SelStart, 2);
    EXPECT_EQ(form->SelEnd, 3);
    EXPECT_EQ(form->CursorPosition(), 2);
    search.SearchPress(in);
    EXPECT_EQ(form->SelStart, 6);
    answers.plan = {KeyEnter};
    search.SearchPress(in);
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].text, "Search completed.");
    EXPECT_EQ(answers.shown[0].caption, "Search");
    EXPECT_EQ(form->SelectionActive, 0);
    EXPECT_EQ(form->CursorPosition(), 0);
}

TEST_F(MainFormEditorViewTest, PasteAsksBeforeGrowingTheFile) {
    TWin32Clipboard clipboard(form->Handle());
    TClipboardCommands commands(DataFile, *view, clipboard);
    form->SelectionActive = 1;
    form->SelStart = 2;
    form->SelEnd = 3;
    commands.Copy();
    form->SelectionActive = 0;
    form->GotoPosition(7);
    answers.plan = {Click1};  // Yes
    commands.Paste();
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].text, "1 byte must be added for the paste to fit. Continue?");
    ASSERT_EQ(DataFile.size, 9);
    EXPECT_EQ(DataFile.getByte(7), 'A');
    EXPECT_EQ(DataFile.getByte(8), 'B');
    EXPECT_EQ(form->CursorPosition(), 9);
    EXPECT_EQ(Modified, 1);
}
