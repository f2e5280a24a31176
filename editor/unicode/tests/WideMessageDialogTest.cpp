#include <gtest/gtest.h>

#include "editor/unicode/UvxClipBrd.h"
#include "editor/unicode/UvxErrors.h"
#include "editor/unicode/UvxMessageDialog.h"
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
