#include "editor/main/BerichtBox.h"

#include "editor/main/BerichtLayout.h"
#include "framework/Application.h"

TBerichtBox* BerichtBox = nullptr;

namespace {
constexpr int DesignClientWidth = 449;
constexpr int DesignClientHeight = 124;
constexpr int ButtonWidth = 82;
constexpr int ButtonHeight = 25;
constexpr DWORD BoxStyle = WS_POPUP | WS_CAPTION | WS_DLGFRAME | WS_CLIPCHILDREN;
constexpr DWORD BoxExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
}  // namespace

TBerichtBox::TBerichtBox(TComponent* owner) : TForm(owner) {
    FFont = CreateFontA(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
    RECT r{0, 0, DesignClientWidth, DesignClientHeight};
    AdjustWindowRectEx(&r, BoxStyle, FALSE, BoxExStyle);
    SetBounds(0, 0, r.right - r.left, r.bottom - r.top);

    Label2 = new TLabel(this);
    Label2->SetParent(this);
    Label2->SetBounds(0, 0, DesignClientWidth, 8);
    Label1 = new TLabel(this);
    Label1->Alignment = taCenter;
    Label1->SetParent(this);
    Label1->SetBounds(0, 8, DesignClientWidth, 16);
    Button1 = new TButton(this);
    Button1->SetDefault(true);
    Button2 = new TButton(this);
    Button3 = new TButton(this);
    const char* captions[] = {"Yes", "No", "Cancel"};
    TButton* buttons[] = {Button1, Button2, Button3};
    for (int i = 0; i < 3; ++i) {
        TButton* b = buttons[i];
        b->SetParent(this);
        b->SetCaption(captions[i]);
        b->SetBounds(100 * i + 60, 80, ButtonWidth, ButtonHeight);
        b->OnClick = [this, b](TObject*) { Answer(b); };
        // Enter and Esc reach a focused button too when the box is not the
        // active window at that moment.
        b->OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) {
            if (IsShortCut(key, shift)) key = 0;
        };
    }
    CancelButton = Button3;
    SetCaption("Afsluiten");
    Label1->SetCaption("This is the message text");
    OnActivate = [this](TObject* s) { FormActivate(s); };
}

TBerichtBox::~TBerichtBox() {
    // The controls go first (they are owned components); then their font.
    DestroyHandle();
    if (FFont) DeleteObject(FFont);
}

void TBerichtBox::CreateParams(TCreateParams& params) {
    TForm::CreateParams(params);
    // A dialog frame without system menu: no close button, so the box is
    // answered by its buttons, Enter or Esc only.
    params.Style = BoxStyle;
    params.ExStyle = BoxExStyle;
}

LRESULT TBerichtBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    // Closed by other means than its buttons (Alt+F4, the task list), the
    // box answers as Esc does: a two-button box would otherwise give
    // Cancel, which its callers take for neither answer.
    if (msg == WM_CLOSE) {
        Answer(CancelButton);
        return 0;
    }
    return TForm::WndProc(msg, wParam, lParam);
}

void TBerichtBox::Answer(TButton* button) {
    if (button == Button1) ModalResult = mrYes;
    else if (button == Button2) ModalResult = mrNo;
    else ModalResult = mrCancel;
}

void TBerichtBox::FormActivate(TObject*) {
    if (Button1->Visible()) Button1->SetFocus();
}

// Enter answers with the first button whatever the box shows; Esc with the
// button marked Cancel.
bool TBerichtBox::IsShortCut(WORD key, TShiftState shift) {
    if (shift & (ssCtrl | ssAlt)) return false;
    if (key == VK_RETURN) {
        Answer(Button1);
        return true;
    }
    if (key == VK_ESCAPE) {
        Answer(CancelButton);
        return true;
    }
    return false;
}

// The text wraps within the box's width and takes the height it needs; the
// buttons and the box's client height follow it.
void TBerichtBox::BerichtLayout(const std::string& text) {
    Label1->SetCaption(text);
    for (TWinControl* c : {static_cast<TWinControl*>(Label1), static_cast<TWinControl*>(Button1),
                           static_cast<TWinControl*>(Button2), static_cast<TWinControl*>(Button3)})
        SendMessageA(c->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FFont), TRUE);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, FFont);
    RECT r{0, 0, DesignClientWidth, 0};
    DrawTextA(dc, text.empty() ? " " : text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    int h = r.bottom - r.top;
    Label1->SetBounds(0, 8, DesignClientWidth, h);

    TBerichtGeometry g = BerichtVertical(h);
    FButtonTop = g.ButtonTop;
    RECT outer{0, 0, DesignClientWidth, g.ClientHeight};
    AdjustWindowRectEx(&outer, BoxStyle, FALSE, BoxExStyle);
    int width = Width();
    int height = outer.bottom - outer.top;
    // Centred on the screen each time, as the box's height may have changed.
    int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    SetBounds(left, top, width, height);
}

void TBerichtBox::PlaceButton(TButton* button, int left, const std::string& caption, bool visible) {
    button->SetCaption(caption);
    button->SetBounds(left, FButtonTop, button->Width(), button->Height());
    button->SetVisible(visible);
}

int TBerichtBox::Show1(const std::string& text, const std::string& caption, const std::string& button) {
    BerichtLayout(text);
    TBerichtGeometry g;
    BerichtOneButton(g, Width(), Button1->Width());
    SetCaption(caption);
    PlaceButton(Button1, g.Left1, button, true);
    Button2->SetVisible(false);
    Button3->SetVisible(false);
    CancelButton = Button1;
    return ShowModal();
}

int TBerichtBox::Show2(const std::string& text, const std::string& caption, const std::string& first,
                       const std::string& second) {
    BerichtLayout(text);
    TBerichtGeometry g;
    BerichtTwoButtons(g, Width(), Button1->Width());
    SetCaption(caption);
    PlaceButton(Button1, g.Left1, first, true);
    PlaceButton(Button2, g.Left2, second, true);
    Button3->SetCaption("");
    Button3->SetVisible(false);
    CancelButton = Button2;
    return ShowModal();
}

int TBerichtBox::Show3(const std::string& text, const std::string& caption, const std::string& yes,
                       const std::string& no, const std::string& cancel) {
    BerichtLayout(text);
    TBerichtGeometry g;
    BerichtThreeButtons(g, Width(), Button1->Width(), Button2->Width());
    SetCaption(caption);
    PlaceButton(Button1, g.Left1, yes, true);
    PlaceButton(Button2, g.Left2, no, true);
    PlaceButton(Button3, g.Left3, cancel, true);
    CancelButton = Button3;
    return ShowModal();
}

int BerichtBox1(const std::string& text, const std::string& caption, const std::string& button) {
    return BerichtBox->Show1(text, caption, button);
}

int BerichtBox2(const std::string& text, const std::string& caption, const std::string& first, const std::string& second) {
    return BerichtBox->Show2(text, caption, first, second);
}

int BerichtBox3(const std::string& text, const std::string& caption, const std::string& yes, const std::string& no,
                const std::string& cancel) {
    return BerichtBox->Show3(text, caption, yes, no, cancel);
}
