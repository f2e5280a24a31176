#pragma once
// What the search and replace windows share in taking input: in their data
// lines Enter presses the window's main button and Escape closes it (their
// characters make no beep), the help key asks for the window's page of the
// manual; Escape closes from every other control; a line's changes are
// reported to the window; and a new showing prepares a new run once the
// window is active.
#include <vector>

#include "editor/unicode/UvxForms.h"

class TButton;
class TEdit;

class TSearchWindowForm : public TUvxForm {
public:
    // The help key asks for this window's page of the manual.
    int HelpContext;

    // Selects the whole data line, as before the window shows.
    void SelectAllData();
    void DataEditKeyDown(TObject* sender, WORD& key, TShiftState shift);
    void DataEditKeyPress(TObject* sender, char& key);
    void CloseButtonClick(TObject* sender);
    // A new showing has become active.
    virtual void FormActivate(TObject*) {}
    // The text of a data line has changed.
    virtual void DataEditChange(TObject*) {}

    TEdit* DataEdit = nullptr;
    TButton* CloseButton = nullptr;

protected:
    TSearchWindowForm(TComponent* owner, int helpContext);
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // What Enter in a data line presses.
    virtual void DataEnter() {}
    // The line takes the data lines' keys and reports its changes.
    void TakeDataLine(TEdit* line);
    void EscapeCloses(TWinControl* control);

private:
    std::vector<TEdit*> FDataLines;
    bool FActivationPending = false;
};
