#include "viewer/PageView.h"

#include <shellapi.h>
#include <windowsx.h>

#include <cstdint>
#include <new>

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Graphics.h"
#include "viewer/PageLinks.h"

namespace {
const COLORREF kLinkColour = RGB(0, 0, 255);
const COLORREF kCurrentHitColour = RGB(208, 255, 208);
const COLORREF kOtherHitColour = RGB(255, 255, 255);
// Above any line of text of the page fonts (30 points is 40 pixels at 96
// pixels per inch, and more on screens of more pixels per inch).
const int64_t kTallestText = 400;

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of("\\/") + 1); }
}  // namespace

// The layout measures on the bitmap's device context, so that context is
// made first; the measurer must exist before the layout is handed it.
static HDC MakeMemoryDC() {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    return dc;
}

QMHtml::QMHtml(TComponent* owner)
    : TWinControl(owner),
      Dc_(MakeMemoryDC()),
      Measurer_(std::make_unique<GdiTextMeasurer>(Dc_)),
      Layout_(*Measurer_, Pictures_) {
    FVisible = true;
    ResizeBitmap(5, 5);
    Layout_.LeftMargin = 10;
    Layout_.FontSize = 12;
    Layout_.BaseLineHeight = 2 - Measurer_->FontHeight(12);
    Layout_.LayoutWidth = FWidth;
}

QMHtml::~QMHtml() {
    DestroyHandle();
    Layout_.Reset();  // frees the pictures before the measurer and the DC go
    Measurer_.reset();
    if (OldBitmap_) SelectObject(Dc_, OldBitmap_);
    if (Bitmap_) DeleteObject(Bitmap_);
    DeleteDC(Dc_);
}

void QMHtml::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style |= WS_VSCROLL | WS_TABSTOP;
    params.ClassStyle = CS_DBLCLKS;
}

void QMHtml::CreateHandleDone() { SetScrollBar(); }

void QMHtml::ResizeBitmap(int width, int height) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    if (!bitmap) return;  // keep drawing into the old one
    HGDIOBJ previous = SelectObject(Dc_, bitmap);
    if (!OldBitmap_) OldBitmap_ = previous;
    if (Bitmap_) DeleteObject(Bitmap_);
    Bitmap_ = bitmap;
    BitmapWidth_ = width;
    BitmapHeight_ = height;
}

void QMHtml::LoadPage(const std::string& path, bool withHistory) {
    PagePath_ = path;
    Layout_.PageFolder = FolderOf(path);
    CurrentHit_ = 0;
    OutOfMemory_ = false;
    try {
        if (Parser_.ReadFile(path) < 0) Parser_.SetBuffer({});  // an empty page
    } catch (const std::bad_alloc&) {
        DropPage();
    }
    if (withHistory) {
        History_.Visit(path, Scroll_);
        Scroll_ = 0;
        if (FHandle) SetScrollPos(FHandle, SB_VERT, 0, TRUE);
    }
    Relayout();
    // A page too big for memory, or a picture that could not be shown, is
    // told once per load, never on a resize; the page is shown as far as it
    // could be laid out.
    if (OutOfMemory_) Application->ShowException(Exception("The page " + path + " is too large to show."));
    else if (!Layout_.LayoutError().empty()) Application->ShowException(Exception(Layout_.LayoutError()));
    if (OnPageLoaded) OnPageLoaded(this);
}

void QMHtml::Relayout() {
    Layout_.LayoutWidth = FHandle ? ClientWidth() : FWidth;
    Layout_.LayoutPage(Parser_);
    if (Layout_.OutOfMemory()) DropPage();
    Invalidate();
    SetScrollBar();
}

// What memory the page held is given back and the view shows an empty page,
// so that the viewer goes on answering.
void QMHtml::DropPage() {
    OutOfMemory_ = true;
    Parser_.SetBuffer({});
    Layout_.Reset();
}

void QMHtml::SetScrollBar() {
    if (!FHandle) return;
    int height = ClientHeight();
    if (height == 0) return;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMin = 0;
    int64_t max = static_cast<int64_t>(Layout_.PageHeight()) + 50;
    si.nMax = static_cast<int>(max > INT32_MAX ? INT32_MAX : max);
    si.nPage = static_cast<UINT>(height);
    SetScrollInfo(FHandle, SB_VERT, &si, TRUE);
}

void QMHtml::ApplyScroll() {
    if (!FHandle) return;
    SetScrollPos(FHandle, SB_VERT, Scroll_, TRUE);
    Invalidate();
    Scroll_ = GetScrollPos(FHandle, SB_VERT);
}

void QMHtml::ScrollBy(int64_t pixels) {
    // The scroll bar keeps the position within the page; the sum only has
    // to stay a 32-bit number on its way there.
    int64_t to = static_cast<int64_t>(Scroll_) + pixels;
    Scroll_ = static_cast<int32_t>(to < INT32_MIN ? INT32_MIN : to > INT32_MAX ? INT32_MAX : to);
    ApplyScroll();
}

void QMHtml::Back() {
    if (!History_.Back(Scroll_)) return;
    Scroll_ = History_.Current().Position;
    LoadPage(History_.Current().Path, false);
    ApplyScroll();
}

void QMHtml::Forward() {
    if (!History_.Forward(Scroll_)) return;
    Scroll_ = History_.Current().Position;
    LoadPage(History_.Current().Path, false);
    ApplyScroll();
}

void QMHtml::SetSearchWords(const Sentence& words) {
    Layout_.SearchWords = words;
    CurrentHit_ = 0;
    if (!History_.Empty()) LoadPage(History_.Current().Path, false);
}

void QMHtml::NextHit() {
    ++CurrentHit_;
    if (CurrentHit_ >= HitCount()) CurrentHit_ = 0;
    ScrollToHit(CurrentHit_);
}

void QMHtml::ScrollToHit(int32_t n) {
    const auto& hits = Layout_.HitPositions();
    if (n < 0 || n >= static_cast<int32_t>(hits.size())) return;
    Scroll_ = hits[static_cast<size_t>(n)];
    ScrollBy(-((FHandle ? ClientHeight() : FHeight) / 2));
}

void QMHtml::Paint() {
    PAINTSTRUCT ps;
    HDC target = BeginPaint(FHandle, &ps);
    RECT client;
    GetClientRect(FHandle, &client);
    int w = client.right < 5 ? 5 : client.right, h = client.bottom < 5 ? 5 : client.bottom;
    if (w != BitmapWidth_ || h != BitmapHeight_) ResizeBitmap(w, h);

    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    HBRUSH back = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
    RECT all{0, 0, BitmapWidth_, BitmapHeight_};
    FillRect(Dc_, &all, back);
    DeleteObject(back);
    SetBkMode(Dc_, TRANSPARENT);
    const int32_t s = Scroll_;
    TCanvas canvas(Dc_);
    // Items wholly above or below the view are passed over: drawing them
    // would show nothing and takes long on a big page.
    const int64_t top = static_cast<int64_t>(s) - kTallestText, bottom = static_cast<int64_t>(s) + BitmapHeight_;
    for (const PageItem& it : Layout_.Items()) {
        if (it.Y > bottom) continue;
        if (it.Kind == pkPicture) {
            TGraphic* picture = it.Picture();
            if (picture && it.Y + 2 + static_cast<int64_t>(picture->Height()) >= s) canvas.Draw(it.X, it.Y - s + 2, *picture);
            continue;
        }
        if (it.Y < top) continue;
        if (it.Kind == pkBullet) {
            HBRUSH b = CreateSolidBrush(text);
            HPEN p = CreatePen(PS_SOLID, 1, text);
            {
                TSelectGuard gb(Dc_, b), gp(Dc_, p);
                Ellipse(Dc_, it.X - 2, it.Y - s - 2, it.X + 3, it.Y - s + 3);
            }
            DeleteObject(b);
            DeleteObject(p);
        }
        if (it.Hit) {
            SetBkMode(Dc_, OPAQUE);
            SetBkColor(Dc_, it.HitNumber == CurrentHit_ ? kCurrentHitColour : kOtherHitColour);
        } else {
            SetBkMode(Dc_, TRANSPARENT);
        }
        SetTextColor(Dc_, it.Kind == pkLink ? kLinkColour : text);
        TSelectGuard font(Dc_, Measurer_->Font(it.Kind, it.Size));
        std::string_view words = it.Text();
        if (!words.empty()) TextOutA(Dc_, it.X, it.Y - s, words.data(), static_cast<int>(words.size()));
    }
    BitBlt(target, 0, 0, BitmapWidth_, BitmapHeight_, Dc_, 0, 0, SRCCOPY);
    EndPaint(FHandle, &ps);
}

void QMHtml::KeyDown(WORD& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    const int32_t line = Layout_.BaseLineHeight;
    switch (key) {
        case VK_UP: ScrollBy(-3 * line); break;
        case VK_DOWN: ScrollBy(3 * line); break;
        case VK_PRIOR: ScrollBy(-ClientHeight()); break;
        case VK_NEXT: ScrollBy(ClientHeight()); break;
        case VK_F5: {
            // Reloading keeps the place on the page.
            int32_t keep = Scroll_;
            LoadPage(PagePath_, false);
            Scroll_ = keep;
            ApplyScroll();
            break;
        }
        case VK_BACK: Back(); break;
    }
}

void QMHtml::VScroll(int code, int position) {
    const int32_t line = Layout_.BaseLineHeight;
    switch (code) {
        case SB_LINEUP: ScrollBy(-3 * line); break;
        case SB_LINEDOWN: ScrollBy(3 * line); break;
        case SB_PAGEUP: ScrollBy(-ClientHeight()); break;
        case SB_PAGEDOWN: ScrollBy(ClientHeight()); break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: {
            // The message carries only 16 bits; a page taller than that
            // would jump back, so the full position is asked for.
            SCROLLINFO si{};
            si.cbSize = sizeof si;
            si.fMask = SIF_TRACKPOS;
            bool full = GetScrollInfo(FHandle, SB_VERT, &si) && (si.nTrackPos & 0xFFFF) == position;
            Scroll_ = full ? si.nTrackPos : position;
            break;
        }
    }
    SetScrollPos(FHandle, SB_VERT, Scroll_, TRUE);
    Invalidate();
}

void QMHtml::Wheel(int delta) {
    int32_t pixels = Wheel_.Turn(delta, Layout_.BaseLineHeight);
    if (pixels != 0) ScrollBy(pixels);
}

void QMHtml::MouseMove(TShiftState shift, int x, int y) {
    TWinControl::MouseMove(shift, x, y);
    bool wasHovered = !Hovered_.empty();
    Hovered_.clear();
    int64_t pageY = static_cast<int64_t>(y) + Scroll_;
    for (const PageItem& it : Layout_.Items()) {
        if (it.Kind != pkLink) continue;
        int32_t height = -Measurer_->FontHeight(it.Size);
        if (x >= it.X && x <= it.X + it.Width && pageY >= it.Y && pageY <= it.Y + height) Hovered_ = it.Link();
    }
    if (!Hovered_.empty() && !wasHovered) Cursor_ = IDC_HAND;
    else if (Hovered_.empty() && wasHovered) Cursor_ = IDC_ARROW;
    SetCursor(LoadCursorA(nullptr, Cursor_));
}

void QMHtml::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (!Focused()) SetFocus();
    TWinControl::MouseDown(button, shift, x, y);
    if (!Hovered_.empty()) {
        LinkTarget target = ResolveLink(FolderOf(PagePath_), Hovered_);
        Hovered_.clear();
        Cursor_ = IDC_ARROW;
        SetCursor(LoadCursorA(nullptr, Cursor_));
        if (target.Kind == LinkKind::Page) LoadPage(target.Path, true);
        else if (target.Kind == LinkKind::External)
            ShellExecuteA(nullptr, "open", target.Path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
}

LRESULT QMHtml::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: Paint(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SIZE: {
            LRESULT r = TWinControl::WndProc(msg, wParam, lParam);
            int32_t keep = Scroll_;
            Relayout();
            Scroll_ = keep;
            ApplyScroll();
            return r;
        }
        case WM_VSCROLL: VScroll(LOWORD(wParam), HIWORD(wParam)); return 0;
        case WM_MOUSEWHEEL: Wheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                SetCursor(LoadCursorA(nullptr, Cursor_));
                return TRUE;
            }
            return TWinControl::WndProc(msg, wParam, lParam);
        default: return TWinControl::WndProc(msg, wParam, lParam);
    }
}
