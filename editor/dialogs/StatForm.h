#pragma once
// The file information window: the file name, the size, and the size and
// bounds of the selection, as the main window fills them.
#include <string>

#include "editor/dialogs/FileInfoTexts.h"
#include "editor/unicode/UvxForms.h"

class TButton;
class TEdit;
class TLabel;
class TPanel;
class TUvxLabel;

class TStatForm : public TUvxForm {
public:
    explicit TStatForm(TComponent* owner);
    ~TStatForm() override;
    std::string ClassName() const override { return "TStatForm"; }
    // Puts the file name and the texts into the window.
    void Fill(const std::u16string& fileName, const FileInfoTexts& texts);
    void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);
    std::u16string FileLabelText();

    TLabel* SizeLabel = nullptr;
    TEdit* ByteLabel = nullptr;
    TButton* OkButton = nullptr;
    TPanel* Panel1 = nullptr;
    TUvxLabel* FileLabel = nullptr;  // the wide file name
    TLabel* Label1 = nullptr;
    TEdit* SelectionLabel = nullptr;
    TEdit* SelectionLabel2 = nullptr;
    TLabel* ByteLbl1 = nullptr;
    TLabel* ByteLbl2 = nullptr;

protected:
    void CreateParams(TCreateParams& params) override;
};

extern TStatForm* StatForm;
