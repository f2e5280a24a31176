// The main window's commands that open the bit editor, the data types
// editor, the file information, about and colours windows, and the main
// window as those dialogs see it.
#include <memory>

#include "editor/dialogs/About.h"
#include "editor/dialogs/BinaryForm.h"
#include "editor/dialogs/DataTypesView.h"
#include "editor/dialogs/DialogWindow.h"
#include "editor/dialogs/FileInfoTexts.h"
#include "editor/dialogs/PrefForm.h"
#include "editor/dialogs/StatForm.h"
#include "editor/document/DataFile.h"
#include "editor/document/LanguageSystem.h"
#include "editor/main/BerichtBox.h"
#include "editor/main/MainForm.h"
#include "framework/StringGrid.h"

namespace {

class TMainFormDialogHost : public DialogHost {
public:
    explicit TMainFormDialogHost(TMainForm& form) : F(form) {}
    TDataFile& Document() override { return DataFile; }
    bool ReadOnly() const override { return F.ReadOnly1 && F.ReadOnly1->Checked(); }
    int FirstByteNumber() const override { return F.FirstByteNumber; }
    std::string Text(const char* key) const override { return LanguageSystem.getText(key); }
    void SetModified() override { F.SetModified(1); }
    void SelectRange(int32_t first, int32_t last) override {
        F.SelStart = first;
        F.SelEnd = last;
        F.SelAnchor = last;
    }
    void RepaintSelection() override { F.RepaintSelection(1); }
    void RepaintAll() override { F.RepaintAll(); }
    void GotoPosition(int32_t position) override { F.GotoPosition(position); }
    void Tell(const std::string& text, const std::string& button) override { BerichtBox1(text, "Tessaly", button); }
    bool Ask(const std::string& text, const std::string& caption, const std::string& first,
             const std::string& second) override {
        return BerichtBox2(text, caption, first, second) == 6;
    }

private:
    TMainForm& F;
};

}  // namespace

void TMainForm::BindDialogCommands() {
    // The latest main window is the one the dialogs work for.
    static std::unique_ptr<TMainFormDialogHost> host;
    host = std::make_unique<TMainFormDialogHost>(*this);
    DialogHostWindow = host.get();
    auto bind = [this](TMenuItem* item, void (TMainForm::*handler)(TObject*)) {
        if (item) item->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
    };
    bind(Binary, &TMainForm::BinaryClick);
    bind(DataTypes1, &TMainForm::DataTypes1Click);
    bind(FileStatistics1, &TMainForm::FileStatistics1Click);
    bind(About1, &TMainForm::About1Click);
    bind(Colors1, &TMainForm::Colors1Click);
}

// The range an editor shows is selected in the byte view while it is open.
bool TMainForm::OpenByteEditor(const std::function<int()>& show) {
    const int32_t position = CursorPosition();
    const int32_t size = DataFile.size;
    if (position >= size) {
        BerichtBox1(LanguageSystem.getText("NOBYTESTOSHOW1") + " " + std::to_string(int64_t(position) + FirstByteNumber) +
                        " " + LanguageSystem.getText("NOBYTESTOSHOW2") + " " + std::to_string(size) + " " +
                        LanguageSystem.getText("NOBYTESTOSHOW3") + ".",
                    "Tessaly", LanguageSystem.getText("WORD_OK"));
        return false;
    }
    const int32_t last = position + 15 < size - 1 ? position + 15 : size - 1;
    SelStart = position;
    SelEnd = last;
    SelAnchor = last;
    if (SelectionActive) {
        RepaintAll();
    } else {
        SelectionActive = 1;
        RepaintSelection(1);
    }
    show();
    SelectionActive = 0;
    RepaintSelection(1);
    return true;
}

void TMainForm::BinaryClick(TObject*) {
    if (!BinaryForm) BinaryForm = new TBinaryForm(this);
    BinaryForm->StringGridBinary->Options = ReadOnly1->Checked() ? 0 : goEditing;
    BinaryForm->State.FirstOffset = CursorPosition();
    OpenByteEditor([] { return BinaryForm->ShowModal(); });
}

void TMainForm::DataTypes1Click(TObject*) {
    if (!DataTypesView) DataTypesView = new TDataTypesView(this);
    for (TStringGrid* grid : {DataTypesView->StringGrid1, DataTypesView->StringGrid2, DataTypesView->StringGrid3,
                              DataTypesView->StringGrid4, DataTypesView->StringGrid5})
        grid->Options = ReadOnly1->Checked() ? 0 : goEditing;
    DataTypesView->State.Offset = CursorPosition();
    OpenByteEditor([] { return DataTypesView->ShowModal(); });
}

void TMainForm::FileStatistics1Click(TObject*) {
    if (!StatForm) StatForm = new TStatForm(this);
    StatForm->Fill(FileName, MakeFileInfoTexts(DataFile.size, SelectionActive != 0, SelStart, SelEnd, FirstByteNumber,
                                               LanguageSystem.getText("FROM"), LanguageSystem.getText("TO")));
    StatForm->ShowModal();
}

void TMainForm::About1Click(TObject*) {
    if (!About) About = new TAbout(this);
    About->ShowModal();
}

namespace {
TSwatchColors ToSwatches(const TViewColors& c) {
    return {c.Background, c.Selection, c.SelectedText, c.Data1, c.Data2, c.Cursor};
}
TViewColors FromSwatches(const TSwatchColors& s) {
    TViewColors c;
    c.Background = s[0];
    c.Selection = s[1];
    c.SelectedText = s[2];
    c.Data1 = s[3];
    c.Data2 = s[4];
    c.Cursor = s[5];
    return c;
}
}  // namespace

// The colours dialog previews on the byte view; Cancel puts the old colours back.
void TMainForm::Colors1Click(TObject*) {
    if (!PrefForm) PrefForm = new TPrefForm(this);
    SavedColors = Colors;
    PrefForm->GetTarget = [this] { return ToSwatches(Colors); };
    PrefForm->SetTarget = [this](const TSwatchColors& s) {
        Colors = FromSwatches(s);
        RedrawScreen();
    };
    PrefForm->SetSwatches(ToSwatches(Colors));
    if (PrefForm->ShowModal() == mrOk)
        Colors = FromSwatches(PrefForm->Swatches());
    else
        Colors = SavedColors;
    RedrawScreen();
}
