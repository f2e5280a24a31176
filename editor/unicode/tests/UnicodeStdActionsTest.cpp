#include <gtest/gtest.h>

#include "editor/unicode/UvxEdits.h"
#include "editor/unicode/UvxStdActns.h"
#include "editor/unicode/tests/ControlTestForm.h"

using namespace guitest;

TEST(UnicodeStdActions, EditDeleteIsEnabledWithoutASelectionAndDeletesTheNextCharacter) {
    TControlTestForm form;
    auto* edit = form.Put(new TUvxEdit(&form), 10, 10, 200, 22);
    form.ShowAndSettle();
    edit->SetText(u"\u0391\u03B2\u03B3\u03B4");
    edit->SetFocus();
    edit->SetSelStart(1);
    edit->SetSelLength(0);
    PumpUntilIdle();

    TEditDelete plain(nullptr);
    plain.Update();
    EXPECT_FALSE(plain.Enabled()) << "the framework's wants a selection";

    TUvxEditDelete action(nullptr);
    action.SetCaption(u"\u0394\u03B9\u03B1\u03B3\u03C1\u03B1\u03C6\u03AE");
    action.Update();
    EXPECT_TRUE(action.Enabled());
    EXPECT_TRUE(action.Execute());
    EXPECT_EQ(edit->GetText(), u"\u0391\u03B3\u03B4") << "the character after the caret goes";
    edit->SetSelStart(0);
    edit->SetSelLength(2);
    action.Execute();
    EXPECT_EQ(edit->GetText(), u"\u03B4") << "a selection goes whole";
    EXPECT_EQ(action.GetCaption(), u"\u0394\u03B9\u03B1\u03B3\u03C1\u03B1\u03C6\u03AE");
}

TEST(UnicodeStdActions, CutCopyPasteSelectAllAndUndoKeepWideText) {
    TControlTestForm form;
    auto* edit = form.Put(new TUvxEdit(&form), 10, 10, 200, 22);
    form.ShowAndSettle();
    edit->SetText(u"\u0391\u03B2\u03B3 \u0394\u03B5");
    edit->SetFocus();
    PumpUntilIdle();
    TUvxEditSelectAll selectAll(nullptr);
    TUvxEditCut cut(nullptr);
    TUvxEditPaste paste(nullptr);
    TUvxEditUndo undo(nullptr);
    TUvxEditCopy copy(nullptr);
    copy.Update();
    EXPECT_FALSE(copy.Enabled()) << "nothing selected to copy";
    selectAll.Execute();
    EXPECT_EQ(edit->GetSelLength(), 6);
    cut.Execute();
    EXPECT_EQ(edit->GetText(), u"");
    paste.Update();
    EXPECT_TRUE(paste.Enabled());
    paste.Execute();
    paste.Execute();
    EXPECT_EQ(edit->GetText(), u"\u0391\u03B2\u03B3 \u0394\u03B5\u0391\u03B2\u03B3 \u0394\u03B5")
        << "the wide text went through the clipboard whole";
    undo.Update();
    EXPECT_TRUE(undo.Enabled());
    undo.Execute();
    EXPECT_EQ(edit->GetText(), u"\u0391\u03B2\u03B3 \u0394\u03B5");
}

TEST(UnicodeStdActions, FileActionsShowTheWideDialogsAndAssignKeepsTheirSettings) {
    TUvxFileOpen open(nullptr);
    TUvxFileOpenWith openWith(nullptr);
    TUvxFileSaveAs saveAs(nullptr);
    EXPECT_NE(dynamic_cast<TUvxOpenDialog*>(open.Dialog()), nullptr);
    EXPECT_NE(dynamic_cast<TUvxOpenDialog*>(openWith.Dialog()), nullptr);
    EXPECT_NE(dynamic_cast<TUvxSaveDialog*>(saveAs.Dialog()), nullptr);
    EXPECT_EQ(saveAs.GetDialog(), saveAs.Dialog());

    TFileOpenWith framework(nullptr);
    framework.FileName = "C:\\data\\file.bin";
    framework.SetCaption("Open &With...");
    framework.SetHint("Open with|Opens the file with another program");
    framework.UseDefaultApp = false;
    int afterOpen = 0, accepted = 0;
    framework.AfterOpen = [&](TObject*) { ++afterOpen; };
    framework.OnAccept = [&](TObject*) { ++accepted; };
    openWith.Assign(&framework);
    EXPECT_EQ(openWith.FileName, "C:\\data\\file.bin");
    EXPECT_EQ(openWith.GetCaption(), u"Open &With...");
    EXPECT_EQ(openWith.GetHint(), u"Open with|Opens the file with another program");
    EXPECT_FALSE(openWith.UseDefaultApp);
    ASSERT_TRUE(openWith.AfterOpen);
    openWith.AfterOpen(&openWith);
    EXPECT_EQ(afterOpen, 1);
    ASSERT_TRUE(openWith.OnAccept);
}
