// The bit editor's rows and its one rule for writing them back.
#include "editor/dialogs/BinaryEditState.h"

#include <cstdio>

#include "editor/dialogs/NumberValidators.h"
#include "editor/document/DataFile.h"

std::string ByteToBinaryText(uint8_t value) {
    std::string text(8, '0');
    for (int bit = 0; bit < 8; ++bit)
        if (value & (0x80 >> bit)) text[bit] = '1';
    return text;
}

void BinaryEditState::Refresh(DialogHost& host) {
    TDataFile& doc = host.Document();
    // In 64 bits: a first position near the largest size must not wrap.
    int64_t last = int64_t(FirstOffset) + 15;
    if (last > int64_t(doc.size) - 1) last = int64_t(doc.size) - 1;
    LastOffset = static_cast<int32_t>(last);
    const int64_t first = int64_t(FirstOffset) + host.FirstByteNumber();
    Label = "Byte " + std::to_string(first);
    if (LastOffset != FirstOffset)
        Label += " " + host.Text("TO") + " " + std::to_string(int64_t(LastOffset) + host.FirstByteNumber());
    for (int r = 0; r < 16; ++r) {
        BinaryRow& row = Rows[r];
        if (int64_t(FirstOffset) + r < doc.size) {
            const uint8_t b = doc.getByte(FirstOffset + r);
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02X", b);
            row.character = b == 0 ? std::string() : std::string(1, static_cast<char>(b));
            row.decimal = std::to_string(b);
            row.hexadecimal = hex;
            row.binary = ByteToBinaryText(b);
        } else {
            row = BinaryRow{};
        }
        RowTexts[r] = row.binary;
    }
}

int BinaryEditState::ApplyRow(DialogHost& host, const std::string& text) {
    if (host.ReadOnly()) return ReadOnlyOn;
    if (CurrentRow < 0 || CurrentRow > 15) return Unchanged;
    if (text == RowTexts[CurrentRow]) return Unchanged;
    TDataFile& doc = host.Document();
    const int64_t pos = int64_t(FirstOffset) + CurrentRow;
    if (pos >= doc.size) return PastEnd;
    if (!IsBinaryByte(text)) return NotBinary;
    uint8_t value = 0;
    for (char c : text) value = static_cast<uint8_t>(value << 1 | (c == '1'));
    doc.beginStep();
    doc.setByte(static_cast<int32_t>(pos), value);
    host.SetModified();
    host.RepaintSelection();
    Refresh(host);
    RowTexts[CurrentRow] = text;
    return Applied;
}
