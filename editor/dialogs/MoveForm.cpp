#include "editor/dialogs/MoveForm.h"

#include "editor/document/LanguageSystem.h"
#include "framework/ButtonCtrls.h"

TMoveForm* MoveForm = nullptr;

TMoveForm::TMoveForm(TComponent* owner) : TGetGetalForm(owner) {
    FClientHeight = 141;
    HelpContext = 3;
    KeepSelection = new TCheckBox(this);
    KeepSelection->SetParent(this);
    KeepSelection->SetBounds(8, 72, 409, 17);
    KeepSelection->SetCaption(LanguageSystem.getText("KEEPSELECTION"));
    PreviewKeysOf(KeepSelection);
    // The check box speaks the language of the moment, as the buttons do.
    OnActivate = [this](TObject* s) {
        KeepSelection->SetCaption(LanguageSystem.getText("KEEPSELECTION"));
        FormActivate(s);
    };
    PlaceLowerPart(91, 104);
}

TMoveForm::~TMoveForm() {
    if (MoveForm == this) MoveForm = nullptr;
}
