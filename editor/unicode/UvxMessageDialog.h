#pragma once
// The wide message dialog: an icon for its kind, the message, and a row of
// buttons, laid out from the font's average character size; Enter presses
// the default button, Esc the cancel button, Ctrl+C copies the dialog as
// text.
#include <string>
#include <vector>

#include "editor/unicode/UvxButtons.h"
#include "editor/unicode/UvxForms.h"
#include "editor/unicode/UvxLabels.h"
#include "framework/Font.h"
#include "framework/WideFormat.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
// A set of buttons: bit (1 << button) for each.
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons MsgDlgButton(TMsgDlgBtn b) { return 1u << b; }
constexpr int mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

// The caption of a kind of message and of a button (texts of the tables).
std::u16string UvxMessageCaption(TMsgDlgType type);
std::u16string UvxButtonCaption(TMsgDlgBtn button);
std::string UvxButtonName(TMsgDlgBtn button);
int UvxButtonModalResult(TMsgDlgBtn button);

class TUvxMessageForm : public TUvxForm {
public:
    explicit TUvxMessageForm(TComponent* owner);
    // The buttons' windows go before the font they show with.
    ~TUvxMessageForm() override;
    std::string ClassName() const override { return "TUvxMessageForm"; }
    // The system's message font (the dialog font where the system does not
    // tell): the sizes come from it, the message and the buttons show in it.
    TFont Font;
    // The application's reading order when the dialog was made.
    TBiDiMode BiDiMode = bdLeftToRight;
    TUvxLabel* Message = nullptr;
    TUvxButton* DefaultButton = nullptr;
    TUvxButton* CancelButton = nullptr;
    std::vector<TUvxButton*> Buttons;
    int HelpContext = 0;
    // What Ctrl+C puts on the clipboard.
    std::u16string ClipboardText();
    // The keys of the dialog, from whichever of its controls has the focus.
    void DialogKeyDown(WORD& key, TShiftState shift);

protected:
    void CreateParams(TCreateParams& params) override;
};

// defaultButton -1: OK if present, else Yes if present, else Retry.
TUvxMessageForm* WideCreateMessageDialog(const std::u16string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                                         int defaultButton = -1);
// The help button asks for help on helpCtx with helpFileName as the current
// help file (the program's when empty); x, y: the left and top, each centred
// on the screen when negative.
int WideMessageDlgPosHelp(const std::u16string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx, int x,
                          int y, const std::string& helpFileName, int defaultButton = -1);
int WideMessageDlg(const std::u16string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx,
                   int defaultButton = -1);
int WideMessageDlgPos(const std::u16string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx, int x, int y,
                      int defaultButton = -1);
void WideShowMessage(const std::u16string& msg);
void WideShowMessagePos(const std::u16string& msg, int x, int y);
// The message is the format msg with its arguments (EConvertError when they do not fit).
void WideShowMessageFmt(const std::u16string& msg, const TWideFormatArgs& params);
