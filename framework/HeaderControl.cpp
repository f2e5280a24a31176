#include "framework/HeaderControl.h"

#include <commctrl.h>

THeaderControl::THeaderControl(TComponent* owner) : TWinControl(owner) { FVisible = true; }

THeaderControl::~THeaderControl() {
    DestroyHandle();
    if (FFont) DeleteObject(FFont);
}

void THeaderControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = WC_HEADERA;
    // Sections are not buttons; the widths follow the mouse while dragging.
    params.Style |= HDS_HORZ | HDS_FULLDRAG;
}

void THeaderControl::CreateHandleDone() {
    if (!FFont) {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            FFont = CreateFontIndirectA(&metrics.lfMessageFont);
    }
    if (FFont) SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont), FALSE);
    for (int i = 0; i < SectionCount(); ++i) WriteItem(i, true);
}

void THeaderControl::WriteItem(int index, bool insert) {
    if (!FHandle) return;
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.fmt = HDF_LEFT | HDF_STRING;
    item.cxy = At(index).Width;
    item.pszText = const_cast<char*>(At(index).Text.c_str());
    FSetting = true;
    SendMessageA(FHandle, insert ? HDM_INSERTITEMA : HDM_SETITEMA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
    FSetting = false;
}

void THeaderControl::AddSection(const std::string& text, int width) {
    FSections.push_back({text, width});
    WriteItem(SectionCount() - 1, true);
}

void THeaderControl::SetSectionText(int index, const std::string& text) {
    FSections.at(static_cast<size_t>(index)).Text = text;
    WriteItem(index, false);
}

void THeaderControl::SetSectionWidth(int index, int width) {
    FSections.at(static_cast<size_t>(index)).Width = width;
    WriteItem(index, false);
}

int THeaderControl::PreferredHeight() {
    RECT bounds{0, 0, 1000, 1000};
    WINDOWPOS pos{};
    HDLAYOUT layout{&bounds, &pos};
    if (SendMessageA(Handle(), HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)) && pos.cy > 0) return pos.cy;
    return 20;
}

// The header tells its parent in 8-bit or wide codes, whichever the parent
// asked for; both carry the width at the same place.
bool THeaderControl::Notified(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    if (msg != WM_NOTIFY) return false;
    auto* header = reinterpret_cast<NMHEADERA*>(lParam);
    UINT code = header->hdr.code;
    if (code != HDN_ITEMCHANGEDA && code != HDN_ITEMCHANGEDW) return false;
    result = 0;
    if (FSetting || !header->pitem || !(header->pitem->mask & HDI_WIDTH)) return true;
    int index = header->iItem;
    if (index < 0 || index >= SectionCount()) return true;
    FSections[static_cast<size_t>(index)].Width = header->pitem->cxy;
    if (OnSectionResize) OnSectionResize(this, index);
    return true;
}
