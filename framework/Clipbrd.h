#pragma once
// The system clipboard. Open and Close nest; the clipboard is emptied once,
// on the first write of an open period, so several formats go on together.
#include <windows.h>

#include <string>

#include "framework/Classes.h"

class TClipboard : public TPersistent {
public:
    TClipboard() = default;
    ~TClipboard() override;
    std::string ClassName() const override { return "TClipboard"; }
    // EOSError-free: a clipboard another program holds raises Exception
    // "Cannot open clipboard".
    virtual void Open();
    virtual void Close();
    void Clear();
    bool HasFormat(UINT format) const { return IsClipboardFormatAvailable(format) != 0; }
    // The 8-bit text (CF_TEXT); empty when there is none.
    std::string AsText();
    void SetAsText(const std::string& text);
    // Puts a copy of the bytes on the clipboard under the format.
    void SetBuffer(UINT format, const void* buffer, size_t size);
    // The data of a format while the clipboard is open, or null.
    HANDLE GetAsHandle(UINT format);

protected:
    // Empties the clipboard on the first write of an open period.
    void Adding();

private:
    HWND Window();
    int FOpenRefCount = 0;
    bool FEmptied = false;
    HWND FWindow = nullptr;
};

// The process's clipboard object (made on first use).
TClipboard* Clipboard();
