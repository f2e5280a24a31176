#pragma once
// The bit editor: up to sixteen bytes from the cursor, one row each, as
// character, decimal and hexadecimal value and as eight binary digits that
// the user edits in place.
#include "editor/dialogs/BinaryEditState.h"
#include "editor/unicode/UvxForms.h"

class TLabel;
class TSpeedButton;
class TStringGrid;

class TBinaryForm : public TUvxForm {
public:
    explicit TBinaryForm(TComponent* owner);
    ~TBinaryForm() override;
    std::string ClassName() const override { return "TBinaryForm"; }

    void FormActivate(TObject* sender);
    void StringGrid1Click(TObject* sender);
    void StringGridBinaryClick(TObject* sender);
    void StringGridBinaryKeyDown(TObject* sender, WORD& key, TShiftState shift);
    void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);
    void CloseButtonClick(TObject* sender);
    void Refresh();

    TStringGrid* StringGrid1 = nullptr;
    TStringGrid* StringGridBinary = nullptr;
    TLabel* Label1 = nullptr;
    TSpeedButton* CloseButton = nullptr;
    BinaryEditState State;  // FirstOffset is set by the caller
    int HelpContext = 404;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    // Applies a row's text and shows the rows again when it was written.
    int Apply(const std::string& text);
    // Shows the message of a refused row and puts the row's text back.
    void TellRefusal(int result);
    void DrawInfoCell(TObject* sender, int col, int row, HDC dc, const RECT& rect, bool selected, bool focused);
};

extern TBinaryForm* BinaryForm;
