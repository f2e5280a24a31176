#include <gtest/gtest.h>

#include <memory>

#include "editor/document/DataFile.h"
#include "editor/document/tests/FakeDocumentIO.h"
#include "editor/main/MainForm.h"
#include "editor/main/tests/BoxAnswers.h"
#include "editor/unicode/UvxForms.h"
#include "framework/WinText.h"

using namespace boxanswers;

namespace {

// The main window with the save dialog stood in for and the help viewer's
// starts recorded.
class TestMainForm : public TMainForm {
public:
    explicit TestMainForm(TComponent* owner) : TMainForm(owner) {
        StartProgram = [this](const std::string& path, const std::string& parameter) {
            started.push_back({path, parameter});
        };
    }
    bool SaveAs() override {
        ++saveAsAsked;
        if (saveAsPath.empty()) return false;  // the user cancelled the dialog
        if (!DataFile.saveToFile(saveAsPath)) return false;
        SetFileName(saveAsPath);
        IsNewFile = 0;
        SetModified(0);
        return true;
    }
    std::vector<std::pair<std::string, std::string>> started;
    int saveAsAsked = 0;
    std::u16string saveAsPath;
};

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        DataFile.setIO(&io);
        DataFile.newFile();
        io.files[u"C:\\data\\first file.bin"] = {1, 2, 3};
        io.files[u"C:\\data\\second.bin"] = {9};
    }
    void TearDown() override {
        form.reset();
        mainform_testing::CommandLine.reset();
        DataFile.newFile();
        DataFile.setIO(&Win32DocumentIO());
        LanguageSystem.loadLanguage("EN");  // the window's end clears the table
    }
    TestMainForm& Start(const std::u16string& commandLine) {
        mainform_testing::CommandLine = commandLine;
        form = std::make_unique<TestMainForm>(nullptr);
        return *form;
    }
    static DocumentIO& Win32DocumentIO();

    Answerer answers;
    FakeDocumentIO io;
    std::unique_ptr<TestMainForm> form;
};

}  // namespace

#include "editor/document/Win32DocumentIO.h"
DocumentIO& MainFormTest::Win32DocumentIO() { return ::Win32DocumentIO::Instance(); }

TEST_F(MainFormTest, StartsWithAnUnnamedNewFile) {
    TestMainForm& f = Start(u"Tessaly.exe");
    EXPECT_EQ(f.FileName, u"New File");
    EXPECT_EQ(f.GetCaption(), u"Tessaly - New File");
    EXPECT_EQ(UvxApplication->GetTitle(), u"New File - Tessaly");
    EXPECT_EQ(f.IsNewFile, 1);
    EXPECT_EQ(Modified, 0);
    EXPECT_EQ(DataFile.size, 256);
    EXPECT_EQ(f.ReplaceValue, 46);
    EXPECT_EQ(f.DigitIndex, 1);
    EXPECT_EQ(f.ScrollBarWidth, GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_TRUE(answers.shown.empty());
}

// Only the first parameter is opened, as one path; blanks belong to it only
// when the caller quoted it.
TEST_F(MainFormTest, OpensTheFirstParameterOnly) {
    TestMainForm& f = Start(u"Tessaly.exe \"C:\\data\\first file.bin\" C:\\data\\second.bin");
    EXPECT_EQ(f.FileName, u"C:\\data\\first file.bin");
    EXPECT_EQ(f.GetCaption(), u"Tessaly - C:\\data\\first file.bin");
    EXPECT_EQ(UvxApplication->GetTitle(), u"first file.bin - Tessaly");
    EXPECT_EQ(f.IsNewFile, 0);
    EXPECT_EQ(Modified, 0);
    ASSERT_EQ(DataFile.size, 3);
    EXPECT_EQ(DataFile.getByte(2), 3);
}

TEST_F(MainFormTest, AFailedOpenLeavesAnUnnamedNewFile) {
    TestMainForm& f = Start(u"Tessaly.exe C:\\data\\first file.bin");  // unquoted: "C:\data\first"
    EXPECT_EQ(io.messages.size(), 1u) << "the load tells the user itself";
    EXPECT_EQ(f.FileName, u"New File");
    EXPECT_EQ(f.IsNewFile, 1);
    EXPECT_EQ(Modified, 0);
}

TEST_F(MainFormTest, TheCaptionShowsTheModifiedState) {
    TestMainForm& f = Start(u"Tessaly.exe");
    f.SetModified(1);
    EXPECT_EQ(f.GetCaption(), u"Tessaly - New File *");
    f.SetModified(0);
    EXPECT_EQ(f.GetCaption(), u"Tessaly - New File");
}

TEST_F(MainFormTest, ClosingAnUnchangedFileAsksNothingAndClosesTheViewer) {
    TestMainForm& f = Start(u"Tessaly.exe");
    f.Show();
    f.Exit1Click(nullptr);
    EXPECT_TRUE(answers.shown.empty());
    EXPECT_FALSE(f.Visible());
    ASSERT_EQ(f.started.size(), 1u);
    EXPECT_EQ(f.started[0].second, "-1");
    const std::string tail = "\\help_en\\Vellumo.exe";
    EXPECT_EQ(f.started[0].first.substr(f.started[0].first.size() - tail.size()), tail);
}

// Yes saves (Save As for a never-saved file), No closes without saving,
// Cancel and a cancelled save keep the window open.
TEST_F(MainFormTest, TheCloseQuestionOffersToSave) {
    struct Case {
        bool named;
        Answer answer;
        std::u16string saveAsPath;
        bool closes;
        bool saved;
    } cases[] = {
        {false, Click3, u"", false, false},  {false, KeyEsc, u"", false, false},
        {false, Click2, u"", true, false},   {false, Click1, u"", false, false},
        {false, Click1, u"C:\\out.bin", true, true}, {true, Click1, u"", true, true},
    };
    for (const Case& c : cases) {
        io.files.erase(u"C:\\out.bin");
        io.files[u"C:\\data\\second.bin"] = {9};
        TestMainForm& f = Start(c.named ? u"Tessaly.exe C:\\data\\second.bin" : u"Tessaly.exe");
        f.saveAsPath = c.saveAsPath;
        f.Show();
        f.SetModified(1);
        DataFile.setByte(0, 0x77);
        answers.shown.clear();
        answers.plan = {c.answer};
        f.Close();
        ASSERT_EQ(answers.shown.size(), 1u);
        EXPECT_EQ(answers.shown[0].text, "The file is not saved. Save before exiting?");
        EXPECT_EQ(answers.shown[0].caption, "Exit Tessaly");
        EXPECT_EQ(f.Visible(), !c.closes) << "answer " << c.answer;
        EXPECT_EQ(f.started.size(), c.closes ? 1u : 0u);
        EXPECT_EQ(f.saveAsAsked, !c.named && c.answer == Click1 ? 1 : 0);
        const std::u16string target = c.named ? u"C:\\data\\second.bin" : u"C:\\out.bin";
        if (c.saved) {
            ASSERT_TRUE(io.files.count(target));
            EXPECT_EQ(io.files[target][0], 0x77);
            EXPECT_EQ(Modified, 0);
        } else {
            EXPECT_TRUE(!io.files.count(target) || io.files[target][0] != 0x77);
        }
        form.reset();
        LanguageSystem.loadLanguage("EN");
    }
}

TEST_F(MainFormTest, NewOnAnUnchangedFileAsksToClearTheMemory) {
    TestMainForm& f = Start(u"Tessaly.exe C:\\data\\second.bin");
    CursorOffset = 5;
    f.SelectionActive = 1;
    answers.plan = {Click2};
    f.New1Click(nullptr);
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].text, "Clear the memory of Tessaly and begin a new file?");
    EXPECT_EQ(answers.shown[0].caption, "Tessaly");
    EXPECT_FALSE(answers.shown[0].v3);
    EXPECT_EQ(DataFile.size, 1) << "No keeps the document";

    answers.plan = {Click1};
    f.New1Click(nullptr);
    ASSERT_EQ(DataFile.size, 256);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(DataFile.getByte(i), 0);
    EXPECT_EQ(CursorOffset, 0);
    EXPECT_EQ(TopOffset, 0);
    EXPECT_EQ(f.SelectionActive, 0);
    EXPECT_EQ(f.IsNewFile, 1);
    EXPECT_EQ(f.GetCaption(), u"Tessaly - New File");
}

TEST_F(MainFormTest, NewOnAChangedFileOffersToSaveFirst) {
    TestMainForm& f = Start(u"Tessaly.exe C:\\data\\second.bin");
    f.SetModified(1);
    answers.plan = {Click3};
    f.New1Click(nullptr);
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].text, "Save this file before removing it from memory?");
    EXPECT_EQ(answers.shown[0].b3, "Cancel");
    EXPECT_EQ(DataFile.size, 1) << "Cancel keeps the document";
    EXPECT_EQ(Modified, 1);

    answers.plan = {Click2};
    f.New1Click(nullptr);
    EXPECT_EQ(DataFile.size, 256);
    EXPECT_EQ(Modified, 0);
    EXPECT_EQ(f.FileName, u"New File");
}

TEST_F(MainFormTest, HelpStartsTheViewerWithAContextNumber) {
    TestMainForm& f = Start(u"Tessaly.exe");
    f.Index1Click(nullptr);
    bool callHelp = true;
    EXPECT_TRUE(f.AppHelp(HELP_CONTEXT, 21, callHelp));
    EXPECT_FALSE(callHelp);
    callHelp = true;
    EXPECT_TRUE(f.AppHelp(HELP_QUIT, 5, callHelp));
    EXPECT_FALSE(callHelp);
    ASSERT_EQ(f.started.size(), 2u);
    EXPECT_EQ(f.started[0].second, "100");
    EXPECT_EQ(f.started[1].second, "21");
}
