#pragma once
// Texts of captions and hints: hotkey markers ("&") and the short and long
// parts of a hint ("short|long").
#include <string>

// The character after the last single "&" ("&&" is a literal "&"), or empty.
std::u16string WideGetHotkey(const std::u16string& caption);
// Removes each single "&" and one of each "&&". With farEast, a bracket group
// "(&X)" goes as a whole, as Far-Eastern captions write their hotkeys.
std::u16string WideStripHotkey(const std::u16string& caption, bool farEast);
// Both stripped of hotkeys, compared without regard to case.
bool WideSameCaption(const std::u16string& a, const std::u16string& b, bool farEast);
// Puts the hotkey markers of the framework's caption (converted) into the
// wide caption, whose text without markers it must equal.
std::u16string SyncHotKeyPosition(const std::u16string& wideCaption, const std::u16string& frameworkCaption,
                                  bool farEast);
// The text before the first "|" and after it; the whole hint without one.
std::u16string WideGetShortHint(const std::u16string& hint);
std::u16string WideGetLongHint(const std::u16string& hint);
