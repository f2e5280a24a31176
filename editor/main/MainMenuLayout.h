#pragma once
// The main window's menu as its layout gives it: every item with its parent,
// layout caption, the language keys of its caption and hint, shortcut and
// initial state, in menu order.
#include <string>
#include <vector>

struct TMenuLayoutEntry {
    const char* Parent;      // "" for the menu bar
    const char* Name;        // "" for an unnamed separator
    const char* Caption;     // the layout's caption ("-" a separator)
    const char* CaptionKey;  // language key of the caption, or ""
    const char* HintKey;     // language key of the hint, or ""
    const char* ShortCut;    // shortcut text, or ""
    bool Checked = false;
    bool Visible = true;
    int HelpContext = 0;
};

const std::vector<TMenuLayoutEntry>& MainMenuLayout();
// The status bar's pop-up menu.
const std::vector<TMenuLayoutEntry>& StatusbarPopupLayout();
