#pragma once
// Which editing commands the menus offer in a state of the document and the
// options, and the caption of Keep File Size.
#include <cstdint>
#include <string>
#include <vector>

struct TMenuStateFacts {
    bool CanUndo = false, CanRedo = false;
    bool AtEndWithoutSelection = false;  // cursor on the end-of-file cell, nothing selected
    bool KeepFileSize = false, ReadOnly = false;
};

struct TItemState {
    const char* Name;
    bool Enabled;
};

// Every item the rule touches, with its enabled state (later rules win).
std::vector<TItemState> MenuEnabledStates(const TMenuStateFacts& facts);
// "Keep File Size at " + size + " byte" or " bytes".
std::string KeepFileSizeCaption(const std::string& prefix, int32_t size);
