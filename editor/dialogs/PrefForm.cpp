#include "editor/dialogs/PrefForm.h"

#include "editor/dialogs/DialogWindow.h"
#include "editor/document/LanguageSystem.h"
#include "framework/ButtonCtrls.h"
#include "framework/ColorDialog.h"
#include "framework/Shape.h"
#include "framework/StdCtrls.h"

TPrefForm* PrefForm = nullptr;

namespace {
std::string Text(const char* key) { return LanguageSystem.getText(key); }

// The system's named colours as they are now.
TColor Sys(int index) { return static_cast<TColor>(GetSysColor(index)); }

TButton* MakeButton(TPrefForm* form, int left, int top, int width, const char* key) {
    auto* b = new TButton(form);
    b->SetParent(form);
    b->SetBounds(left, top, width, 25);
    b->SetCaption(Text(key));
    return b;
}
}  // namespace

TPrefForm::TPrefForm(TComponent* owner) : TUvxForm(owner) {
    SetCaption(Text("COLORS"));
    static const char* const keys[6] = {"COLORNAME1", "COLORNAME2", "COLORNAME6",
                                        "COLORNAME4", "COLORNAME3", "COLORNAME5"};
    for (int i = 0; i < 6; ++i) {
        Labels[i] = new TLabel(this);
        Labels[i]->SetParent(this);
        Labels[i]->SetBounds(8, 8 + 40 * i + 9, 148, 16);
        Labels[i]->SetCaption(Text(keys[i]));
        Shapes[i] = new TShape(this);
        Shapes[i]->SetParent(this);
        Shapes[i]->SetBounds(160, 8 + 40 * i, 33, 33);
        Shapes[i]->OnMouseDown = [this, i](TObject*, TMouseButton, TShiftState, int, int) { ShapeMouseDown(i); };
    }
    ColorDialog = new TColorDialog(this);
    Button1 = MakeButton(this, 8, 252, 197, "SYSTEMCOLORS");
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
    Button2 = MakeButton(this, 8, 282, 197, "TESSALYCOLORS");
    Button2->OnClick = [this](TObject* s) { Button2Click(s); };
    AutoTest = new TCheckBox(this);
    AutoTest->SetParent(this);
    AutoTest->SetBounds(8, 316, 120, 20);
    AutoTest->SetCaption(Text("AUTOMATICTEST"));
    AutoTest->SetChecked(true);
    AutoTest->OnClick = [this](TObject* s) { AutoTestClick(s); };
    TestButton = MakeButton(this, 130, 314, 75, "WORD_TEST");
    TestButton->SetEnabled(false);
    TestButton->OnClick = [this](TObject* s) { TestButtonClick(s); };
    OkButton = MakeButton(this, 24, 372, 75, "WORD_OK");
    OkButton->SetDefault(true);
    OkButton->OnClick = [this](TObject*) { ModalResult = mrOk; };
    CancelButton = MakeButton(this, 114, 372, 75, "WORD_CANCEL");
    CancelButton->OnClick = [this](TObject*) { ModalResult = mrCancel; };
    for (TButton* b : {OkButton, CancelButton, TestButton, Button1, Button2})
        b->OnKeyDown = [this](TObject*, WORD& key, TShiftState) {
            if (key == VK_ESCAPE) ModalResult = mrCancel;
        };
}

TPrefForm::~TPrefForm() {
    if (PrefForm == this) PrefForm = nullptr;
}

void TPrefForm::CreateParams(TCreateParams& params) {
    TUvxForm::CreateParams(params);
    FixedDialogParams(params, 213, 407);
}

TSwatchColors TPrefForm::Swatches() const {
    TSwatchColors c;
    for (int i = 0; i < 6; ++i) c[i] = Shapes[i]->BrushColor();
    return c;
}

void TPrefForm::SetSwatches(const TSwatchColors& colors) {
    for (int i = 0; i < 6; ++i) Shapes[i]->SetBrushColor(colors[i]);
}

void TPrefForm::ShapeMouseDown(int swatch) {
    ColorDialog->Color = Shapes[swatch]->BrushColor();
    if (ColorDialog->Execute(Handle())) Shapes[swatch]->SetBrushColor(ColorDialog->Color);
    AutomaticTest();
}

// The swatches go to the main window; it is redrawn only when one differed.
void TPrefForm::TestButtonClick(TObject*) {
    if (!GetTarget || !SetTarget) return;
    const TSwatchColors now = Swatches();
    if (now != GetTarget()) SetTarget(now);
}

void TPrefForm::AutoTestClick(TObject*) {
    TestButton->SetEnabled(!AutoTest->Checked());
    if (AutoTest->Checked()) TestButtonClick(this);
}

void TPrefForm::AutomaticTest() {
    if (AutoTest->Checked()) TestButtonClick(this);
}

// In swatch order; the system colours as they are now.
void TPrefForm::Button1Click(TObject*) {
    SetSwatches({Sys(COLOR_WINDOW), Sys(COLOR_HIGHLIGHT), Sys(COLOR_HIGHLIGHTTEXT), Sys(COLOR_WINDOWTEXT),
                 Sys(COLOR_WINDOWTEXT), Sys(COLOR_BTNFACE)});
    AutomaticTest();
}

void TPrefForm::Button2Click(TObject*) {
    SetSwatches({0x800000, 0xE47E46, 0xFFFFFF, 0xFFFFFF, 0x00FFFF, 0xC0C0C0});
    AutomaticTest();
}
