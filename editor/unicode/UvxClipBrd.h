#pragma once
// Wide text on the clipboard: CF_UNICODETEXT beside the framework's 8-bit text.
#include <string>

#include "framework/Clipbrd.h"

class TUvxClipboard : public TClipboard {
public:
    std::string ClassName() const override { return "TUvxClipboard"; }
    // The wide text; the 8-bit text converted when there is no wide one.
    std::u16string GetAsWideText();
    // Puts the text on in both forms: 8-bit (lossy) and wide.
    void SetAsWideText(const std::u16string& value);
};

// The shared wide clipboard (made on the first call).
TUvxClipboard* UvxClipboard();
// The unit's end: the shared clipboard is freed. It runs by itself after
// main returns; a second end does nothing.
void EndUvxClipBrdUnit();
