#include "editor/dialogs/SearchWindowForm.h"

#include <algorithm>

#include "editor/dialogs/DialogWindow.h"
#include "framework/Application.h"
#include "framework/StdCtrls.h"

TSearchWindowForm::TSearchWindowForm(TComponent* owner, int helpContext) : TUvxForm(owner), HelpContext(helpContext) {}

void TSearchWindowForm::SelectAllData() { SendMessageA(DataEdit->Handle(), EM_SETSEL, 0, -1); }

void TSearchWindowForm::DataEditKeyDown(TObject*, WORD& key, TShiftState) {
    if (key == VK_RETURN) {
        key = 0;
        DataEnter();
    } else if (key == VK_ESCAPE) {
        key = 0;
        CloseButtonClick(CloseButton);
    } else if (key == VK_F1) {
        key = 0;
        Application->HelpContext(HelpContext);
    }
}

void TSearchWindowForm::DataEditKeyPress(TObject*, char& key) {
    if (key == '\r' || key == 27) key = 0;
}

void TSearchWindowForm::CloseButtonClick(TObject*) { ModalResult = mrCancel; }

void TSearchWindowForm::TakeDataLine(TEdit* line) {
    FDataLines.push_back(line);
    line->OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) { DataEditKeyDown(s, k, sh); };
    line->OnKeyPress = [this](TObject* s, char& k) { DataEditKeyPress(s, k); };
}

void TSearchWindowForm::EscapeCloses(TWinControl* control) {
    DialogKeysOn(control, [this] { CloseButtonClick(CloseButton); }, HelpContext);
}

// The data lines' changes are the window's own; the other controls' reports
// go back to them through the form.
LRESULT TSearchWindowForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND: {
            const HWND from = reinterpret_cast<HWND>(lParam);
            const bool line = from && std::any_of(FDataLines.begin(), FDataLines.end(), [from](TEdit* e) {
                                  return e->HandleAllocated() && e->Handle() == from;
                              });
            if (line) {
                if (HIWORD(wParam) == EN_CHANGE) DataEditChange(TWinControl::FromHandle(from));
                return 0;
            }
            break;
        }
        case WM_SHOWWINDOW:
            if (wParam) FActivationPending = true;
            break;
        case WM_ACTIVATE: {
            const LRESULT r = TUvxForm::WndProc(msg, wParam, lParam);
            if (LOWORD(wParam) != WA_INACTIVE && FActivationPending) {
                FActivationPending = false;
                FormActivate(this);
            }
            return r;
        }
    }
    return TUvxForm::WndProc(msg, wParam, lParam);
}
