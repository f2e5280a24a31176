#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

#include "editor/unicode/UvxClipBrd.h"
#include "editor/unicode/UvxErrors.h"
#include "editor/unicode/UvxMessageDialog.h"
#include "framework/Application.h"
#include "framework/WinText.h"
#include "framework/testing/GuiTest.h"

using namespace guitest;

namespace {
// What a person does once the dialog shows, run from a timer inside its
// modal loop.
struct DialogSteps {
    static TUvxMessageForm*& Form() {
        static TUvxMessageForm* form = nullptr;
        return form;
    }
    static std::function<void(TUvxMessageForm*)>& Steps() {
        static std::function<void(TUvxMessageForm*)> steps;
        return steps;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        TUvxMessageForm* form = Form();
        if (!form || !form->HandleAllocated() || !IsWindowVisible(form->Handle())) return;
        KillTimer(nullptr, id);
        Steps()(form);
        // Nothing answered: close rather than hang the test.
        if (form->ModalResult == mrNone) form->ModalResult = mrAbort;
    }
    static int Run(TUvxMessageForm* form, std::function<void(TUvxMessageForm*)> steps) {
        Form() = form;
        Steps() = std::move(steps);
        SetTimer(nullptr, 0, 100, Tick);
        int result = form->ShowModal();
        Form() = nullptr;
        return result;
    }
};

const std::u16string kDivider(27, u'-');
}  // namespace

TEST(WideMessageDialog, YesNoConfirmationDefaultsToYesCancelsWithNoAndCopiesItself) {
    const TMsgDlgButtons yesNo = MsgDlgButton(mbYes) | MsgDlgButton(mbNo);
    std::unique_ptr<TUvxMessageForm> form(WideCreateMessageDialog(u"Proceed?", mtConfirmation, yesNo));
    ASSERT_NE(form->DefaultButton, nullptr);
    EXPECT_EQ(form->DefaultButton->Name(), "Yes");
    ASSERT_NE(form->CancelButton, nullptr);
    EXPECT_EQ(form->CancelButton->Name(), "No");
    EXPECT_EQ(form->GetCaption(), u"Confirm");
    ASSERT_EQ(form->Buttons.size(), 2u);
    EXPECT_EQ(form->Buttons[0]->GetCaption(), u"&Yes");
    EXPECT_LT(form->Buttons[0]->Left(), form->Buttons[1]->Left());
    EXPECT_GT(form->Buttons[0]->Top(), form->Message->Top() + form->Message->Height() - 1) << "buttons below the text";

    std::u16string copied;
    int result = DialogSteps::Run(form.get(), [&](TUvxMessageForm* f) {
        UvxClipboard()->SetAsWideText(u"");
        PressKey(f->DefaultButton->Handle(), 'C', ssCtrl);
        copied = UvxClipboard()->GetAsWideText();
        SaveScreenshot(f->Handle(), ScreenshotPath("wide_message_dialog"));
        PressKey(f->DefaultButton->Handle(), VK_ESCAPE);
    });
    EXPECT_EQ(result, mrNo) << "Esc presses the cancel button, No";
    EXPECT_EQ(copied, kDivider + u"\r\nConfirm\r\n" + kDivider + u"\r\nProceed?\r\n" + kDivider + u"\r\nYes   No   \r\n" +
                          kDivider + u"\r\n");

    result = DialogSteps::Run(form.get(), [](TUvxMessageForm* f) { PressKey(f->DefaultButton->Handle(), VK_RETURN); });
    EXPECT_EQ(result, mrYes) << "Enter presses the default button, Yes";
}

TEST(WideMessageDialog, DefaultAndCancelFollowTheButtonsThereAre) {
    struct Case { TMsgDlgButtons buttons; const char* defaultName; const char* cancelName; };
    const Case cases[] = {
        {MsgDlgButton(mbOK) | MsgDlgButton(mbCancel), "OK", "Cancel"},
        {MsgDlgButton(mbYes) | MsgDlgButton(mbNo) | MsgDlgButton(mbCancel), "Yes", "Cancel"},
        {MsgDlgButton(mbAbort) | MsgDlgButton(mbRetry) | MsgDlgButton(mbIgnore), "Retry", nullptr},
        {MsgDlgButton(mbOK), "OK", "OK"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TUvxMessageForm> form(
            WideCreateMessageDialog(u"\u039C\u03AE\u03BD\u03C5\u03BC\u03B1", mtWarning, c.buttons));
        ASSERT_NE(form->DefaultButton, nullptr);
        EXPECT_EQ(form->DefaultButton->Name(), c.defaultName);
        if (c.cancelName) {
            ASSERT_NE(form->CancelButton, nullptr);
            EXPECT_EQ(form->CancelButton->Name(), c.cancelName);
        } else {
            EXPECT_EQ(form->CancelButton, nullptr);
        }
    }
    EXPECT_THROW(UvxButtonCaption(static_cast<TMsgDlgBtn>(11)), EUvxInternalError);
    EXPECT_THROW(UvxMessageCaption(static_cast<TMsgDlgType>(5)), EUvxInternalError);
}

namespace {
// The system's message font for the length of a test, put back afterwards
// (the setting lasts beyond the program otherwise).
class TMessageFontSetting {
public:
    TMessageFontSetting() {
        FSaved.cbSize = kSize;
        FRead = SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kSize, &FSaved, 0) != 0;
    }
    ~TMessageFontSetting() {
        if (FChanged) SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, kSize, &FSaved, 0);
    }
    bool Read() const { return FRead; }
    LOGFONTA Current() const { return FSaved.lfMessageFont; }
    bool Set(const char* face, int height) {
        NONCLIENTMETRICSA metrics = FSaved;
        std::strcpy(metrics.lfMessageFont.lfFaceName, face);
        metrics.lfMessageFont.lfHeight = height;
        FChanged = true;
        return SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, kSize, &metrics, 0) != 0;
    }

private:
    static constexpr UINT kSize = 340;
    NONCLIENTMETRICSA FSaved{};
    bool FRead = false, FChanged = false;
};

LOGFONTA FontOf(HFONT font) {
    LOGFONTA lf{};
    GetObjectA(font, sizeof lf, &lf);
    return lf;
}

// The sizes the dialog's rules give for a message in a font: the average
// letter size, the margins and the measured message beside an icon, one
// button below.
struct TExpectedSizes {
    SIZE Client, Message;
};
TExpectedSizes ExpectedSizes(const LOGFONTA& font, const std::u16string& msg) {
    HFONT f = CreateFontIndirectA(&font);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, f);
    SIZE letters{};
    GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    RECT text{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
    DrawTextW(dc, WC(msg), static_cast<int>(msg.size()) + 1, &text, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(f);
    const int x = (letters.cx / 26 + 1) / 2, y = tm.tmHeight;
    const int iconText = text.right + 32 + MulDiv(10, x, 4);
    const int width = std::max(iconText, MulDiv(50, x, 4)) + 2 * MulDiv(8, x, 4);
    const int height = std::max<int>(text.bottom, 32) + MulDiv(14, y, 8) + MulDiv(10, y, 8) + 2 * MulDiv(8, y, 8);
    return {SIZE{width, height}, SIZE{text.right, text.bottom}};
}

BOOL CALLBACK FindMessageForm(HWND h, LPARAM p) {
    auto* form = dynamic_cast<TUvxMessageForm*>(TWinControl::FromHandle(h));
    if (!form || !IsWindowVisible(h)) return TRUE;
    *reinterpret_cast<TUvxMessageForm**>(p) = form;
    return FALSE;
}

// The message dialog that shows now, made by the function under test.
TUvxMessageForm* ShownMessageForm() {
    TUvxMessageForm* found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMessageForm, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Runs steps once the dialog a call makes shows.
struct ShownDialogSteps {
    static std::function<void(TUvxMessageForm*)>& Steps() {
        static std::function<void(TUvxMessageForm*)> steps;
        return steps;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        TUvxMessageForm* form = ShownMessageForm();
        if (!form) return;
        KillTimer(nullptr, id);
        Steps()(form);
        if (form->ModalResult == mrNone) form->ModalResult = mrAbort;
    }
    static void Plan(std::function<void(TUvxMessageForm*)> steps) {
        Steps() = std::move(steps);
        SetTimer(nullptr, 0, 100, Tick);
    }
};

const std::u16string kHebrew = u"\u05D4\u05E7\u05D5\u05D1\u05E5 \u05E9\u05D5\u05E0\u05D4. \u05DC\u05E9\u05DE\u05D5\u05E8 "
                               u"\u05D0\u05EA \u05D4\u05E9\u05D9\u05E0\u05D5\u05D9\u05D9\u05DD?";
}  // namespace

TEST(WideMessageDialog, MeasuredAndShownInTheSystemsMessageFont) {
    TMessageFontSetting setting;
    ASSERT_TRUE(setting.Read());
    const std::u16string msg = u"\u0424\u0430\u0439\u043B \u0438\u0437\u043C\u0435\u043D\u0451\u043D. Save the changes?";
    std::unique_ptr<TUvxMessageForm> usual(WideCreateMessageDialog(msg, mtInformation, MsgDlgButton(mbOK)));
    ASSERT_TRUE(setting.Set("Tahoma", -22));
    std::unique_ptr<TUvxMessageForm> form(WideCreateMessageDialog(msg, mtInformation, MsgDlgButton(mbOK)));
    const LOGFONTA large = FontOf(form->Font.Handle());
    EXPECT_EQ(large.lfHeight, -22);
    EXPECT_STREQ(large.lfFaceName, "Tahoma");

    const TExpectedSizes expected = ExpectedSizes(large, msg);
    EXPECT_EQ(form->ClientWidth(), expected.Client.cx);
    EXPECT_EQ(form->ClientHeight(), expected.Client.cy);
    EXPECT_GT(form->ClientWidth(), usual->ClientWidth()) << "a larger message font makes a larger dialog";
    EXPECT_EQ(FontOf(form->Message->Font.Handle()).lfHeight, -22) << "the message shows in the font it was measured in";

    int result = DialogSteps::Run(form.get(), [&](TUvxMessageForm* f) {
        HFONT buttonFont = reinterpret_cast<HFONT>(SendMessageW(f->Buttons[0]->Handle(), WM_GETFONT, 0, 0));
        EXPECT_EQ(FontOf(buttonFont).lfHeight, -22) << "the buttons too";
        EXPECT_EQ(f->Message->Width(), expected.Message.cx);
        EXPECT_EQ(f->Message->Height(), expected.Message.cy) << "the shown message keeps the measured size";
        SaveScreenshot(f->Handle(), ScreenshotPath("wide_message_dialog_large_font"));
        PressKey(f->DefaultButton->Handle(), VK_RETURN);
    });
    EXPECT_EQ(result, mrOk);
}

TEST(WideMessageDialog, RightToLeftPlacesTheMessageAndTheIconFromTheRight) {
    const TMsgDlgButtons yesNo = MsgDlgButton(mbYes) | MsgDlgButton(mbNo);
    std::unique_ptr<TUvxMessageForm> ltr(WideCreateMessageDialog(kHebrew, mtWarning, yesNo));
    Application->BiDiMode = bdRightToLeft;
    std::unique_ptr<TUvxMessageForm> rtl(WideCreateMessageDialog(kHebrew, mtWarning, yesNo));
    Application->BiDiMode = bdLeftToRight;
    ASSERT_EQ(rtl->BiDiMode, bdRightToLeft);
    ASSERT_EQ(ltr->ClientWidth(), rtl->ClientWidth());
    const int width = rtl->ClientWidth();
    auto* ltrImage = dynamic_cast<TWinControl*>(ltr->FindComponent("Image"));
    auto* rtlImage = dynamic_cast<TWinControl*>(rtl->FindComponent("Image"));
    ASSERT_TRUE(ltrImage && rtlImage);
    EXPECT_LT(ltrImage->Left(), ltr->Message->Left()) << "left to right: icon, then message";
    EXPECT_EQ(rtl->Message->Left(), width - ltr->Message->Left() - ltr->Message->Width()) << "mirrored";
    EXPECT_EQ(rtlImage->Left(), width - ltrImage->Left() - 32) << "the icon at the right edge";
    EXPECT_GE(rtlImage->Left(), rtl->Message->Left() + rtl->Message->Width()) << "beside the message, not over it";
    EXPECT_EQ(rtl->Message->BiDiMode, bdRightToLeft) << "the message reads from the right";
    for (size_t i = 0; i < rtl->Buttons.size(); ++i) EXPECT_EQ(rtl->Buttons[i]->Left(), ltr->Buttons[i]->Left());

    for (auto* form : {ltr.get(), rtl.get()}) {
        const bool right = form == rtl.get();
        int result = DialogSteps::Run(form, [&](TUvxMessageForm* f) {
            EXPECT_EQ((GetWindowLongW(f->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING) != 0, right);
            SaveScreenshot(f->Handle(), ScreenshotPath(right ? "wide_message_dialog_rtl" : "wide_message_dialog_ltr"));
            PressKey(f->DefaultButton->Handle(), VK_ESCAPE);
        });
        EXPECT_EQ(result, mrNo);
    }
}

TEST(WideMessageDialog, HelpAsksForTheGivenFileAndContextWhereThePlaceSays) {
    struct Asked {
        int context = -1;
        std::string file;
    } asked;
    Application->HelpFile = "Z:\\help\\program.hlp";
    Application->OnHelp = [&](uint16_t command, int data, bool&) {
        if (command == HELP_CONTEXT) asked = Asked{data, Application->CurrentHelpFile()};
        return true;
    };
    struct Case {
        const char* helpFile;
        int x, y;
        const char* expectedFile;
    } cases[] = {
        {"Z:\\help\\dialog.hlp", 40, 50, "Z:\\help\\dialog.hlp"},
        {"", 60, -1, "Z:\\help\\program.hlp"},
    };
    const TMsgDlgButtons buttons = MsgDlgButton(mbYes) | MsgDlgButton(mbNo) | MsgDlgButton(mbHelp);
    for (const Case& c : cases) {
        asked = Asked{};
        RECT place{};
        ShownDialogSteps::Plan([&](TUvxMessageForm* f) {
            GetWindowRect(f->Handle(), &place);
            TUvxButton* help = dynamic_cast<TUvxButton*>(f->FindComponent("Help"));
            ASSERT_NE(help, nullptr);
            Click(help->Handle(), 5, 5);
            PumpUntilIdle();
            PressKey(f->DefaultButton->Handle(), VK_ESCAPE);
        });
        int result = WideMessageDlgPosHelp(u"\u0421\u043F\u0440\u0430\u0432\u043A\u0430?", mtConfirmation, buttons, 321,
                                           c.x, c.y, c.helpFile);
        EXPECT_EQ(result, mrNo);
        EXPECT_EQ(asked.context, 321);
        EXPECT_EQ(asked.file, c.expectedFile);
        EXPECT_EQ(place.left, c.x);
        if (c.y >= 0) EXPECT_EQ(place.top, c.y);
        else EXPECT_EQ(place.top, (GetSystemMetrics(SM_CYSCREEN) - (place.bottom - place.top)) / 2) << "centred";
    }
    EXPECT_EQ(Application->CurrentHelpFile(), "Z:\\help\\program.hlp") << "the dialog's file went with it";
    Application->OnHelp = nullptr;
    Application->HelpFile.clear();
}
