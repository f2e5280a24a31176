#pragma once
// The clipboard as the byte commands see it: 8-bit texts in formats. The
// Win32 shell opens the real clipboard; tests give a fake.
#include <string>

class ClipboardAccess {
public:
    virtual ~ClipboardAccess() = default;
    // Empties the clipboard and puts the text as the plain-text format and,
    // when bytesFormat is given, that text as the editor's own byte format,
    // within one opening. Texts end at their first zero byte.
    virtual void Put(const std::string& text, const std::string* bytesFormat) = 0;
    // The text held in a format (up to its first zero byte); false when the
    // clipboard has no such format.
    virtual bool Get(unsigned format, std::string& text) = 0;
};
