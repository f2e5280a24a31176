#include "framework/StatusBar.h"

#include <commctrl.h>
#include <windowsx.h>

#include "framework/Menus.h"

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) { FVisible = true; }

TStatusBar::~TStatusBar() {
    DestroyHandle();
    if (FFont) DeleteObject(FFont);
}

void TStatusBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = STATUSCLASSNAMEA;
    params.Style |= SBARS_SIZEGRIP | CCS_BOTTOM;
}

void TStatusBar::CreateHandleDone() {
    if (FFont) SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont), FALSE);
    WriteParts();
}

void TStatusBar::AddPanel(int width, TAlignment alignment) {
    Panel panel;
    panel.Width = width;
    panel.Alignment = alignment;
    FPanels.push_back(panel);
    WriteParts();
}

// Right edges of the panels; the last one reaches the end of the bar.
void TStatusBar::WriteParts() {
    if (!FHandle) return;
    std::vector<int> edges;
    int x = 0;
    for (const Panel& p : FPanels) edges.push_back(x += p.Width);
    if (!edges.empty()) edges.back() = -1;
    SendMessageA(FHandle, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < PanelCount(); ++i) WriteText(i);
}

// A tab before the text centres it, two tabs align it right.
void TStatusBar::WriteText(int index) {
    if (!FHandle) return;
    const Panel& p = FPanels.at(static_cast<size_t>(index));
    std::string text = p.Alignment == taCenter ? "\t" + p.Text : p.Alignment == taRightJustify ? "\t\t" + p.Text : p.Text;
    SendMessageA(FHandle, SB_SETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

void TStatusBar::SetPanelText(int index, const std::string& text) {
    Panel& p = FPanels.at(static_cast<size_t>(index));
    if (p.Text == text) return;
    p.Text = text;
    WriteText(index);
}

void TStatusBar::SetPanelWidth(int index, int width) {
    Panel& p = FPanels.at(static_cast<size_t>(index));
    if (p.Width == width) return;
    p.Width = width;
    WriteParts();
}

int TStatusBar::TextWidth(const std::string& text) {
    HDC dc = GetDC(nullptr);
    HFONT font = FFont ? FFont : reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

void TStatusBar::SetFont(const std::string& name, int height) {
    HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, name.c_str());
    if (FHandle) SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (FFont) DeleteObject(FFont);
    FFont = font;
}

int TStatusBar::AlignToParent() {
    HWND h = Handle();
    SendMessageA(h, WM_SIZE, 0, 0);
    RECT r;
    GetWindowRect(h, &r);
    return r.bottom - r.top;
}

// The menu opens on the release of the right button (the bar's own
// handling of the click is not needed), or on the keyboard's menu key.
LRESULT TStatusBar::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (PopupMenu && msg == WM_RBUTTONUP) {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(FHandle, &p);
        PopupMenu->Popup(p.x, p.y);
        return 0;
    }
    if (PopupMenu && msg == WM_CONTEXTMENU) {
        int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
        if (x == -1 && y == -1) {
            RECT r;
            GetWindowRect(FHandle, &r);
            x = r.left, y = r.top;
        }
        PopupMenu->Popup(x, y);
        return 0;
    }
    return TWinControl::WndProc(msg, wParam, lParam);
}
