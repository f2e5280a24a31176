#pragma once
// The bit editor's contents: up to sixteen bytes from a first position, each
// as a character, its decimal and hexadecimal value and eight binary digits,
// and the rule that writes an edited row back to the document.
#include <array>
#include <cstdint>
#include <string>

#include "editor/dialogs/DialogHost.h"

struct BinaryRow {
    std::string character, decimal, hexadecimal, binary;
};

class BinaryEditState {
public:
    enum ApplyResult : int { ReadOnlyOn = -4, PastEnd = -3, NotBinary = -1, Unchanged = 0, Applied = 1 };

    // Recomputes LastOffset, the label and every row from the document.
    void Refresh(DialogHost& host);
    // Applies the text typed or pasted into row CurrentRow. For NotBinary
    // and PastEnd the row's cell should show RowTexts[CurrentRow] again.
    int ApplyRow(DialogHost& host, const std::string& text);

    int32_t FirstOffset = 0;
    int32_t LastOffset = 0;
    int32_t CurrentRow = 0;
    std::array<std::string, 16> RowTexts;
    std::array<BinaryRow, 16> Rows;
    std::string Label;
};

// Eight binary digits, the most significant first.
std::string ByteToBinaryText(uint8_t value);
