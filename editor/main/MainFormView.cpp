// The main window around the byte view: the view widths from the header,
// the layout after resizing, the status bar, the scroll bar and the mouse.
#include "editor/document/DataFile.h"
#include "editor/document/LanguageSystem.h"
#include "editor/main/DataScreen.h"
#include "editor/main/MainForm.h"
#include "editor/main/ScrollMath.h"
#include "editor/main/StatusTexts.h"
#include "framework/HeaderControl.h"
#include "framework/StatusBar.h"

int32_t TMainForm::DocumentSize() { return DataFile.size; }

TViewWidths TMainForm::SectionWidths() {
    return {Sizer->SectionWidth(0), Sizer->SectionWidth(1), Sizer->SectionWidth(2)};
}

void TMainForm::SetSectionWidths(const TViewWidths& widths) {
    Sizer->SetSectionWidth(0, widths.W0);
    Sizer->SetSectionWidth(1, widths.W1);
    Sizer->SetSectionWidth(2, widths.W2);
}

int TMainForm::ViewsWidth() { return ClientWidth() - ScrollBarWidth; }

void TMainForm::InvalidateView() { ByteView->Invalidate(); }

void TMainForm::SetScrollThumb(int position) { SetScrollPos(ByteView->Handle(), SB_VERT, position, TRUE); }

void TMainForm::ShowActiveView() {
    MenuView1->SetChecked(ActiveView == ViewText);
    MenuView2->SetChecked(ActiveView == ViewDecimal);
    MenuView3->SetChecked(ActiveView == ViewHexadecimal);
}

void TMainForm::FitViewWidths() { SetSectionWidths(::FitViewWidths(SectionWidths(), ViewsWidth())); }

void TMainForm::SizerSectionResize(THeaderControl*, int) {
    FitViewWidths();
    ValidateActiveView();
    ByteView->Invalidate();
}

void TMainForm::Resize() {
    ArrangeControls();
    if (ByteView) FormResize(this);
    TUvxForm::Resize();
}

// The views are fitted to the width the window really has: before it shows,
// its size is the layout's (a narrow 407 pixels, then maximized on a first
// start), and fitting to that would squeeze the widths for good.
void TMainForm::FormResize(TObject*) {
    if (IsWindowVisible(Handle())) FitViewWidths();
    ValidateActiveView();
    Rows = ByteView->ClientHeight() / RowHeight;
    ClampViewAndScrollBar();
    ByteView->Invalidate();
    UpdateScrollBar();
}

void TMainForm::SetStatusText(int panel, const std::string& text) { StatusBar->SetPanelText(panel, text); }
void TMainForm::SetMessageText(const std::string& text) { SetStatusText(4, text); }

void TMainForm::UpdateStatusBar() {
    int64_t shown = int64_t{TopOffset} + CursorOffset + FirstByteNumber;
    SetStatusText(1, StatusDecimalText(shown));
    SetStatusText(2, StatusHexadecimalText(shown));
    SetStatusText(3, LanguageSystem.getText(InsertwhenTyping->Checked() ? "INSMOD_ON" : "INSMOD_OFF"));
}

// The bar always spans 30000 units, whatever the size.
void TMainForm::UpdateScrollBar() {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = ScrollBarUnits - 1;
    info.nPage = static_cast<UINT>(ScrollPage(Rows, DataFile.size));
    info.nPos = ScrollPosition(TopOffset, DataFile.size);
    SetScrollInfo(ByteView->Handle(), SB_VERT, &info, TRUE);
}

void TMainForm::FormMouseDown(TObject*, TMouseButton button, TShiftState shift, int x, int y) {
    if (button != mbLeft) return;
    LeftButtonDown((shift & ssShift) != 0, (shift & ssDouble) != 0, x, y);
}

void TMainForm::FormMouseMove(TObject*, TShiftState shift, int x, int y) { DragSelect((shift & ssLeft) != 0, x, y); }
