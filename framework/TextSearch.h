#pragma once
// Looking for a text in the text of an edit control, as the find and replace
// dialogs ask: forward from the end of the selection or backward from its
// start, with or without regard to case, whole words or anywhere.
#include <string>

// The choices of the find and replace dialogs, one bit each.
enum TFindOption : unsigned {
    frDown = 1,
    frFindNext = 2,
    frHideMatchCase = 4,
    frHideWholeWord = 8,
    frHideUpDown = 16,
    frMatchCase = 32,
    frDisableMatchCase = 64,
    frDisableUpDown = 128,
    frDisableWholeWord = 256,
    frReplace = 512,
    frReplaceAll = 1024,
    frWholeWord = 2048,
    frShowHelp = 4096,
};
using TFindOptions = unsigned;

// The position of the next match of what in text, or -1. Forward (frDown)
// the search begins after the selection (selStart, selLength), backward it
// finds the last match that begins before selStart; fromStart searches
// forward from the beginning of the text whatever the selection. An empty
// what matches nothing.
int SearchText(const std::u16string& text, int selStart, int selLength, const std::u16string& what,
               TFindOptions options, bool fromStart = false);
// Whether the selected text is the text looked for (case as the options say).
bool SameFoundText(const std::u16string& selected, const std::u16string& what, TFindOptions options);
