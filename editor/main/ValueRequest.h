#pragma once
// One showing of the value input dialog as a command prepares it, and what
// the user confirmed.
#include <cstdint>
#include <string>

#include "editor/dialogs/ValueInputRules.h"

struct TValueRequest {
    std::string Caption, Question;
    std::string Text;           // the value line's text; the whole of it selected
    int ItemIndex = 0;          // the chosen kind in the list
    bool AllowText = false;     // the list starts with Text (one character)
    bool AnyNumber = true;      // any value of 0 or more; otherwise 0..255
    bool MoveCursor = false;    // the move-cursor dialog with its check box
    bool KeepSelection = false;  // its check box

    // Filled when the user confirmed: the kind and the accepted value.
    ValueKind Kind = ValueKind::Decimal;
    int64_t Value = 0;
};
