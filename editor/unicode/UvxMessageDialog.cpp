#include "editor/unicode/UvxMessageDialog.h"

#include <algorithm>
#include <memory>

#include "editor/unicode/UvxClipBrd.h"
#include "editor/unicode/UvxErrors.h"
#include "editor/unicode/UvxExtCtrls.h"
#include "editor/unicode/UvxWindows.h"
#include "framework/Application.h"
#include "framework/WinText.h"

namespace {
struct TTypeRow {
    const char16_t* Caption;
    LPCSTR Icon;
};
const TTypeRow kTypes[] = {
    {u"Warning", IDI_EXCLAMATION}, {u"Error", IDI_HAND}, {u"Information", IDI_ASTERISK}, {u"Confirm", IDI_QUESTION},
    {nullptr, nullptr},
};
struct TButtonRow {
    const char* Name;
    const char16_t* Caption;
    int Result;
};
const TButtonRow kButtons[] = {
    {"Yes", u"&Yes", mrYes},        {"No", u"&No", mrNo},
    {"OK", u"OK", mrOk},            {"Cancel", u"Cancel", mrCancel},
    {"Abort", u"&Abort", mrAbort},  {"Retry", u"&Retry", mrRetry},
    {"Ignore", u"&Ignore", mrIgnore}, {"All", u"&All", mrAll},
    {"NoToAll", u"N&o to All", mrNoToAll}, {"YesToAll", u"Yes to &All", mrYesToAll},
    {"Help", u"&Help", mrNone},
};

const TButtonRow& ButtonRow(TMsgDlgBtn button) {
    if (button < mbYes || button > mbHelp) throw EUvxInternalError("Unexpected MsgDlgBtn in GetButtonCaption.");
    return kButtons[button];
}

SIZE TextSize(HDC dc, const std::u16string& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, WC(text), static_cast<int>(text.size()), &size);
    return size;
}

bool Has(TMsgDlgButtons buttons, TMsgDlgBtn b) { return (buttons & MsgDlgButton(b)) != 0; }

// The system's message font; the framework's dialog font when the system
// does not tell. The record is read in the size every system knows, the one
// before Vista added a last field.
LOGFONTA MessageFont() {
    constexpr UINT kMetricsSize = 340;
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = kMetricsSize;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kMetricsSize, &metrics, 0)) return metrics.lfMessageFont;
    LOGFONTA font{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return font;
}

// A button of the dialog shows in the dialog's font.
class TUvxMessageButton : public TUvxButton {
public:
    TUvxMessageButton(TComponent* owner, HFONT font) : TUvxButton(owner), FFont(font) {}
    std::string ClassName() const override { return "TUvxButton"; }

protected:
    void CreateHandleDone() override {
        TUvxButton::CreateHandleDone();
        SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont), FALSE);
    }

private:
    HFONT FFont;
};
}  // namespace

std::u16string UvxMessageCaption(TMsgDlgType type) {
    if (type < mtWarning || type > mtCustom) throw EUvxInternalError("Unexpected MsgType in GetMessageCaption.");
    if (type == mtCustom) return UvxApplication ? UvxApplication->GetTitle() : std::u16string();
    return kTypes[type].Caption;
}

std::u16string UvxButtonCaption(TMsgDlgBtn button) { return ButtonRow(button).Caption; }
std::string UvxButtonName(TMsgDlgBtn button) { return ButtonRow(button).Name; }
int UvxButtonModalResult(TMsgDlgBtn button) { return ButtonRow(button).Result; }

TUvxMessageForm::TUvxMessageForm(TComponent* owner) : TUvxForm(owner) {}

TUvxMessageForm::~TUvxMessageForm() { DestroyHandle(); }

// Right to left, the caption reads from the right too.
void TUvxMessageForm::CreateParams(TCreateParams& params) {
    TUvxForm::CreateParams(params);
    params.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_DLGMODALFRAME;
    if (BiDiMode == bdRightToLeft) params.ExStyle |= WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;
}

// Divider, caption, divider, message, divider, the button captions without
// "&" each followed by three spaces, divider; every line ended by CR LF.
std::u16string TUvxMessageForm::ClipboardText() {
    const std::u16string divider = std::u16string(27, u'-') + u"\r\n";
    std::u16string buttons;
    for (TUvxButton* b : Buttons) {
        std::u16string caption = b->GetCaption();
        std::erase(caption, u'&');
        buttons += caption + u"   ";
    }
    return divider + GetCaption() + u"\r\n" + divider + Message->GetCaption() + u"\r\n" + divider + buttons +
           u"\r\n" + divider;
}

void TUvxMessageForm::DialogKeyDown(WORD& key, TShiftState shift) {
    if (shift == ssCtrl && key == 'C') {
        MessageBeep(0);
        UvxClipboard()->SetAsWideText(ClipboardText());
        key = 0;
    } else if (key == VK_RETURN && shift == 0) {
        // Enter presses the button that has the focus, else the default one.
        TUvxButton* pressed = DefaultButton;
        for (TUvxButton* b : Buttons)
            if (b->Focused()) pressed = b;
        if (pressed) pressed->DoClick();
        key = 0;
    } else if (key == VK_ESCAPE && shift == 0 && CancelButton) {
        CancelButton->DoClick();
        key = 0;
    }
}

TUvxMessageForm* WideCreateMessageDialog(const std::u16string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                                         int defaultButton) {
    std::u16string caption = UvxMessageCaption(type);
    if (defaultButton < 0)
        defaultButton = Has(buttons, mbOK) ? mbOK : Has(buttons, mbYes) ? mbYes : mbRetry;
    auto form = std::make_unique<TUvxMessageForm>(Application);
    const LOGFONTA font = MessageFont();
    form->Font.SetHandle(CreateFontIndirectA(&font));
    form->BiDiMode = Application->BiDiMode;
    const bool rightToLeft = form->BiDiMode == bdRightToLeft;
    HDC dc = GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, form->Font.Handle());
    std::u16string letters;
    for (char16_t c = u'A'; c <= u'Z'; ++c) letters += c;
    for (char16_t c = u'a'; c <= u'z'; ++c) letters += c;
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    const int x = (TextSize(dc, letters).cx / 26 + 1) / 2, y = tm.tmHeight;
    const int hMargin = MulDiv(8, x, 4), vMargin = MulDiv(8, y, 8);
    const int hSpacing = MulDiv(10, x, 4), vSpacing = MulDiv(10, y, 8);
    int buttonWidth = MulDiv(50, x, 4);
    const int buttonHeight = MulDiv(14, y, 8), buttonSpacing = MulDiv(4, x, 4);
    int count = 0;
    for (int b = mbYes; b <= mbHelp; ++b) {
        if (!Has(buttons, static_cast<TMsgDlgBtn>(b))) continue;
        ++count;
        RECT r{0, 0, 0, 0};
        std::u16string text = UvxButtonCaption(static_cast<TMsgDlgBtn>(b));
        Uvx_DrawTextW(dc, WC(text), -1, &r, DT_CALCRECT | DT_LEFT | DT_SINGLELINE);
        buttonWidth = std::max<int>(buttonWidth, r.right - r.left + 8);
    }
    RECT text{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
    Uvx_DrawTextW(dc, WC(msg), static_cast<int>(msg.size()) + 1, &text,
                  DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | (rightToLeft ? DT_RTLREADING : 0));
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);

    const bool icon = type != mtCustom;
    const int messageWidth = text.right, messageHeight = text.bottom;
    const int iconTextWidth = messageWidth + (icon ? 32 + hSpacing : 0);
    const int iconTextHeight = icon ? std::max(messageHeight, 32) : messageHeight;
    const int groupWidth = count ? count * buttonWidth + (count - 1) * buttonSpacing : 0;
    const int clientWidth = std::max(iconTextWidth, groupWidth) + 2 * hMargin;
    const int clientHeight = iconTextHeight + buttonHeight + vSpacing + 2 * vMargin;
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, FALSE, WS_EX_DLGMODALFRAME);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    form->SetBounds((GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width,
                    height);
    form->SetCaption(caption);

    auto keys = [f = form.get()](TObject*, WORD& key, TShiftState shift) { f->DialogKeyDown(key, shift); };
    // Right to left the message stands at the right and the icon beside it
    // at the right edge, mirroring the left-to-right layout.
    if (icon) {
        auto* image = new TUvxImage(form.get());
        image->SetName("Image");
        image->SetParent(form.get());
        image->SetBounds(rightToLeft ? clientWidth - hMargin - 32 : hMargin, vMargin, 32, 32);
        image->LoadSystemIcon(kTypes[type].Icon);
    }
    form->Message = new TUvxLabel(form.get());
    form->Message->SetName("Message");
    form->Message->SetParent(form.get());
    form->Message->Font.SetHandle(CreateFontIndirectA(&font));
    form->Message->BiDiMode = form->BiDiMode;
    form->Message->SetWordWrap(true);
    form->Message->SetCaption(msg);
    int messageLeft = iconTextWidth - messageWidth + hMargin;
    if (rightToLeft) messageLeft = clientWidth - messageLeft - messageWidth;
    form->Message->SetBounds(messageLeft, vMargin, messageWidth, messageHeight);

    TMsgDlgBtn cancelKind = Has(buttons, mbCancel) ? mbCancel : Has(buttons, mbNo) ? mbNo : mbOK;
    int left = (clientWidth - groupWidth) / 2;
    const int top = iconTextHeight + vMargin + vSpacing;
    for (int b = mbYes; b <= mbHelp; ++b) {
        auto kind = static_cast<TMsgDlgBtn>(b);
        if (!Has(buttons, kind)) continue;
        auto* button = new TUvxMessageButton(form.get(), form->Font.Handle());
        button->SetName(UvxButtonName(kind));
        button->SetParent(form.get());
        button->SetCaption(UvxButtonCaption(kind));
        button->SetBounds(left, top, buttonWidth, buttonHeight);
        int result = UvxButtonModalResult(kind);
        TUvxMessageForm* f = form.get();
        if (kind == mbHelp) button->OnClick = [f](TObject*) { Application->HelpContext(f->HelpContext); };
        else button->OnClick = [f, result](TObject*) { f->ModalResult = result; };
        button->OnKeyDown = keys;
        if (b == defaultButton) {
            button->SetDefault(true);
            form->DefaultButton = button;
        }
        if (kind == cancelKind) form->CancelButton = button;
        form->Buttons.push_back(button);
        left += buttonWidth + buttonSpacing;
    }
    form->OnActivate = [f = form.get()](TObject*) {
        if (f->DefaultButton) f->DefaultButton->SetFocus();
    };
    return form.release();
}

int WideMessageDlgPosHelp(const std::u16string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx, int x,
                          int y, const std::string& helpFileName, int defaultButton) {
    std::unique_ptr<TUvxMessageForm> form(WideCreateMessageDialog(msg, type, buttons, defaultButton));
    form->HelpContext = helpCtx;
    form->HelpFile = helpFileName;
    if (x >= 0 || y >= 0)
        form->SetBounds(x >= 0 ? x : form->Left(), y >= 0 ? y : form->Top(), form->Width(), form->Height());
    return form->ShowModal();
}

int WideMessageDlg(const std::u16string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx, int defaultButton) {
    return WideMessageDlgPosHelp(msg, type, buttons, helpCtx, -1, -1, "", defaultButton);
}

int WideMessageDlgPos(const std::u16string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx, int x, int y,
                      int defaultButton) {
    return WideMessageDlgPosHelp(msg, type, buttons, helpCtx, x, y, "", defaultButton);
}

void WideShowMessagePos(const std::u16string& msg, int x, int y) {
    WideMessageDlgPos(msg, mtCustom, MsgDlgButton(mbOK), 0, x, y);
}

void WideShowMessage(const std::u16string& msg) { WideShowMessagePos(msg, -1, -1); }

void WideShowMessageFmt(const std::u16string& msg, const TWideFormatArgs& params) {
    WideShowMessage(WideFormat(msg, params));
}
