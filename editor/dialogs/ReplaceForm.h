#pragma once
// The replace window: what to find and what to put in its place, each as
// text, decimal or hexadecimal numbers; Search Next, Replace (the selected
// hit, then the next one selected) and Replace All as one undo step, with
// the counts of hits and replacements. The main window ties it to its
// document and routines before it shows it.
#include <cstdint>
#include <functional>
#include <memory>

#include "editor/dialogs/SearchWindowLogic.h"
#include "editor/dialogs/SearchWindowForm.h"

class EditorView;
class TBevel;
class TButton;
class TCheckBox;
class TComboBox;
class TDataFile;
class TEdit;
class TFindReplace;
class TLabel;
class TProgressBar;

class TReplaceForm : public TSearchWindowForm, public ReplaceWindowControls {
public:
    explicit TReplaceForm(TComponent* owner);
    ~TReplaceForm() override;
    std::string ClassName() const override { return "TReplaceForm"; }

    // Called as (search bytes, length, all flag, replace length, replace
    // bytes, 1); true when a hit was found (and replaced or selected).
    // NoReplaceFunction until the main window sets its own.
    using TReplaceFunction = std::function<bool(const uint8_t* search, int32_t length, bool all, int32_t replaceLength,
                                                const uint8_t* replacement, int unused)>;
    TReplaceFunction ReplaceFunction;
    bool NoReplaceFunction(const uint8_t*, int32_t, bool, int32_t, const uint8_t*, int);

    // Ties the window to the main window's document, view, search state and
    // routines; the window keeps them until it is tied again.
    void Bind(TDataFile& document, EditorView& view, TSearchState& state, TFindReplace& finder);
    // Lets go of them (before they end).
    void Unbind();

    void FormActivate(TObject* sender) override;
    void SearchButtonClick(TObject* sender);
    void ReplaceClick(TObject* sender);
    void ReplaceAllButtonClick(TObject* sender);
    void DataEditChange(TObject* sender) override;
    void DataKindChange(TObject* sender);
    void ReplaceKindChange(TObject* sender);
    void SelectionCheckBoxClick(TObject* sender);

    // ReplaceWindowControls.
    bool Visible() const override;
    void SetFoundText(const std::string& text) override;
    void SetReplacedText(const std::string& text) override;
    void SetReplaceAllCaption(const std::string& caption) override;
    void ShowEndReached(bool shown) override;
    void ShowProgress(int percent) override;

    TLabel* Label1 = nullptr;
    TBevel* Bevel1 = nullptr;
    TBevel* Bevel2 = nullptr;
    TBevel* Bevel3 = nullptr;
    TButton* SearchButton = nullptr;
    TEdit* ReplaceEdit = nullptr;
    TComboBox* DataKind = nullptr;
    TComboBox* ReplaceKind = nullptr;
    TBevel* Bevel4 = nullptr;
    TLabel* Label2 = nullptr;
    TButton* ReplaceAllButton = nullptr;
    TButton* Replace = nullptr;
    TLabel* FoundLabel = nullptr;
    TLabel* ReplaceLabel = nullptr;
    TLabel* ReachEndMessage = nullptr;
    TCheckBox* SelectionCheckBox = nullptr;
    TProgressBar* voortgang = nullptr;

protected:
    void CreateParams(TCreateParams& params) override;
    // Enter in either data line replaces.
    void DataEnter() override;

private:
    // The captions from the language table (at creation and each showing).
    void ApplyTexts();
    TReplaceWindowLogic::Input ReadInput();
    // A press of one of the three buttons, once the logic has run.
    void AfterPress();

    std::unique_ptr<TReplaceWindowLogic> FLogic;
    TSearchState* FState = nullptr;
    TFindReplace* FFinder = nullptr;
    bool FSettingControls = false;
};

extern TReplaceForm* ReplaceForm;
