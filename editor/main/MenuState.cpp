#include "editor/main/MenuState.h"

#include <map>

namespace {
const char* const Offered[] = {
    "Knip", "Copy", "Paste1", "Delete1", "Insert1", "SetFileSize1", "EndofFile1", "Replace1",
    "AdaptedTexttoClipboard", "DumptoClipboard1", "DumptoClipboard2", "DecimalCopy", "HexadCopy", "BinaryCopy",
    "DataTypestoClipboard1", "Lock", "InsertwhenTyping", "DecimalNumbersfromClipboard1",
    "HexadecimalNumbersfromClipboard1", "BinaryNumbersfromClipboard1", "DataTypesfromClipboard1",
    "DataTypesfromFile1", "Save1", "Saveas1"};
// Nothing to copy or cut.
const char* const NeedBytes[] = {"Knip", "Copy", "EndofFile1", "AdaptedTexttoClipboard", "DumptoClipboard1",
                                 "DumptoClipboard2", "DecimalCopy", "HexadCopy", "BinaryCopy",
                                 "DataTypestoClipboard1"};
// They change the size.
const char* const ChangeSize[] = {"Knip", "Insert1", "SetFileSize1", "EndofFile1", "InsertwhenTyping"};
// They change the document.
const char* const Change[] = {
    "Undo1", "Redo1", "Knip", "Paste1", "Delete1", "Insert1", "SetFileSize1", "EndofFile1", "Replace1", "Lock",
    "InsertwhenTyping", "DecimalNumbersfromClipboard1", "HexadecimalNumbersfromClipboard1",
    "BinaryNumbersfromClipboard1", "DataTypesfromClipboard1", "DataTypesfromFile1"};
}  // namespace

std::vector<TItemState> MenuEnabledStates(const TMenuStateFacts& f) {
    std::vector<TItemState> states = {{"Undo1", f.CanUndo}, {"Redo1", f.CanRedo}};
    auto set = [&](const char* name, bool enabled) {
        for (TItemState& s : states)
            if (std::string(s.Name) == name) return void(s.Enabled = enabled);
        states.push_back({name, enabled});
    };
    for (const char* name : Offered) set(name, true);
    if (f.AtEndWithoutSelection)
        for (const char* name : NeedBytes) set(name, false);
    if (f.KeepFileSize)
        for (const char* name : ChangeSize) set(name, false);
    if (f.ReadOnly)
        for (const char* name : Change) set(name, false);
    return states;
}

std::string KeepFileSizeCaption(const std::string& prefix, int32_t size) {
    return prefix + std::to_string(size) + (size == 1 ? " byte" : " bytes");
}
