// The bit editor's window: two grids, the range label and the Close button;
// the rows and the write-back rule are BinaryEditState's.
#include "editor/dialogs/BinaryForm.h"

#include "editor/dialogs/DialogWindow.h"
#include "editor/document/LanguageSystem.h"
#include "editor/main/Win32Clipboard.h"
#include "framework/Buttons.h"
#include "framework/StdCtrls.h"
#include "framework/StringGrid.h"

TBinaryForm* BinaryForm = nullptr;

namespace {
std::string Text(const char* key) { return LanguageSystem.getText(key); }
}  // namespace

TBinaryForm::TBinaryForm(TComponent* owner) : TUvxForm(owner) {
    SetCaption(Text("BINARYEDITOR"));
    StringGrid1 = new TStringGrid(this);
    StringGrid1->SetParent(this);
    StringGrid1->SetSize(3, 17);
    StringGrid1->DefaultColWidth = 38;
    StringGrid1->DefaultRowHeight = 23;
    StringGrid1->Options = 0;
    // Sixteen rows show; the seventeenth, below them, parks the current cell
    // out of sight.
    StringGrid1->SetBounds(16, 30, 3 * 39 + 4, 16 * 24 + 4);
    StringGrid1->SetEnabled(false);
    StringGrid1->OnDrawCell = [this](TObject* s, int c, int r, HDC dc, const RECT& rect, bool sel, bool foc) {
        DrawInfoCell(s, c, r, dc, rect, sel, foc);
    };
    StringGrid1->OnClick = [this](TObject* s) { StringGrid1Click(s); };
    StringGridBinary = new TStringGrid(this);
    StringGridBinary->SetParent(this);
    StringGridBinary->SetSize(1, 16);
    StringGridBinary->DefaultColWidth = 66;
    StringGridBinary->DefaultRowHeight = 23;
    StringGridBinary->SetBounds(150, 30, 67 + 4, 16 * 24 + 4);
    StringGridBinary->OnClick = [this](TObject* s) { StringGridBinaryClick(s); };
    StringGridBinary->OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) {
        FormKeyDown(s, k, sh);
        if (k) StringGridBinaryKeyDown(s, k, sh);
    };
    Label1 = new TLabel(this);
    Label1->Alignment = taRightJustify;
    Label1->SetParent(this);
    Label1->SetBounds(8, 8, 252, 16);
    CloseButton = new TSpeedButton(this);
    CloseButton->SetParent(this);
    CloseButton->SetCaption(Text("CLOSE"));
    CloseButton->SetBounds(88, 428, 92, 28);
    CloseButton->OnClick = [this](TObject* s) { CloseButtonClick(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TBinaryForm::CreateParams(TCreateParams& params) {
    TUvxForm::CreateParams(params);
    FixedDialogParams(params, 268, 466);
}

void TBinaryForm::FormActivate(TObject*) {
    StringGridBinary->SetEditorMode(false);
    State.CurrentRow = 0;
    StringGridBinary->SetCurrent(0, 0);
    StringGrid1->SetCurrent(0, 0);
    Refresh();
    StringGridBinary->SetFocus();
}

void TBinaryForm::Refresh() {
    if (!DialogHostWindow) return;
    State.Refresh(*DialogHostWindow);
    Label1->SetCaption(State.Label);
    for (int r = 0; r < 16; ++r) {
        StringGrid1->SetCell(0, r, State.Rows[r].character);
        StringGrid1->SetCell(1, r, State.Rows[r].decimal);
        StringGrid1->SetCell(2, r, State.Rows[r].hexadecimal);
        StringGridBinary->SetCell(0, r, State.Rows[r].binary);
    }
    Invalidate();
}

void TBinaryForm::StringGrid1Click(TObject*) {
    StringGrid1->SetCurrent(0, 16);
    StringGridBinary->SetFocus();
}

void TBinaryForm::DrawInfoCell(TObject*, int col, int row, HDC dc, const RECT& rect, bool, bool) {
    FillRect(dc, &rect, GetSysColorBrush(COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const std::string& s = StringGrid1->Cell(col, row);
    RECT t = rect;
    t.top += 3;
    if (col != 0) t.right -= 9;
    DrawTextA(dc, s.c_str(), static_cast<int>(s.size()), &t,
              DT_SINGLELINE | DT_NOPREFIX | (col == 0 ? DT_CENTER : DT_RIGHT));
}

int TBinaryForm::Apply(const std::string& text) {
    const int result = State.ApplyRow(*DialogHostWindow, text);
    if (result == BinaryEditState::Applied) Refresh();
    return result;
}

void TBinaryForm::TellRefusal(int result) {
    if (result == BinaryEditState::NotBinary || result == BinaryEditState::PastEnd) {
        const int row = State.CurrentRow;
        StringGridBinary->SetCell(0, row, State.RowTexts[row]);
        DialogHostWindow->Tell(Text(result == BinaryEditState::NotBinary ? "NOTVALIDBINARY" : "USEMAINTOADD"),
                               Text("CLOSE"));
    }
}

void TBinaryForm::StringGridBinaryClick(TObject*) {
    if (!DialogHostWindow) return;
    if (!DialogHostWindow->ReadOnly())
        TellRefusal(Apply(StringGridBinary->Cell(0, State.CurrentRow)));
    State.CurrentRow = StringGridBinary->Row();
}

void TBinaryForm::StringGridBinaryKeyDown(TObject*, WORD& key, TShiftState shift) {
    if (!DialogHostWindow) return;
    DialogHost& host = *DialogHostWindow;
    std::string text = StringGridBinary->Cell(0, StringGridBinary->Row());
    if (StringGridBinary->EditorMode()) {
        char buffer[64] = {};
        GetWindowTextA(StringGridBinary->EditorHandle(), buffer, sizeof buffer);
        text = buffer;
    }
    const bool ctrl = shift & ssCtrl, shiftKey = shift & ssShift;
    const bool copy = (ctrl && key == 'C') || (ctrl && key == VK_INSERT);
    const bool paste = (ctrl && key == 'V') || (shiftKey && key == VK_INSERT);
    if (copy) TWin32Clipboard(Handle()).Put(StringGridBinary->Cell(0, StringGridBinary->Row()), nullptr);
    if (host.ReadOnly()) {
        if (paste)
            host.Tell(Text("TURNOFFREADONLYPASTE"), Text("CLOSE"));
        else if (!ctrl && (key == '0' || key == '1' || key == VK_NUMPAD0 || key == VK_NUMPAD1))
            host.Tell(Text("TURNOFFREADONLY"), Text("CLOSE"));
    } else if (paste) {
        std::string clip;
        TWin32Clipboard(Handle()).Get(CF_TEXT, clip);
        StringGridBinary->SetEditorMode(false);
        State.CurrentRow = StringGridBinary->Row();
        StringGridBinary->SetCell(0, State.CurrentRow, clip);
        TellRefusal(Apply(clip));
        key = 0;
    } else if (StringGridBinary->EditorMode() && (key == VK_RETURN || key == VK_UP || key == VK_DOWN)) {
        State.CurrentRow = StringGridBinary->Row();
        StringGridBinary->SetCell(0, State.CurrentRow, text);
        const int result = Apply(text);
        if (result < 0) {
            // The refused text goes; the grid keeps the row's last valid text.
            StringGridBinary->SetEditorMode(false);
            TellRefusal(result);
            key = 0;
        }
    }
    State.CurrentRow = StringGridBinary->Row();
}

// Escape closes as the Close button does; the help key asks for the bit
// editor's page of the manual.
void TBinaryForm::FormKeyDown(TObject* sender, WORD& key, TShiftState) {
    if (key == VK_ESCAPE) {
        key = 0;
        CloseButtonClick(sender);
    } else {
        HelpKey(key, HelpContext);
    }
}

void TBinaryForm::CloseButtonClick(TObject*) {
    if (DialogHostWindow && !DialogHostWindow->ReadOnly() && StringGridBinary->EditorMode()) {
        DialogHost& host = *DialogHostWindow;
        StringGridBinary->SetEditorMode(false);
        State.CurrentRow = StringGridBinary->Row();
        const int result = Apply(StringGridBinary->Cell(0, State.CurrentRow));
        if (result == BinaryEditState::Applied) {
            host.Tell(Text("CHANGEAPPLIED"), Text("WORD_OK"));
        } else if (result < 0) {
            StringGridBinary->SetCell(0, State.CurrentRow, State.RowTexts[State.CurrentRow]);
            const std::string text =
                Text(result == BinaryEditState::PastEnd ? "NOTDONEFILESIZE" : "NOTDONEINVALIDNUMBER") + " " +
                Text("CLOSEWINDOW");
            if (!host.Ask(text, "Tessaly", Text("YES_AMP"), Text("NO_AMP"))) return;
        }
    }
    ModalResult = mrCancel;
}

TBinaryForm::~TBinaryForm() {
    if (BinaryForm == this) BinaryForm = nullptr;
}
