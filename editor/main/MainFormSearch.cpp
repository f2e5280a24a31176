// The main window's search commands: Search for..., Replace... and Find
// Next (F3), and the search routines the two windows call back.
#include "editor/main/MainFormSearch.h"

#include "editor/dialogs/FindReplace.h"
#include "editor/dialogs/ReplaceForm.h"
#include "editor/dialogs/ZoekForm.h"
#include "editor/document/DataFile.h"
#include "editor/main/MainForm.h"
#include "editor/main/MainFormEditorView.h"

TSearchState SearchState;

namespace {
// The routines of the latest main window. They are let go only when a new
// main window takes their place, never at the program's end, so that the
// windows that call them may end in any order.
struct SearchRoutines {
    explicit SearchRoutines(TMainForm& form) : View(form), Finder(DataFile, View, SearchState) {}
    TMainFormEditorView View;
    TFindReplace Finder;
};
SearchRoutines* Routines = nullptr;
}  // namespace

void TMainForm::BindSearchCommands() {
    if (ZoekForm) ZoekForm->Unbind();
    if (ReplaceForm) ReplaceForm->Unbind();
    delete Routines;
    SearchState = TSearchState();
    Routines = new SearchRoutines(*this);
    auto bind = [this](TMenuItem* item, void (TMainForm::*handler)(TObject*)) {
        if (item) item->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
    };
    bind(Searchfor1, &TMainForm::Searchfor1Click);
    bind(Replace1, &TMainForm::Replace1Click);
    bind(FindNext, &TMainForm::FindNextClick);
}

namespace {
void TieSearchWindow(TMainForm& form) {
    if (!ZoekForm) ZoekForm = new TZoekForm(&form);
    ZoekForm->Bind(DataFile, Routines->View, SearchState, Routines->Finder);
    ZoekForm->SearchFunction = [](const uint8_t* pattern, int32_t length, bool forward) {
        return Routines->Finder.FindData(pattern, length, forward);
    };
    ZoekForm->FirstByteNumber = form.FirstByteNumber;
}
}  // namespace

void TMainForm::Searchfor1Click(TObject*) {
    TieSearchWindow(*this);
    ZoekForm->SelectAllData();
    ZoekForm->ShowModal();
}

void TMainForm::Replace1Click(TObject*) {
    if (!ReplaceForm) ReplaceForm = new TReplaceForm(this);
    ReplaceForm->Bind(DataFile, Routines->View, SearchState, Routines->Finder);
    ReplaceForm->ReplaceFunction = [](const uint8_t* search, int32_t length, bool all, int32_t replaceLength,
                                      const uint8_t* replacement, int) {
        return Routines->Finder.ReplaceData(search, length, all, replacement, replaceLength);
    };
    ReplaceForm->SelectAllData();
    ReplaceForm->ShowModal();
}

// Searches again with the search window's data, the window hidden.
void TMainForm::FindNextClick(TObject*) {
    TieSearchWindow(*this);
    ZoekForm->FindNext();
}
