#include "editor/dialogs/About.h"

#include <shellapi.h>

#include "editor/dialogs/DialogWindow.h"
#include "editor/document/LanguageSystem.h"
#include "framework/Image.h"
#include "framework/StdCtrls.h"

TAbout* About = nullptr;

namespace {
TLabel* Place(TAbout* form, int left, int top, int width, const std::string& caption) {
    auto* l = new TLabel(form);
    l->SetParent(form);
    l->SetBounds(left, top, width, 16);
    l->SetCaption(caption);
    return l;
}

// A label that reports clicks (the static control's notify style) and shows
// the hand cursor.
class TLinkLabel : public TLabel {
public:
    using TLabel::TLabel;

protected:
    void CreateParams(TCreateParams& params) override {
        TLabel::CreateParams(params);
        params.Style |= SS_NOTIFY;
    }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_SETCURSOR) {
            SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
            return TRUE;
        }
        if (msg == WM_LBUTTONUP && OnClick) OnClick(this);
        return TLabel::WndProc(msg, wParam, lParam);
    }
};
}  // namespace

TAbout::TAbout(TComponent* owner) : TUvxForm(owner) {
    SetCaption("Tessaly");
    Image1 = new TImage(this);
    Image1->SetParent(this);
    Image1->SetBounds(56, 16, 32, 32);
    Image1->LoadIcon("MAINICON");
    Label1 = Place(this, 98, 12, 90, "Tessaly");
    VersionL = Place(this, 101, 34, 88, LanguageSystem.getText("VERSION") + " 1.6.0");
    Label2 = Place(this, 192, 12, 150, "\xA9 Morvantide Software");
    Label4 = Place(this, 191, 30, 150, "Morvantide Software");
    MainSiteL = Place(this, 11, 74, 66, LanguageSystem.getText("MAINSITE"));
    auto* site = new TLinkLabel(this);
    Label3 = site;
    Label3->SetParent(this);
    Label3->SetBounds(79, 73, 250, 16);
    Label3->SetCaption(LanguageSystem.getText("MainSiteUrl"));
    Label6 = Place(this, 11, 98, 66, "Email:");
    EmailL = new TLinkLabel(this);
    EmailL->SetParent(this);
    EmailL->SetBounds(79, 99, 250, 16);
    EmailL->SetCaption("support@morvantide.example");
    EmailL->OnClick = [this](TObject* s) { EmailLClick(s); };
    Button1 = new TButton(this);
    Button1->SetDefault(true);
    Button1->SetParent(this);
    Button1->SetCaption(LanguageSystem.getText("WORD_OK"));
    Button1->SetBounds(163, 130, 75, 25);
    Button1->OnClick = [this](TObject*) { ModalResult = mrOk; };
    Button1->OnKeyDown = [this](TObject*, WORD& key, TShiftState) {
        if (key == VK_ESCAPE || key == VK_RETURN) ModalResult = mrOk;
    };
    OpenLink = [](const std::string& target) {
        ShellExecuteA(nullptr, nullptr, target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    };
    OnActivate = [this](TObject*) { Button1->SetFocus(); };
}

void TAbout::CreateParams(TCreateParams& params) {
    TUvxForm::CreateParams(params);
    FixedDialogParams(params, 344, 194 - 30);
}

void TAbout::EmailLClick(TObject*) {
    if (OpenLink) OpenLink("mailto:" + EmailL->Caption());
}

TAbout::~TAbout() {
    if (About == this) About = nullptr;
}
