// The main window's components as its layout gives them: the menu bar with
// every item, the status bar with its five panels and pop-up menu, the
// header whose sections size the views, and the byte view; and the texts
// the language table gives them.
#include <map>

#include "editor/document/LanguageSystem.h"
#include "editor/main/DataScreen.h"
#include "editor/main/MainForm.h"
#include "editor/main/MainMenuLayout.h"
#include "framework/HeaderControl.h"
#include "framework/StatusBar.h"
#include "framework/WinText.h"

namespace {
using ItemField = TMenuItem* TMainForm::*;

const std::map<std::string, ItemField>& ItemFields() {
    static const std::map<std::string, ItemField> fields = {
#define TQ_ITEM_FIELD(name) {#name, &TMainForm::name},
        TQ_MAIN_MENU_ITEMS(TQ_ITEM_FIELD)
#undef TQ_ITEM_FIELD
        {"CopyPosDeci", &TMainForm::CopyPosDeci},
        {"CopyPosHexa", &TMainForm::CopyPosHexa},
    };
    return fields;
}

// Builds one menu's items from its layout table under root.
void BuildMenu(TMainForm* form, TMenu* menu, const std::vector<TMenuLayoutEntry>& layout) {
    std::map<std::string, TMenuItem*> byName;
    for (const TMenuLayoutEntry& e : layout) {
        TMenuItem* item = menu->CreateMenuItem(form);
        item->SetName(e.Name);
        item->SetCaption(e.Caption);
        if (*e.ShortCut) item->SetShortCut(TextToShortCut(e.ShortCut));
        item->SetChecked(e.Checked);
        item->SetVisible(e.Visible);
        item->HelpContext = e.HelpContext;
        TMenuItem* parent = *e.Parent ? byName.at(e.Parent) : menu->Items();
        parent->Add(item);
        if (*e.Name) {
            byName[e.Name] = item;
            form->*ItemFields().at(e.Name) = item;
        }
    }
}

// Menu texts are wide: the 8-bit text in the system code page.
void SetItemTexts(TMainForm* form, const std::vector<TMenuLayoutEntry>& layout) {
    for (const TMenuLayoutEntry& e : layout) {
        if (!*e.Name || (!*e.CaptionKey && !*e.HintKey)) continue;
        auto* item = static_cast<TUvxMenuItem*>(form->*ItemFields().at(e.Name));
        if (*e.CaptionKey) item->SetCaption(AnsiToWide(LanguageSystem.getText(e.CaptionKey)));
        if (*e.HintKey) item->SetHint(AnsiToWide(LanguageSystem.getText(e.HintKey)));
    }
}
}  // namespace

void TMainForm::CreateLayout() {
    MainMenu = new TUvxMainMenu(this);
    MainMenu->SetName("MainMenu");
    BuildMenu(this, MainMenu, MainMenuLayout());
    StatusbarPopup = new TUvxPopupMenu(this);
    StatusbarPopup->SetName("StatusbarPopup");
    BuildMenu(this, StatusbarPopup, StatusbarPopupLayout());

    StatusBar = new TStatusBar(this);
    StatusBar->SetName("StatusBar");
    StatusBar->SetParent(this);
    StatusBar->AddPanel(45, taCenter);
    StatusBar->AddPanel(95, taRightJustify);
    StatusBar->AddPanel(95, taRightJustify);
    StatusBar->AddPanel(30, taLeftJustify);
    StatusBar->AddPanel(330, taLeftJustify);
    StatusBar->SetPanelText(0, "position");
    StatusBar->PopupMenu = StatusbarPopup;

    Sizer = new THeaderControl(this);
    Sizer->SetName("Sizer");
    Sizer->SetParent(this);
    Sizer->AddSection("Text", 275);
    Sizer->AddSection("Decimal", 450);
    Sizer->AddSection("Hexadecimal", 75);
    SetMenu(MainMenu);
}

void applyLanguageTexts(TMainForm* form) {
    auto text = [](const char* key) { return LanguageSystem.getText(key); };
    SetItemTexts(form, MainMenuLayout());
    form->Sizer->SetSectionText(0, text("SIZERTEXT"));
    form->Sizer->SetSectionText(1, text("SIZERDECIMAL"));
    form->Sizer->SetSectionText(2, text("SIZERHEXADECIMAL"));
    form->StatusBar->SetPanelText(0, text("POSITION"));
    form->FitPositionPanel();
    form->StatusBar->Hint = text("StatusBarHint");
    SetItemTexts(form, StatusbarPopupLayout());
}

// Places the header along the top, the status bar along the bottom and the
// byte view in between.
void TMainForm::ArrangeControls() {
    if (!StatusBar || !Sizer || !ByteView) return;
    RECT client;
    GetClientRect(Handle(), &client);
    int statusHeight = StatusBar->AlignToParent();
    int headerHeight = Sizer->PreferredHeight();
    Sizer->SetBounds(0, 0, client.right, headerHeight);
    int viewHeight = client.bottom - headerHeight - statusHeight;
    ByteView->SetBounds(0, headerHeight, client.right, viewHeight < 0 ? 0 : viewHeight);
}
