#include <gtest/gtest.h>

#include "editor/unicode/UvxButtons.h"
#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxStdActnsDialog.h"
#include "editor/unicode/tests/ControlTestForm.h"
#include "editor/unicode/tests/DialogDriver.h"
#include "editor/unicode/tests/WinePrinter.h"

using namespace guitest;

namespace {
// A form with one button linked to the action; the click runs it.
struct ActionButtonForm {
    TControlTestForm form;
    TUvxButton* button;
    std::vector<std::string> events;
    explicit ActionButtonForm(TCommonDialogAction& action) {
        button = form.Put(new TUvxButton(&form), 20, 20, 240, 28);
        button->SetAction(&action);
        action.BeforeExecute = [this](TObject*) { events.push_back("before"); };
        action.OnAccept = [this](TObject*) { events.push_back("accept"); };
        action.OnCancel = [this](TObject*) { events.push_back("cancel"); };
        form.ShowAndSettle();
    }
    // Clicks the button; the planned answer closes the dialog it opens.
    void ClickButton() {
        Click(button->Handle(), 10, 10);
        PumpUntilIdle();
    }
};

const std::u16string kFontCaption = u"\u0413\u0430\u0440\u043D\u0438\u0442\u0443\u0440\u0430\u2026";  // Гарнитура…
}  // namespace

TEST(UnicodeDialogActions, FontEditShowsTheSystemFontDialogAndTakesTheChosenFont) {
    TUvxFontEdit action(nullptr);
    action.SetCaption(kFontCaption);
    action.Dialog()->Font.SetName("Courier");
    ActionButtonForm f(action);
    EXPECT_EQ(WideWindowText(f.button->Handle()), kFontCaption) << "the wide caption reached the button";
    // The second face the system lists (the fonts differ between machines).
    static std::wstring face;
    DialogDriver::Plan(IDOK, [](HWND dialog) {
        wchar_t text[LF_FACESIZE] = {};
        SendDlgItemMessageW(dialog, 0x470, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
        face = text;
        ChooseInCombo(dialog, 0x470, text);    // face
        ChooseInCombo(dialog, 0x471, L"Bold");  // style
        ChooseInCombo(dialog, 0x472, L"12");    // size
    }, ScreenshotPath("font_edit_dialog"));
    f.ClickButton();
    ASSERT_TRUE(DialogDriver::Current().Answered) << "no dialog showed";
    EXPECT_EQ(DialogDriver::Current().Owner, f.form.Handle()) << "the dialog belongs to the active form";
    EXPECT_EQ(f.events, (std::vector<std::string>{"before", "accept"}));
    TFont& font = action.Dialog()->Font;
    ASSERT_FALSE(face.empty());
    EXPECT_EQ(AnsiToWideSys(font.Name()), U16(face.c_str(), face.size()));
    EXPECT_EQ(font.Style() & fsBold, fsBold);
    EXPECT_EQ(font.Height(), -MulDiv(12, GetDeviceCaps(GetDC(nullptr), LOGPIXELSY), 72));
}

TEST(UnicodeDialogActions, ColorSelectTakesTheColourTypedIntoTheSystemDialog) {
    TUvxColorSelect action(nullptr);
    action.SetCaption(u"\u0426\u0432\u0435\u0442");
    action.Dialog()->Color = static_cast<TColor>(RGB(10, 20, 30));
    ActionButtonForm f(action);
    DialogDriver::Plan(IDOK, [](HWND dialog) {
        SetDlgItemTextW(dialog, 706, L"200");  // red
        SetDlgItemTextW(dialog, 707, L"100");  // green
        SetDlgItemTextW(dialog, 708, L"50");   // blue
    });
    f.ClickButton();
    ASSERT_TRUE(DialogDriver::Current().Answered) << "no dialog showed";
    EXPECT_EQ(f.events, (std::vector<std::string>{"before", "accept"}));
    EXPECT_EQ(ToColorRef(action.Dialog()->Color), RGB(200, 100, 50));

    DialogDriver::Plan(IDCANCEL);
    f.events.clear();
    f.ClickButton();
    EXPECT_EQ(f.events, (std::vector<std::string>{"before", "cancel"})) << "a cancelled dialog";
    EXPECT_EQ(ToColorRef(action.Dialog()->Color), RGB(200, 100, 50)) << "and the colour stays";
}

TEST(UnicodeDialogActions, PrinterDialogsShareThePrinterChosenInPrintSetup) {
    if (!InstallTestPrinter()) GTEST_SKIP() << "Wine would not install a printer here";
    ResetChosenPrinter();
    TUvxFilePrintSetup setup(nullptr);
    setup.SetCaption(u"\u041F\u0440\u0438\u043D\u0442\u0435\u0440\u2026");
    {
        ActionButtonForm f(setup);
        DialogDriver::Plan(IDOK, nullptr, ScreenshotPath("print_setup_dialog"));
        f.ClickButton();
        ASSERT_TRUE(DialogDriver::Current().Answered) << "no dialog showed";
        EXPECT_EQ(DialogDriver::Current().Owner, f.form.Handle());
        EXPECT_EQ(f.events, (std::vector<std::string>{"before", "accept"}));
    }
    EXPECT_EQ(ChosenPrinterName(), "Tessaly Test Printer");

    TUvxFilePageSetup page(nullptr);
    {
        ActionButtonForm f(page);
        DialogDriver::Plan(IDOK);
        f.ClickButton();
        ASSERT_TRUE(DialogDriver::Current().Answered) << "no dialog showed";
        EXPECT_EQ(f.events, (std::vector<std::string>{"before", "accept"}));
    }
    EXPECT_GT(page.Dialog()->PageWidth, 0) << "the paper of the chosen printer";
    EXPECT_GT(page.Dialog()->PageHeight, page.Dialog()->PageWidth);
    EXPECT_NE(page.Dialog()->Units, pmDefault) << "the dialog tells its units";

    TUvxPrintDlg print(nullptr);
    TPrintDialog& dialog = *print.Dialog();
    dialog.MinPage = 1;
    dialog.MaxPage = 10;
    dialog.PrintRange = prPageNums;
    dialog.FromPage = 2;
    dialog.ToPage = 5;
    {
        ActionButtonForm f(print);
        DialogDriver::Plan(IDOK, [](HWND d) { SetDlgItemTextW(d, 0x482, L"3"); }, ScreenshotPath("print_dialog"));
        f.ClickButton();
        ASSERT_TRUE(DialogDriver::Current().Answered) << "no dialog showed";
        EXPECT_EQ(f.events, (std::vector<std::string>{"before", "accept"}));
    }
    EXPECT_EQ(dialog.Copies, 3) << "the copies typed";
    EXPECT_EQ(dialog.PrintRange, prPageNums);
    EXPECT_EQ(dialog.FromPage, 2);
    EXPECT_EQ(dialog.ToPage, 5);
    EXPECT_EQ(ChosenPrinterName(), "Tessaly Test Printer");
}

TEST(UnicodeDialogActions, AnActionWithoutADialogShowsNothingAndCountsAsCancelled) {
    for (TCommonDialogAction* action : std::initializer_list<TCommonDialogAction*>{
             new TUvxCommonDialogAction(nullptr), new TUvxFileAction(nullptr)}) {
        std::vector<std::string> events;
        action->BeforeExecute = [&](TObject*) { events.push_back("before"); };
        action->OnAccept = [&](TObject*) { events.push_back("accept"); };
        action->OnCancel = [&](TObject*) { events.push_back("cancel"); };
        action->Execute();
        EXPECT_EQ(events, (std::vector<std::string>{"before", "cancel"})) << action->ClassName();
        delete action;
    }
}
