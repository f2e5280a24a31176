#pragma once
// The report's General, Assembler and CPU texts as small coloured rich-text
// documents for the detailed dialog's read-only panes.
#include <string>

// "\" doubled, "{" and "}" escaped, every CR LF as "\par" CR LF.
std::string EscapeRichText(const std::string& text);

// The font and size every document is written in: the user's character set,
// the dialog's fixed face name and its size in points.
struct TRichTextFont {
    unsigned Charset = 0;
    std::string FaceName = "Courier New";
    int Size = 8;
};

std::string GeneralRichText(const std::string& generalText, const TRichTextFont& font);
std::string AssemblerRichText(const std::string& assemblerText, const TRichTextFont& font);
// tabPosition: 15 times the pixel width of 21 hyphens in the fixed font.
std::string CPURichText(const std::string& cpuText, const TRichTextFont& font, int tabPosition);
