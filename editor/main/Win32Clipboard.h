#pragma once
// The system clipboard for the byte commands: texts in shared global memory,
// the editor's byte format beside the plain text.
#include <windows.h>

#include <string>

#include "editor/main/ByteTexts.h"
#include "editor/main/ClipboardAccess.h"

// New movable shared global memory holding the text up to its first zero
// byte and a terminating zero; raises the out-of-memory error on failure.
HGLOBAL TextToGlobal(const std::string& text);
// The zero-terminated text in a global memory block, never read past the
// block's end (a block from another program may lack its zero).
std::string TextFromGlobal(HGLOBAL memory);

class TWin32Clipboard : public ClipboardAccess {
public:
    // owner: the window that owns the clipboard while it is open.
    explicit TWin32Clipboard(HWND owner) : FOwner(owner) {}
    void Put(const std::string& text, const std::string* bytesFormat) override;
    bool Get(unsigned format, std::string& text) override;

private:
    HWND FOwner;
};
