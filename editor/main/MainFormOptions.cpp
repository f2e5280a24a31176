// The options kept as check marks of menu items, the rule that enables the
// editing commands whenever a menu opens, the keys handed to the byte
// view's typing, and the switch between the language packs.
#include "editor/document/DataFile.h"
#include "editor/document/LanguageSystem.h"
#include "editor/main/BerichtBox.h"
#include "editor/main/DataScreen.h"
#include "editor/main/MainForm.h"
#include "editor/main/MenuState.h"

void TMainForm::BindOptionHandlers() {
    auto bind = [this](TMenuItem* item, void (TMainForm::*handler)(TObject*)) {
        item->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
    };
    bind(ReadOnly1, &TMainForm::ReadOnly1Click);
    bind(Lock, &TMainForm::LockClick);
    bind(InsertwhenTyping, &TMainForm::InsertwhenTypingClick);
    bind(DisableUndoRedo, &TMainForm::DisableUndoRedoClick);
    bind(N3Cursors1, &TMainForm::N3Cursors1Click);
    bind(Nextbytejump1, &TMainForm::Nextbytejump1Click);
    bind(Firstbyteisbyte1, &TMainForm::Firstbyteisbyte1Click);
    bind(English1, &TMainForm::English1Click);
    bind(Nederlands1, &TMainForm::Nederlands1Click);
    bind(Undo1, &TMainForm::Undo1Click);
    bind(Redo1, &TMainForm::Redo1Click);
    bind(Startoffile1, &TMainForm::Startoffile1Click);
    bind(Endoffile2, &TMainForm::Endoffile2Click);
}

void TMainForm::Startoffile1Click(TObject*) { GoToStartOfFile(); }
void TMainForm::Endoffile2Click(TObject*) { GoToEndOfFile(); }

void TMainForm::Undo1Click(TObject*) { UndoStep(); }
void TMainForm::Redo1Click(TObject*) { RedoStep(); }

// Every menu of the bar runs this as it opens: the digit being typed starts
// anew, a drag ends, Keep File Size shows the size, and the commands are
// enabled for the state now.
void TMainForm::File1Click(TObject*) {
    ResetDigitEntry();
    DrawByte(CursorOffset);
    MouseSelecting = 0;
    Lock->SetCaption(KeepFileSizeCaption(LanguageText("MenuKeep"), DataFile.size));
    UpdateMenuState();
}

void TMainForm::UpdateMenuState() {
    TMenuStateFacts facts;
    facts.CanUndo = DataFile.canUndo();
    facts.CanRedo = DataFile.canRedo();
    facts.AtEndWithoutSelection = CursorPosition() >= DataFile.size && !SelectionActive;
    facts.KeepFileSize = Lock->Checked();
    facts.ReadOnly = ReadOnly1->Checked();
    for (const TItemState& s : MenuEnabledStates(facts))
        if (auto* item = dynamic_cast<TMenuItem*>(FindComponent(s.Name))) item->SetEnabled(s.Enabled);
}

bool TMainForm::IsShortCut(WORD key, TShiftState shift) {
    if (FMenu && FMenu->Items()->FindShortCut(ShortCut(key, shift))) File1Click(this);
    return TUvxForm::IsShortCut(key, shift);
}

void TMainForm::ReadOnly1Click(TObject*) {
    ReadOnly1->SetChecked(!ReadOnly1->Checked());
    if (ReadOnly1->Checked() && Modified)
        BerichtBox1(LanguageText("FILEALREADYMODIF"), "Tessaly", LanguageText("WORD_OK"));
    if (ReadOnly1->Checked()) ReadOnlyRefusals = 0;
    DataFile.setReadOnly(ReadOnly1->Checked());
    UpdateMenuState();
}

// Keep File Size and Insert Mode exclude each other.
void TMainForm::LockClick(TObject*) {
    Lock->SetChecked(!Lock->Checked());
    if (Lock->Checked() && InsertwhenTyping->Checked()) {
        BerichtBox1(LanguageText("PROTECTEDMEANSINSOFF"), "Tessaly", LanguageText("WORD_OK"));
        InsertwhenTyping->SetChecked(false);
    }
    UpdateMenuState();
}

void TMainForm::InsertwhenTypingClick(TObject*) {
    InsertwhenTyping->SetChecked(!InsertwhenTyping->Checked());
    UpdateStatusBar();
}

void TMainForm::DisableUndoRedoClick(TObject*) {
    if (DisableUndoRedo->Checked()) {
        DisableUndoRedo->SetChecked(false);
        DataFile.enableUndo();
    } else {
        DisableUndoRedo->SetChecked(true);
        DataFile.disableUndo();
    }
    UpdateMenuState();
}

void TMainForm::N3Cursors1Click(TObject*) {}

void TMainForm::Nextbytejump1Click(TObject*) { Nextbytejump1->SetChecked(!Nextbytejump1->Checked()); }

void TMainForm::Firstbyteisbyte1Click(TObject*) {
    Firstbyteisbyte1->SetChecked(!Firstbyteisbyte1->Checked());
    FirstByteNumber = Firstbyteisbyte1->Checked() ? 1 : 0;
    RepaintAll();
}

// The pack is read over the table and every text of the window follows;
// the settings are written at once, so that the choice holds at the next
// start.
void TMainForm::SwitchLanguage(const std::string& code) {
    LanguageSystem.code = code;
    LanguageSystem.loadLanguage(code);
    applyLanguageTexts(this);
    SaveSettings();
}

void TMainForm::English1Click(TObject*) { SwitchLanguage("EN"); }
void TMainForm::Nederlands1Click(TObject*) { SwitchLanguage("NL"); }

void TMainForm::FormKeyDown(TObject*, WORD& key, TShiftState shift) {
    ViewKeyDown(key, (shift & ssShift) != 0, (shift & ssCtrl) != 0, (shift & ssAlt) != 0);
}

void TMainForm::FormKeyPress(TObject*, char& key) { ViewKeyPress(static_cast<uint8_t>(key)); }

TDataFile& TMainForm::Document() { return DataFile; }
bool TMainForm::ReadOnlyOn() { return ReadOnly1->Checked(); }
bool TMainForm::KeepSizeOn() { return Lock->Checked(); }
bool TMainForm::InsertModeOn() { return InsertwhenTyping->Checked(); }
bool TMainForm::MoveRightOn() { return Nextbytejump1->Checked(); }
std::string TMainForm::LanguageText(const char* key) { return LanguageSystem.getText(key); }

int TMainForm::ShowMessage1(const std::string& text, const std::string& button) {
    return BerichtBox1(text, "Tessaly", button);
}

int TMainForm::AskYesNo(const std::string& text) {
    return BerichtBox2(text, "Tessaly", LanguageText("YES_AMP"), LanguageText("NO_AMP"));
}

void TMainForm::MarkModified() { SetModified(1); }

void TMainForm::ResizeWindow(int width, int height) { SetBounds(Left(), Top(), width, height); }
