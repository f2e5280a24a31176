#pragma once
// The search window: the pattern as text, decimal or hexadecimal numbers,
// the direction, "selection only", Search and Count. It stays open over any
// number of searches; each press continues the run where the last stopped.
// The main window ties it to its document and search routines before it
// shows it, and its Find Next uses the window's data with the window hidden.
#include <cstdint>
#include <functional>
#include <memory>

#include "editor/dialogs/SearchWindowForm.h"

class EditorView;
class TBevel;
class TButton;
class TCheckBox;
class TDataFile;
class TEdit;
class TFindReplace;
class TLabel;
class TRadioGroup;
class TSearchWindowLogic;
struct TSearchState;

class TZoekForm : public TSearchWindowForm {
public:
    explicit TZoekForm(TComponent* owner);
    ~TZoekForm() override;
    std::string ClassName() const override { return "TZoekForm"; }

    // Called as (pattern, length, forward); true when a hit was found and
    // shown. NoSearchFunction until the main window sets its own.
    using TSearchFunction = std::function<bool(const uint8_t* pattern, int32_t length, bool forward)>;
    TSearchFunction SearchFunction;
    bool NoSearchFunction(const uint8_t* pattern, int32_t length, bool forward);

    // Ties the window to the main window's document, view, search state and
    // routines; the window keeps them until it is tied again.
    void Bind(TDataFile& document, EditorView& view, TSearchState& state, TFindReplace& finder);
    // Lets go of them (before they end).
    void Unbind();
    // 0 or 1: how the selection box counts the bytes.
    int FirstByteNumber = 0;
    // The main window's Find Next with this window's data, the window hidden.
    void FindNext();

    void FormActivate(TObject* sender) override;
    void SearchButtonClick(TObject* sender);
    void Count1Click(TObject* sender);
    void DataEditChange(TObject* sender) override;
    void DataKindClick(TObject* sender);
    void SearchDirectionClick(TObject* sender);
    void SelectionCheckBoxClick(TObject* sender);

    TLabel* Label1 = nullptr;
    TBevel* Bevel1 = nullptr;
    TBevel* Bevel2 = nullptr;
    TBevel* Bevel3 = nullptr;
    TRadioGroup* DataKind = nullptr;
    TButton* SearchButton = nullptr;
    TRadioGroup* SearchDirection = nullptr;
    TButton* Count1 = nullptr;
    TCheckBox* SelectionCheckBox = nullptr;
    TLabel* TextExample = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TBevel* Bevel4 = nullptr;

protected:
    void CreateParams(TCreateParams& params) override;
    // Enter in the pattern searches.
    void DataEnter() override;

private:
    // The captions from the language table (at creation and each showing).
    void ApplyTexts();
    void RunSearch(bool count);

    std::unique_ptr<TSearchWindowLogic> FLogic;
    TSearchState* FState = nullptr;
    TFindReplace* FFinder = nullptr;
    bool FSettingControls = false;
};

extern TZoekForm* ZoekForm;
