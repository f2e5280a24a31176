#include "editor/main/Win32Clipboard.h"

#include <cstring>
#include <memory>

#include "framework/Exceptions.h"

namespace {
// Another program may hold the clipboard for a moment: a few tries, then
// the failure is the user's to see.
void OpenOrRaise(HWND owner) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(owner)) return;
        Sleep(10);
    }
    throw Exception("Cannot open clipboard");
}

class ClipboardScope {
public:
    explicit ClipboardScope(HWND owner) { OpenOrRaise(owner); }
    ~ClipboardScope() { CloseClipboard(); }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;
};

// A global block owned until the clipboard takes it.
class GlobalText {
public:
    explicit GlobalText(const std::string& text) : FMemory(TextToGlobal(text)) {}
    ~GlobalText() {
        if (FMemory) GlobalFree(FMemory);
    }
    GlobalText(const GlobalText&) = delete;
    GlobalText& operator=(const GlobalText&) = delete;
    void HandTo(UINT format) {
        if (!SetClipboardData(format, FMemory)) throw Exception("Cannot set clipboard data");
        FMemory = nullptr;  // the clipboard owns it now
    }

private:
    HGLOBAL FMemory;
};
}  // namespace

HGLOBAL TextToGlobal(const std::string& text) {
    const size_t length = std::strlen(text.c_str());  // up to the first zero byte
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, length + 1);
    if (!memory) throw EOutOfMemory(OutOfMemoryMessage());
    void* p = GlobalLock(memory);
    if (!p) {
        GlobalFree(memory);
        throw EOutOfMemory(OutOfMemoryMessage());
    }
    std::memcpy(p, text.c_str(), length + 1);
    GlobalUnlock(memory);
    return memory;
}

std::string TextFromGlobal(HGLOBAL memory) {
    if (!memory) return {};
    const char* p = static_cast<const char*>(GlobalLock(memory));
    if (!p) return {};
    const size_t size = GlobalSize(memory);
    const void* zero = std::memchr(p, 0, size);
    std::string text(p, zero ? static_cast<const char*>(zero) - p : size);
    GlobalUnlock(memory);
    return text;
}

void TWin32Clipboard::Put(const std::string& text, const std::string* bytesFormat) {
    // Both blocks exist before the clipboard is emptied: running out of
    // memory leaves its contents as they were.
    GlobalText plain(text);
    std::unique_ptr<GlobalText> bytes;
    if (bytesFormat) bytes = std::make_unique<GlobalText>(*bytesFormat);
    ClipboardScope scope(FOwner);
    EmptyClipboard();
    if (bytes) bytes->HandTo(ClipboardBytesFormat);
    plain.HandTo(ClipboardTextFormat);
}

bool TWin32Clipboard::Get(unsigned format, std::string& text) {
    if (!IsClipboardFormatAvailable(format)) return false;
    ClipboardScope scope(FOwner);
    HANDLE data = GetClipboardData(format);
    if (!data) return false;
    text = TextFromGlobal(static_cast<HGLOBAL>(data));
    return true;
}
