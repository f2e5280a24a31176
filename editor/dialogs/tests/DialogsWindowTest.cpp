// The bit editor, the file information and the about windows in a real main
// window: opened by their shortcut keys and menu commands, driven by keys
// and the clipboard inside their modal loops, checked through the document,
// their cells and texts, and screenshots.
#include "editor/dialogs/tests/DialogWindowTestSupport.h"
#include "editor/main/Win32Clipboard.h"
#include "framework/Buttons.h"
#include "framework/ButtonCtrls.h"
#include "framework/Shape.h"
#include "framework/StdCtrls.h"

using namespace boxanswers;
using namespace dialogtests;

namespace {

using DialogsWindowTest = DialogWindowFixture;

HWND BinaryGrid() { return BinaryForm->StringGridBinary->Handle(); }

void TypeIntoRow(int row, const std::string& digits) {
    BinaryForm->StringGridBinary->SetCurrent(0, row);
    BinaryForm->State.CurrentRow = row;
    TypeIntoCell(BinaryForm->StringGridBinary, digits);
    HWND edit = BinaryForm->StringGridBinary->EditorHandle();
    ASSERT_NE(edit, nullptr) << "typing opens the cell's edit box";
    guitest::PressKey(edit, VK_RETURN);
    guitest::PumpUntilIdle();
}

TEST_F(DialogsWindowTest, BitEditorPastesTypesAndRefusesThroughF5) {
    Start("xBC");
    bool ran = false;
    WhileShown during(BinaryForm, [&] {
        ran = true;
        EXPECT_EQ(BinaryForm->Label1->Caption(), "Byte 0 to 2");
        EXPECT_EQ(BinaryForm->StringGridBinary->Cell(0, 0), "01111000");
        EXPECT_EQ(BinaryForm->StringGrid1->Cell(2, 1), "42");
        EXPECT_EQ(BinaryForm->StringGridBinary->Cell(0, 3), "");
        guitest::SaveScreenshot(BinaryForm->Handle(), guitest::ScreenshotPath("bit_editor_en"));
        // Ctrl+V of a binary text on row 0.
        TWin32Clipboard(BinaryForm->Handle()).Put("01000001", nullptr);
        BinaryForm->StringGridBinary->SetFocus();
        guitest::PressKey(BinaryGrid(), 'V', ssCtrl);
        guitest::PumpUntilIdle();
        EXPECT_EQ(DataFile.data[0], 65);
        EXPECT_EQ(BinaryForm->StringGrid1->Cell(0, 0), "A");
        EXPECT_EQ(BinaryForm->StringGrid1->Cell(1, 0), "65");
        // Seven digits and Enter.
        answers.plan = {KeyEnter, KeyEnter};
        TypeIntoRow(1, "1010101");
        EXPECT_EQ(BinaryForm->StringGridBinary->Cell(0, 1), "01000010");
        EXPECT_EQ(DataFile.data[1], 'B');
        // Eight digits on a row past the end.
        TypeIntoRow(5, "00000001");
        EXPECT_EQ(BinaryForm->StringGridBinary->Cell(0, 5), "");
        EXPECT_EQ(DataFile.size, 3);
        // A row edited, then the Close button: applied and told.
        answers.plan = {KeyEnter};
        BinaryForm->StringGridBinary->SetCurrent(0, 2);
        BinaryForm->State.CurrentRow = 2;
        TypeIntoCell(BinaryForm->StringGridBinary, "00110001");
        guitest::Click(BinaryForm->CloseButton->Handle(), 10, 10);
    });
    ShortcutKey(VK_F5);
    ASSERT_TRUE(ran) << "F5 opens the bit editor";
    ASSERT_EQ(answers.shown.size(), 3u);
    EXPECT_EQ(answers.shown[0].text, "That is not a valid binary number.");
    EXPECT_EQ(answers.shown[0].caption, "Tessaly");
    EXPECT_EQ(answers.shown[1].text, "Use the main window if you want to add bytes to the file.");
    EXPECT_EQ(answers.shown[2].text.rfind("You were editing a number.", 0), 0u);
    EXPECT_EQ(Bytes(), "AB1");
    EXPECT_EQ(form->SelectionActive, 0) << "the range is no longer selected";
    DataFile.undo();
    EXPECT_EQ(Bytes(), "ABC") << "one undo step per applied row";
}

TEST_F(DialogsWindowTest, BitEditorInDutch) {
    LanguageSystem.code = "NL";
    LanguageSystem.loadLanguage("NL");
    Start(std::string("\x00\x7F\x80\xFF", 4) + "0123456789ABCDEFG");
    bool ran = false;
    WhileShown during(BinaryForm, [&] {
        ran = true;
        EXPECT_EQ(BinaryForm->Caption(), "Binaire editor");
        EXPECT_EQ(BinaryForm->Label1->Caption(), "Byte 0 tot en met 15");
        guitest::SaveScreenshot(BinaryForm->Handle(), guitest::ScreenshotPath("bit_editor_nl"));
    });
    Command(form->Binary);
    EXPECT_TRUE(ran);
}

TEST_F(DialogsWindowTest, FileInfoShowsTheSelectionFromTheFirstByteNumber) {
    TMainForm& f = Start(std::string(100, 'x'));
    f.FirstByteNumber = 1;
    f.SelectionActive = 1;
    f.SelStart = 0;
    f.SelEnd = 15;
    bool ran = false;
    WhileShown during(StatForm, [&] {
        ran = true;
        EXPECT_EQ(StatForm->SelectionLabel2->Text(), "(from 1 to 16)");
        EXPECT_EQ(StatForm->ByteLabel->Text(), "100");
        EXPECT_EQ(StatForm->SelectionLabel->Text(), "16");
        EXPECT_EQ(StatForm->FileLabelText(), kFile);
        guitest::SaveScreenshot(StatForm->Handle(), guitest::ScreenshotPath("file_info_en"));
        guitest::PressKey(StatForm->OkButton->Handle(), VK_ESCAPE);
        guitest::PumpUntilIdle();
        EXPECT_EQ(StatForm->ModalResult, mrCancel) << "Escape closes the window";
    });
    ShortcutKey(VK_F2);
    EXPECT_TRUE(ran) << "F2 opens the file information";
}

TEST_F(DialogsWindowTest, AboutOpensTheMailLink) {
    Start("x");
    std::string opened;
    bool ran = false;
    WhileShown during(About, [&] {
        ran = true;
        About->OpenLink = [&](const std::string& target) { opened = target; };
        EXPECT_EQ(About->VersionL->Caption(), "Version 1.6.0");
        guitest::SaveScreenshot(About->Handle(), guitest::ScreenshotPath("about_en"));
        guitest::Click(About->EmailL->Handle(), 5, 5);
        guitest::PumpUntilIdle();
        guitest::Click(About->Button1->Handle(), 10, 10);
        guitest::PumpUntilIdle();
        EXPECT_EQ(About->ModalResult, mrOk);
    });
    Command(form->About1);
    EXPECT_TRUE(ran);
    EXPECT_EQ(opened, "mailto:support@morvantide.example");
}

TEST_F(DialogsWindowTest, FileInfoAboutAndColoursInDutch) {
    LanguageSystem.code = "NL";
    LanguageSystem.loadLanguage("NL");
    // Cyrillic and Greek letters lie outside the system's code page.
    const std::u16string wide = u"C:\\data\\\u0416\u03A9.bin";
    Start("abc", wide);
    bool ran = false;
    WhileShown info(StatForm, [&] {
        ran = true;
        EXPECT_EQ(StatForm->Caption(), "Bestandsinformatie");
        EXPECT_EQ(StatForm->FileLabelText(), wide) << "the wide file name is shown whole";
        guitest::SaveScreenshot(StatForm->Handle(), guitest::ScreenshotPath("file_info_nl"));
        guitest::Click(StatForm->OkButton->Handle(), 10, 10);
        guitest::PumpUntilIdle();
        EXPECT_EQ(StatForm->ModalResult, mrOk) << "the Close button closes the window";
    });
    Command(form->FileStatistics1);
    EXPECT_TRUE(ran);
    WhileShown about(About, [&] {
        EXPECT_EQ(About->VersionL->Caption(), "Versie 1.6.0");
        guitest::SaveScreenshot(About->Handle(), guitest::ScreenshotPath("about_nl"));
    });
    Command(form->About1);
    WhileShown colours(PrefForm, [&] {
        EXPECT_EQ(PrefForm->Caption(), "Kleuren");
        guitest::SaveScreenshot(PrefForm->Handle(), guitest::ScreenshotPath("colours_nl"));
    });
    Command(form->Colors1);
}

// Answers the system's colour dialog once it shows: the colour typed into
// its red, green and blue boxes, then OK.
struct ColourPick {
    static COLORREF& Wanted() {
        static COLORREF c = 0;
        return c;
    }
    static bool& Seen() {
        static bool seen = false;
        return seen;
    }
    static BOOL CALLBACK Find(HWND hwnd, LPARAM) {
        char cls[32] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        if (std::string(cls) != "#32770" || !IsWindowVisible(hwnd) || !GetDlgItem(hwnd, 706)) return TRUE;
        Seen() = true;
        SetDlgItemInt(hwnd, 706, GetRValue(Wanted()), FALSE);
        SetDlgItemInt(hwnd, 707, GetGValue(Wanted()), FALSE);
        SetDlgItemInt(hwnd, 708, GetBValue(Wanted()), FALSE);
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDOK)));
        return FALSE;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
        if (!EnumThreadWindows(GetCurrentThreadId(), Find, 0) || Seen()) KillTimer(nullptr, id);
    }
    static void Pick(int swatch, COLORREF colour) {
        Wanted() = colour;
        Seen() = false;
        SetTimer(nullptr, 0, 100, OnTimer);
        guitest::Click(PrefForm->Shapes[swatch]->Handle(), 10, 10);
        guitest::PumpUntilIdle(100);
    }
};

TEST_F(DialogsWindowTest, ColoursPreviewLiveAndCancelRestores) {
    TMainForm& f = Start(std::string(64, 'x'));
    const TColor before = f.Colors.Background;
    ASSERT_EQ(before, 0x800000u);
    COLORREF during = 0;
    WhileShown cancel(PrefForm, [&] {
        EXPECT_EQ(PrefForm->Shapes[0]->BrushColor(), before);
        ColourPick::Pick(0, RGB(0, 128, 0));
        EXPECT_TRUE(ColourPick::Seen()) << "the swatch opens the system's colour dialog";
        EXPECT_EQ(PrefForm->Shapes[0]->BrushColor(), TColor(RGB(0, 128, 0)));
        EXPECT_EQ(f.Colors.Background, TColor(RGB(0, 128, 0))) << "Automatic test previews at once";
        guitest::PumpUntilIdle();
        during = guitest::PixelAt(f.Handle(), f.ClientWidth() - 3, f.ClientHeight() - 30);
        guitest::SaveScreenshot(PrefForm->Handle(), guitest::ScreenshotPath("colours_en"));
        guitest::Click(PrefForm->CancelButton->Handle(), 10, 10);
        guitest::PumpUntilIdle();
    });
    Command(f.Colors1);
    EXPECT_EQ(during, RGB(0, 128, 0)) << "the byte view's background showed the new colour";
    EXPECT_EQ(f.Colors.Background, before) << "Cancel restores the old colours";

    WhileShown ok(PrefForm, [&] {
        guitest::Click(PrefForm->AutoTest->Handle(), 5, 5);
        guitest::PumpUntilIdle();
        EXPECT_TRUE(PrefForm->TestButton->Enabled());
        ColourPick::Pick(3, RGB(255, 0, 0));
        EXPECT_EQ(f.Colors.Data1, 0xFFFFFFu) << "without Automatic test nothing changes yet";
        guitest::Click(PrefForm->OkButton->Handle(), 10, 10);
        guitest::PumpUntilIdle();
    });
    Command(f.Colors1);
    EXPECT_EQ(f.Colors.Data1, TColor(RGB(255, 0, 0))) << "OK keeps the new colours";
    EXPECT_EQ(f.Colors.Background, before);
}

}  // namespace
