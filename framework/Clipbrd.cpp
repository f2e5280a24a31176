#include "framework/Clipbrd.h"

#include <cstring>

#include "framework/Controls.h"
#include "framework/Exceptions.h"

TClipboard::~TClipboard() {
    if (FWindow) DestroyWindow(FWindow);
}

// The clipboard belongs to a window while it is open: a hidden one of ours.
HWND TClipboard::Window() {
    if (!FWindow) FWindow = AllocateHWnd("TClipboardWindow", DefWindowProcA, nullptr);
    return FWindow;
}

void TClipboard::Open() {
    if (FOpenRefCount == 0) {
        // Another program may hold it for a moment; try a few times.
        bool opened = false;
        for (int attempt = 0; attempt < 10 && !opened; ++attempt) {
            opened = OpenClipboard(Window()) != 0;
            if (!opened) Sleep(10);
        }
        if (!opened) throw Exception("Cannot open clipboard");
        FEmptied = false;
    }
    ++FOpenRefCount;
}

void TClipboard::Close() {
    if (FOpenRefCount == 0) return;
    if (--FOpenRefCount == 0) CloseClipboard();
}

namespace {
struct TOpenScope {
    TClipboard& c;
    explicit TOpenScope(TClipboard& clip) : c(clip) { c.Open(); }
    ~TOpenScope() { c.Close(); }
};
}  // namespace

void TClipboard::Clear() {
    TOpenScope open(*this);
    EmptyClipboard();
    FEmptied = true;
}

void TClipboard::Adding() {
    if (FOpenRefCount > 0 && !FEmptied) {
        EmptyClipboard();
        FEmptied = true;
    }
}

void TClipboard::SetBuffer(UINT format, const void* buffer, size_t size) {
    TOpenScope open(*this);
    Adding();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    if (!mem) throw EOutOfMemory("Out of memory");
    void* p = GlobalLock(mem);
    std::memcpy(p, buffer, size);
    GlobalUnlock(mem);
    if (!SetClipboardData(format, mem)) {
        GlobalFree(mem);
        throw EOSError("Cannot put data on the clipboard", GetLastError());
    }
}

HANDLE TClipboard::GetAsHandle(UINT format) {
    TOpenScope open(*this);
    return GetClipboardData(format);
}

std::string TClipboard::AsText() {
    TOpenScope open(*this);
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return {};
    const char* p = static_cast<const char*>(GlobalLock(data));
    std::string text;
    if (p) text.assign(p, strnlen(p, GlobalSize(data)));
    GlobalUnlock(data);
    return text;
}

void TClipboard::SetAsText(const std::string& text) { SetBuffer(CF_TEXT, text.c_str(), text.size() + 1); }

TClipboard* Clipboard() {
    static TClipboard* clipboard = new TClipboard;
    return clipboard;
}
