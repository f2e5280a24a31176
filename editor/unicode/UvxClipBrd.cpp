#include "editor/unicode/UvxClipBrd.h"

#include <windows.h>

#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxUnitRun.h"

namespace {
struct TOpenScope {
    TClipboard& c;
    explicit TOpenScope(TClipboard& clip) : c(clip) { c.Open(); }
    ~TOpenScope() { c.Close(); }
};
}  // namespace

std::u16string TUvxClipboard::GetAsWideText() {
    std::u16string text;
    {
        TOpenScope open(*this);
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* p = static_cast<const char16_t*>(GlobalLock(data))) {
                size_t max = GlobalSize(data) / 2, n = 0;
                while (n < max && p[n]) ++n;
                text.assign(p, n);
                GlobalUnlock(data);
            }
        }
    }
    if (text.empty()) text = AnsiToWideSys(AsText());
    return text;
}

void TUvxClipboard::SetAsWideText(const std::u16string& value) {
    TOpenScope open(*this);
    SetAsText(WideToAnsiSys(value));
    SetBuffer(CF_UNICODETEXT, value.c_str(), value.size() * 2 + 2);
}

namespace {
TUvxClipboard* g_clipboard = nullptr;
TUvxUnitRun g_clipboardUnit;

// The unit has nothing to start but its run count.
TUvxUnitScope g_clipboardUnitScope([] { g_clipboardUnit.Start(); }, EndUvxClipBrdUnit);
}  // namespace

TUvxClipboard* UvxClipboard() {
    if (!g_clipboard) g_clipboard = new TUvxClipboard;
    return g_clipboard;
}

void EndUvxClipBrdUnit() {
    if (!g_clipboardUnit.End()) return;
    delete g_clipboard;
    g_clipboard = nullptr;
}
