// The data types editor's window: four grids of cells over the same sixteen
// bytes, the range label, the row titles, the two scroll buttons and Close.
// The cell texts, the write-back rule and the steps are DataTypesState's;
// this file moves them between the grids, the keys and the messages.
#include "editor/dialogs/DataTypesView.h"

#include "editor/dialogs/DialogWindow.h"
#include "editor/document/LanguageSystem.h"
#include "editor/main/Win32Clipboard.h"
#include "framework/Bevel.h"
#include "framework/Buttons.h"
#include "framework/StdCtrls.h"
#include "framework/StringGrid.h"

TDataTypesView* DataTypesView = nullptr;

namespace {
std::string Text(const char* key) { return LanguageSystem.getText(key); }

// Top edge and column width of StringGrid1 .. StringGrid5; all are 624
// pixels wide at left 106, their rows 23 pixels high plus the grid line.
struct GridPlace {
    int top, columnWidth, columns, rows;
};
constexpr GridPlace kGridPlaces[5] = {
    {30, 38, 16, 3}, {102, 77, 8, 2}, {150, 155, 4, 3}, {222, 311, 2, 1}, {246, 389, 2, 1}};

// Only the first title follows the language; the others are the layout's own.
const char* const kRowTitles[10] = {"Hexadecimal",    "Unsigned 8 bits", "Signed 8 bits", "Unsigned 16 bits",
                                    "Signed 16 bits", "Unsigned 32 bits", "Signed 32 bits", "Float 32 bits",
                                    "Float 64 bits",  "Float 80 bits"};

HFONT ArialFont(int height) {
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
}

// The text in the grid's open cell editor.
std::string EditorText(TStringGrid* grid) {
    HWND edit = grid->EditorHandle();
    const int n = GetWindowTextLengthA(edit);
    std::string text(static_cast<size_t>(n) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(edit, text.data(), n + 1)));
    return text;
}
}  // namespace

TDataTypesView::TDataTypesView(TComponent* owner) : TUvxForm(owner) {
    SetCaption(Text("DATATYPESEDITOR"));
    CellFont = ArialFont(14);
    LabelFont = ArialFont(-11);
    TStringGrid** grids[5] = {&StringGrid1, &StringGrid2, &StringGrid3, &StringGrid4, &StringGrid5};
    for (int i = 0; i < 5; ++i) {
        const GridPlace& place = kGridPlaces[i];
        auto* g = new TStringGrid(this);
        *grids[i] = g;
        g->SetParent(this);
        g->SetSize(place.columns, place.rows);
        g->DefaultColWidth = place.columnWidth;
        g->DefaultRowHeight = 23;
        g->Border = false;
        g->Font = CellFont;
        g->SetBounds(106, place.top, 624, place.rows * 24);
        g->OnDrawCell = [this](TObject* s, int c, int r, HDC dc, const RECT& rect, bool sel, bool foc) {
            StringGridDrawCell(s, c, r, dc, rect, sel, foc);
        };
        g->OnClick = [this](TObject* s) { StringGrid1Click(s); };
        g->OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) { StringGrid1KeyDown(s, k, sh); };
        if (i == 4) g->SetVisible(false);
    }
    Range = new TLabel(this);
    Range->SetParent(this);
    Range->SetBounds(112, 8, 600, 16);
    for (int i = 0; i < 10; ++i) {
        Labels[i] = new TLabel(this);
        Labels[i]->SetParent(this);
        Labels[i]->SetBounds(8, 35 + 24 * i, 96, 16);
        Labels[i]->SetCaption(i == 0 ? Text("HEXADECIMAL") : kRowTitles[i]);
    }
    Labels[9]->SetVisible(false);
    Bevel1 = new TBevel(this);
    Bevel1->Shape = bsFrame;
    Bevel1->SetParent(this);
    Bevel1->SetBounds(105, 29, 626, 218);
    LeftScrollButton = new TSpeedButton(this);
    LeftScrollButton->SetParent(this);
    LeftScrollButton->SetBounds(656, 280, 28, 28);
    LeftScrollButton->LoadGlyph("DTLEFTGLYPH");
    LeftScrollButton->OnClick = [this](TObject* s) { LeftScrollButtonClick(s); };
    RightScrollButton = new TSpeedButton(this);
    RightScrollButton->SetParent(this);
    RightScrollButton->SetBounds(696, 280, 28, 28);
    RightScrollButton->LoadGlyph("DTRIGHTGLYPH");
    RightScrollButton->OnClick = [this](TObject* s) { RightScrollButtonClick(s); };
    CloseButton = new TSpeedButton(this);
    CloseButton->SetParent(this);
    CloseButton->SetBounds(328, 280, 89, 28);
    CloseButton->SetCaption(Text("WORD_CLOSE"));
    CloseButton->OnClick = [this](TObject* s) { CloseButtonClick(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) { FormKeyDown(s, k, sh); };
}

TDataTypesView::~TDataTypesView() {
    if (DataTypesView == this) DataTypesView = nullptr;
    // The grids and labels go with the window; the fonts they drew with after.
    DestroyHandle();
    DeleteObject(CellFont);
    DeleteObject(LabelFont);
}

void TDataTypesView::CreateParams(TCreateParams& params) {
    TUvxForm::CreateParams(params);
    FixedDialogParams(params, 738, 315);
}

int TDataTypesView::GridIndex(TObject* grid) const {
    const TStringGrid* grids[4] = {StringGrid1, StringGrid2, StringGrid3, StringGrid4};
    for (int i = 0; i < 4; ++i)
        if (grid == grids[i]) return i;
    return -1;
}

TStringGrid* TDataTypesView::ActiveGrid() const {
    HWND focus = GetFocus();
    if (!focus) return nullptr;
    for (TStringGrid* g : {StringGrid1, StringGrid2, StringGrid3, StringGrid4, StringGrid5}) {
        if (!g->HandleAllocated()) continue;
        HWND h = g->Handle();
        if (focus == h || GetParent(focus) == h) return g;
    }
    return nullptr;
}

bool TDataTypesView::TakeEditedCellFromActiveGrid() {
    TStringGrid* g = ActiveGrid();
    if (!g) return false;
    EditGrid = g;
    EditCol = g->Col();
    EditRow = g->Row();
    return true;
}

void TDataTypesView::WriteCells() {
    Range->SetCaption(State.Range);
    TStringGrid* grids[4] = {StringGrid1, StringGrid2, StringGrid3, StringGrid4};
    for (int g = 0; g < 4; ++g)
        for (int c = 0; c < DataGridShapes[g].columns; ++c)
            for (int r = 0; r < DataGridShapes[g].rows; ++r)
                grids[g]->SetCell(c, r, State.CellTexts[DataTypesState::CellIndex(g, r, c)]);
}

void TDataTypesView::FillGrids() {
    if (!DialogHostWindow) return;
    State.FillGrids(*DialogHostWindow);
    WriteCells();
    Invalidate();
}

void TDataTypesView::UpdateScrollButtons() {
    if (!DialogHostWindow) return;
    RightScrollButton->SetEnabled(State.RightEnabled(*DialogHostWindow));
    LeftScrollButton->SetEnabled(State.LeftEnabled(*DialogHostWindow));
}

// Also each time the window takes the focus back, as after its own messages:
// the cells are read again and the first cell is the edited one.
void TDataTypesView::FormActivate(TObject*) {
    if (!DialogHostWindow) return;
    FillGrids();
    DialogHostWindow->SelectRange(State.Offset, State.LastOffset);
    DialogHostWindow->RepaintAll();
    UpdateScrollButtons();
    EditGrid = StringGrid1;
    EditRow = 0;
    EditCol = 0;
    StringGrid1->SetCurrent(0, 0);
    StringGrid1->SetFocus();
    for (TStringGrid* g : {StringGrid2, StringGrid3, StringGrid4, StringGrid5}) g->SetCurrent(0, g->Row());
    Range->Perform(WM_SETFONT, reinterpret_cast<WPARAM>(LabelFont), TRUE);
    for (TLabel* l : Labels) l->Perform(WM_SETFONT, reinterpret_cast<WPARAM>(LabelFont), TRUE);
    Invalidate();
}

void TDataTypesView::StringGridDrawCell(TObject* sender, int col, int row, HDC dc, const RECT& rect, bool selected,
                                        bool focused) {
    auto* grid = static_cast<TStringGrid*>(sender);
    const bool hot = selected && focused;
    FillRect(dc, &rect, GetSysColorBrush(hot ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(hot ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const std::string& s = grid->Cell(col, row);
    SIZE size{};
    GetTextExtentPoint32A(dc, s.c_str(), static_cast<int>(s.size()), &size);
    ExtTextOutA(dc, rect.right - size.cx - 9, rect.top + 2, ETO_CLIPPED, &rect, s.c_str(),
                static_cast<UINT>(s.size()), nullptr);
}

int TDataTypesView::ApplyEditedCell(TStringGrid* grid) {
    if (!DialogHostWindow || !grid) return 0;
    const int g = GridIndex(grid);
    // While the cell editor is open on the cell, the text is the editor's.
    const bool editing = grid->EditorMode() && grid->Col() == EditCol && grid->Row() == EditRow;
    const std::string text = editing ? EditorText(grid) : grid->Cell(EditCol, EditRow);
    const int result = State.ApplyCell(*DialogHostWindow, g, EditRow, EditCol, text);
    if (result == DataTypesState::PastEnd) {
        for (int r = 0; r < DataGridShapes[g].rows; ++r)
            grid->SetCell(EditCol, r, State.CellTexts[DataTypesState::CellIndex(g, r, EditCol)]);
    } else if (result == DataTypesState::NotValid || result == DataTypesState::MoreThanOne || result > 0) {
        WriteCells();
    }
    return result;
}

void TDataTypesView::TellResult(int result) {
    const char* key = result == DataTypesState::NotValid      ? "NOTVALIDNUMBER"
                      : result == DataTypesState::MoreThanOne ? "ONEATTIME"
                      : result == DataTypesState::PastEnd     ? "USEMAINTOADD"
                                                              : nullptr;
    if (key && DialogHostWindow) DialogHostWindow->Tell(Text(key), Text("WORD_CLOSE"));
}

void TDataTypesView::StringGrid1Click(TObject*) {
    if (!DialogHostWindow) return;
    if (!DialogHostWindow->ReadOnly() && EditGrid) {
        // A click into another grid leaves the edited one's editor behind.
        if (EditGrid->EditorMode() && EditGrid != ActiveGrid()) EditGrid->SetEditorMode(false);
        TellResult(ApplyEditedCell(EditGrid));
    }
    TakeEditedCellFromActiveGrid();
}

void TDataTypesView::StringGrid1KeyDown(TObject* sender, WORD& key, TShiftState shift) {
    FormKeyDown(sender, key, shift);
    // Escape goes on to the grid, whose cell editor drops the text typed.
    if (ModalResult != mrNone || !DialogHostWindow) return;
    DialogHost& host = *DialogHostWindow;
    auto* grid = static_cast<TStringGrid*>(sender);
    EditGrid = grid;
    EditCol = grid->Col();
    EditRow = grid->Row();
    const bool ctrl = shift & ssCtrl, shiftKey = shift & ssShift;
    const bool copy = ctrl && (key == 'C' || key == VK_INSERT);
    const bool paste = (ctrl && key == 'V') || (shiftKey && key == VK_INSERT);
    if (copy) TWin32Clipboard(Handle()).Put(grid->Cell(EditCol, EditRow), nullptr);
    if (host.ReadOnly()) {
        const bool digit = (key >= '0' && key <= '9') || (key >= VK_NUMPAD0 && key <= VK_NUMPAD9);
        if (paste)
            host.Tell(Text("TURNOFFREADONLYPASTE"), Text("WORD_CLOSE"));
        else if (!ctrl && (digit || (key >= 'A' && key <= 'F')))
            host.Tell(Text("TURNOFFREADONLY"), Text("WORD_CLOSE"));
    } else {
        if (paste) {
            std::string clip;
            TWin32Clipboard(Handle()).Get(CF_TEXT, clip);
            // The cell takes the text whole; an open editor would paste it a
            // second time.
            grid->SetEditorMode(false);
            grid->SetCell(EditCol, EditRow, clip);
            TellResult(ApplyEditedCell(EditGrid));
            key = 0;
        }
        if (grid->EditorMode()) {
            if (key == VK_RETURN || key == VK_UP || key == VK_DOWN) TellResult(ApplyEditedCell(EditGrid));
            return;
        }
    }
    if (key == VK_PRIOR || key == VK_NEXT) {
        if (key == VK_PRIOR)
            LeftScrollButtonClick(this);
        else
            RightScrollButtonClick(this);
        key = 0;
    } else if (key == VK_UP || key == VK_DOWN) {
        const int index = GridIndex(grid);
        const GridMove move = MoveBetweenGrids(index, grid->Row(), grid->Col(), key == VK_DOWN);
        if (move.moves) {
            TStringGrid* grids[4] = {StringGrid1, StringGrid2, StringGrid3, StringGrid4};
            TStringGrid* target = grids[move.grid];
            target->SetCurrent(move.column, move.row);
            target->SetFocus();
        }
    }
    TakeEditedCellFromActiveGrid();
}

// The edit in the active grid's open cell editor is applied before the
// window moves on or closes; a refused edit asks whether to go on anyway.
bool TDataTypesView::ApplyBeforeLeaving(const char* invalidKey, const char* sizeKey, const char* suffixKey,
                                        const char* appliedKey) {
    if (!DialogHostWindow || !TakeEditedCellFromActiveGrid()) return true;
    DialogHost& host = *DialogHostWindow;
    if (host.ReadOnly() || !EditGrid->EditorMode()) return true;
    EditGrid->SetEditorMode(false);  // the cell keeps the text typed
    const int result = ApplyEditedCell(EditGrid);
    if (result < 0) {
        std::string question = Text(result == DataTypesState::PastEnd ? sizeKey : invalidKey);
        if (suffixKey) question += " " + Text(suffixKey);
        return host.Ask(question, "Tessaly", Text("YES_AMP"), Text("NO_AMP"));
    }
    if (result > 0) host.Tell(Text(appliedKey), Text("WORD_OK"));
    return true;
}

void TDataTypesView::LeftScrollButtonClick(TObject*) {
    if (ApplyBeforeLeaving("INVALIDNUMSCROLLQ", "NOTCHANGESIZESCROLLQ", nullptr, "CHANGEAPPLIEDDATA")) ShiftOffset(-16);
}

void TDataTypesView::RightScrollButtonClick(TObject*) {
    if (ApplyBeforeLeaving("INVALIDNUMSCROLLQ", "NOTCHANGESIZESCROLLQ", nullptr, "CHANGEAPPLIEDDATA")) ShiftOffset(16);
}

void TDataTypesView::ShiftOffset(int delta) {
    if (!DialogHostWindow) return;
    DialogHost& host = *DialogHostWindow;
    const bool changed = State.ShiftOffset(host, delta, [&host] {
        return host.Ask(Text("DIFFERENTNUMBERS"), Text("OFFSETCHANGECAP"), Text("WORD_OK"), Text("WORD_CANCEL"));
    });
    if (changed) WriteCells();
    UpdateScrollButtons();
}

void TDataTypesView::CloseButtonClick(TObject*) {
    if (ApplyBeforeLeaving("NOTDONEINVALIDNUMBER", "NOTDONEFILESIZE", "CLOSEWINDOW", "CHANGEAPPLIED"))
        ModalResult = mrCancel;
}

// Escape closes the window at once; an edit not applied yet is dropped. The
// help key asks for the data types editor's page of the manual.
void TDataTypesView::FormKeyDown(TObject*, WORD& key, TShiftState) {
    if (key == VK_ESCAPE) {
        ModalResult = mrCancel;
    } else {
        HelpKey(key, HelpContext);
    }
}
