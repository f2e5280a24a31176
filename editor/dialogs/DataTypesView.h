#pragma once
// The data types editor: sixteen bytes from Offset as hexadecimal, 8, 16 and
// 32-bit integers and 32 and 64-bit floats in four grids whose cells the
// user edits; two buttons step sixteen bytes to either side. The cells and
// the write-back rule are DataTypesState's.
#include <array>

#include "editor/dialogs/DataTypesState.h"
#include "editor/unicode/UvxForms.h"

class TBevel;
class TLabel;
class TSpeedButton;
class TStringGrid;

class TDataTypesView : public TUvxForm {
public:
    explicit TDataTypesView(TComponent* owner);
    ~TDataTypesView() override;
    std::string ClassName() const override { return "TDataTypesView"; }

    void FormActivate(TObject* sender);
    void StringGridDrawCell(TObject* sender, int col, int row, HDC dc, const RECT& rect, bool selected, bool focused);
    void StringGrid1Click(TObject* sender);
    void StringGrid1KeyDown(TObject* sender, WORD& key, TShiftState shift);
    void LeftScrollButtonClick(TObject* sender);
    void RightScrollButtonClick(TObject* sender);
    void CloseButtonClick(TObject* sender);
    void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);
    void FillGrids();
    // Applies the edited cell of a grid and returns DataTypesState's result.
    int ApplyEditedCell(TStringGrid* grid);
    void ShiftOffset(int delta);
    void UpdateScrollButtons();

    TStringGrid* StringGrid1 = nullptr;
    TStringGrid* StringGrid2 = nullptr;
    TStringGrid* StringGrid3 = nullptr;
    TStringGrid* StringGrid4 = nullptr;
    TLabel* Range = nullptr;
    std::array<TLabel*, 10> Labels{};  // Label1 .. Label10
    TBevel* Bevel1 = nullptr;
    TStringGrid* StringGrid5 = nullptr;
    TSpeedButton* LeftScrollButton = nullptr;
    TSpeedButton* RightScrollButton = nullptr;
    TSpeedButton* CloseButton = nullptr;
    DataTypesState State;  // Offset is set by the caller
    // The cell whose text may hold an edit not applied yet.
    TStringGrid* EditGrid = nullptr;
    int EditRow = 0;
    int EditCol = 0;
    int HelpContext = 405;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    // 0..3 for StringGrid1..4, -1 for any other.
    int GridIndex(TObject* grid) const;
    // The grid that has the keyboard (itself or its cell's edit box), or null.
    TStringGrid* ActiveGrid() const;
    // The edited cell becomes the active grid's current cell; false when no grid is active.
    bool TakeEditedCellFromActiveGrid();
    // The message for a refused cell, if any.
    void TellResult(int result);
    // Closes the cell editor of the active grid and applies it; false when
    // the user answers that the window should not go on.
    bool ApplyBeforeLeaving(const char* invalidKey, const char* sizeKey, const char* suffixKey, const char* appliedKey);
    void WriteCells();
    HFONT CellFont = nullptr;   // Arial, 14 pixels
    HFONT LabelFont = nullptr;  // the window's Arial
};

extern TDataTypesView* DataTypesView;
