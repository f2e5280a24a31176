#include "editor/unicode/UvxInputQuery.h"

#include <algorithm>
#include <memory>

#include "editor/unicode/UvxButtons.h"
#include "editor/unicode/UvxDialogs.h"
#include "editor/unicode/UvxEdits.h"
#include "editor/unicode/UvxForms.h"
#include "editor/unicode/UvxLabels.h"
#include "editor/unicode/UvxWindows.h"
#include "framework/Application.h"
#include "framework/StdCtrls.h"
#include "framework/WinText.h"

namespace {
class TUvxQueryForm : public TUvxForm {
public:
    explicit TUvxQueryForm(TComponent* owner) : TUvxForm(owner) {}
    std::string ClassName() const override { return "TUvxQueryForm"; }

protected:
    void CreateParams(TCreateParams& params) override {
        TUvxForm::CreateParams(params);
        params.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
        params.ExStyle |= WS_EX_DLGMODALFRAME;
    }
};
}  // namespace

bool WideInputQuery(const std::u16string& caption, const std::u16string& prompt, std::u16string& value) {
    auto form = std::make_unique<TUvxQueryForm>(Application);
    // The controls draw with the dialog font; the sizes come from it.
    HDC dc = GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    std::u16string letters;
    for (char16_t c = u'A'; c <= u'Z'; ++c) letters += c;
    for (char16_t c = u'a'; c <= u'z'; ++c) letters += c;
    SIZE size{};
    GetTextExtentPoint32W(dc, WC(letters), 52, &size);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    const int x = (size.cx / 26 + 1) / 2, y = tm.tmHeight;
    RECT promptRect{0, 0, MulDiv(164, x, 4), 0};
    Uvx_DrawTextW(dc, WC(prompt), static_cast<int>(prompt.size()), &promptRect, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);

    form->SetCaption(caption);
    auto* label = new TUvxLabel(form.get());
    label->SetParent(form.get());
    label->SetWordWrap(true);
    label->SetCaption(prompt);
    // As wide as it may be: the label's own font may measure a little wider.
    label->SetBounds(MulDiv(8, x, 4), MulDiv(8, y, 8), MulDiv(164, x, 4), std::max<int>(promptRect.bottom, y));
    auto* edit = new TUvxEdit(form.get());
    edit->SetParent(form.get());
    edit->MaxLength = 255;
    edit->SetBounds(label->Left(), label->Top() + label->Height() + 5, MulDiv(164, x, 4), y + 8);
    edit->SetText(value);
    const int buttonTop = edit->Top() + edit->Height() + 15;
    const int buttonWidth = MulDiv(50, x, 4), buttonHeight = MulDiv(14, y, 8);
    TUvxQueryForm* f = form.get();
    auto* ok = new TUvxButton(form.get());
    ok->SetParent(form.get());
    ok->SetCaption(u"OK");
    ok->SetDefault(true);
    ok->SetBounds(MulDiv(38, x, 4), buttonTop, buttonWidth, buttonHeight);
    ok->OnClick = [f](TObject*) { f->ModalResult = mrOk; };
    auto* cancel = new TUvxButton(form.get());
    cancel->SetParent(form.get());
    cancel->SetCaption(u"Cancel");
    cancel->SetBounds(MulDiv(92, x, 4), buttonTop, buttonWidth, buttonHeight);
    cancel->OnClick = [f](TObject*) { f->ModalResult = mrCancel; };
    // Enter is OK and Esc Cancel from wherever the focus is.
    auto keys = [f](TObject*, WORD& key, TShiftState shift) {
        if (shift != 0) return;
        if (key == VK_RETURN) f->ModalResult = mrOk;
        else if (key == VK_ESCAPE) f->ModalResult = mrCancel;
        else return;
        key = 0;
    };
    edit->OnKeyDown = keys;
    ok->OnKeyDown = keys;
    cancel->OnKeyDown = keys;

    RECT frame{0, 0, MulDiv(180, x, 4), cancel->Top() + cancel->Height() + 13};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, FALSE, WS_EX_DLGMODALFRAME);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    form->SetBounds((GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width,
                    height);
    form->OnActivate = [edit](TObject*) {
        edit->SetFocus();
        edit->SetSelStart(0);
        edit->SetSelLength(static_cast<int>(edit->GetText().size()));
    };
    if (form->ShowModal() != mrOk) return false;
    value = edit->GetText();
    return true;
}

std::u16string WideInputBox(const std::u16string& caption, const std::u16string& prompt, const std::u16string& def) {
    std::u16string value = def;
    WideInputQuery(caption, prompt, value);
    return value;
}

bool WidePromptForFileName(std::u16string& fileName, const std::u16string& filter, const std::u16string& defaultExt,
                           const std::u16string& title, const std::u16string& initialDir, bool saveDialog) {
    std::unique_ptr<TUvxOpenDialog> dialog;
    if (saveDialog) {
        dialog = std::make_unique<TUvxSaveDialog>(nullptr);
        dialog->Options |= ofOverwritePrompt;
    } else {
        dialog = std::make_unique<TUvxOpenDialog>(nullptr);
    }
    dialog->SetTitle(title);
    dialog->SetDefaultExt(defaultExt);
    dialog->SetFilter(filter.empty() ? u"All files (*.*)|*.*" : filter);
    dialog->SetInitialDir(initialDir);
    dialog->SetFileName(fileName);
    if (!dialog->Execute()) return false;
    fileName = dialog->GetFileName();
    return true;
}
