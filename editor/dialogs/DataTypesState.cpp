// Decoding and writing back the data types editor's cells.
#include "editor/dialogs/DataTypesState.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "editor/main/NumberImports.h"
#include "editor/document/DataFile.h"
#include "framework/SysUtils.h"

namespace {

template <class T>
T ReadLittle(const uint8_t* p) {
    // Little-endian regardless of the host, through an unsigned image.
    uint64_t v = 0;
    for (int i = int(sizeof(T)) - 1; i >= 0; --i) v = v << 8 | p[i];
    T out;
    if constexpr (sizeof(T) == 1) {
        uint8_t b = static_cast<uint8_t>(v);
        std::memcpy(&out, &b, 1);
    } else if constexpr (sizeof(T) == 2) {
        uint16_t b = static_cast<uint16_t>(v);
        std::memcpy(&out, &b, 2);
    } else if constexpr (sizeof(T) == 4) {
        uint32_t b = static_cast<uint32_t>(v);
        std::memcpy(&out, &b, 4);
    } else {
        std::memcpy(&out, &v, 8);
    }
    return out;
}

std::string FloatText(double value, const std::string& notValid) {
    try {
        return FloatToStr(value);
    } catch (const std::exception&) {
        return notValid;
    }
}

}  // namespace

std::string DataCellText(int grid, int row, int column, const uint8_t* bytes, int available,
                         const std::string& notValidFloat) {
    if (grid < 0 || grid > 3) return {};
    const DataGridShape& shape = DataGridShapes[grid];
    const int first = column * shape.width;
    if (column < 0 || column >= shape.columns || first + shape.width > available) return {};
    const uint8_t* p = bytes + first;
    switch (grid) {
        case 0:
            if (row == 0) {
                char hex[3];
                std::snprintf(hex, sizeof hex, "%02X", p[0]);
                return hex;
            }
            return row == 1 ? std::to_string(ReadLittle<uint8_t>(p)) : std::to_string(ReadLittle<int8_t>(p));
        case 1:
            return row == 0 ? std::to_string(ReadLittle<uint16_t>(p)) : std::to_string(ReadLittle<int16_t>(p));
        case 2:
            if (row == 0) return std::to_string(ReadLittle<uint32_t>(p));
            if (row == 1) return std::to_string(ReadLittle<int32_t>(p));
            return FloatText(ReadLittle<float>(p), notValidFloat);
        default:
            return FloatText(ReadLittle<double>(p), notValidFloat);
    }
}

GridMove MoveBetweenGrids(int grid, int row, int column, bool down) {
    GridMove m;
    if (grid < 0 || grid > 3) return m;
    const int lastRow = DataGridShapes[grid].rows - 1;
    if (down && row == lastRow && grid < 3) {
        m = {true, grid + 1, column / 2, 0};
    } else if (!down && row == 0 && grid > 0) {
        m = {true, grid - 1, column * 2, DataGridShapes[grid - 1].rows - 1};
    }
    return m;
}

int DataTypesState::CellIndex(int grid, int row, int column) {
    static constexpr int base[4] = {0, 48, 64, 76};
    return base[grid] + column * DataGridShapes[grid].rows + row;
}

void DataTypesState::FillGrids(DialogHost& host) {
    TDataFile& doc = host.Document();
    LastOffset = Offset + 15 < Offset ? Offset : Offset + 15;
    const int64_t lastShown = std::min<int64_t>(LastOffset, int64_t(doc.size) - 1);
    const int first = host.FirstByteNumber();
    Range = "Byte " + std::to_string(int64_t(Offset) + first);
    if (lastShown != Offset) Range += " " + host.Text("TO") + " " + std::to_string(lastShown + first);
    if (LastOffset >= doc.size) {
        Range += ". " + host.Text("CLOSETOFILEEND");
        LastOffset = doc.size - 1;
    }
    uint8_t bytes[16] = {};
    int available = 0;
    while (available < 16 && Offset >= 0 && int64_t(Offset) + available < doc.size) {
        bytes[available] = doc.getByte(Offset + available);
        ++available;
    }
    const std::string notValid = host.Text("NOTVALIDFLOAT");
    for (int g = 0; g < 4; ++g)
        for (int c = 0; c < DataGridShapes[g].columns; ++c)
            for (int r = 0; r < DataGridShapes[g].rows; ++r)
                CellTexts[CellIndex(g, r, c)] = DataCellText(g, r, c, bytes, available, notValid);
}

int DataTypesState::ApplyCell(DialogHost& host, int grid, int row, int column, const std::string& text) {
    if (host.ReadOnly()) return ReadOnlyOn;
    if (grid < 0 || grid > 3 || row < 0 || row >= DataGridShapes[grid].rows || column < 0 ||
        column >= DataGridShapes[grid].columns) {
        FillGrids(host);
        return NotValid;
    }
    if (text == CellTexts[CellIndex(grid, row, column)]) return Unchanged;
    static constexpr NumberKind kinds[4][3] = {
        {NumberKind::Hexadecimal, NumberKind::Int8Unsigned, NumberKind::Int8Signed},
        {NumberKind::Int16Unsigned, NumberKind::Int16Signed, NumberKind::Int16Signed},
        {NumberKind::Int32Unsigned, NumberKind::Int32Signed, NumberKind::Float32},
        {NumberKind::Float64, NumberKind::Float64, NumberKind::Float64}};
    std::vector<uint8_t> out;
    const int32_t n = ParseNumbers(kinds[grid][row], text, out);
    const int w = DataGridShapes[grid].width;
    const int64_t p = int64_t(Offset) + int64_t(column) * w;
    TDataFile& doc = host.Document();
    if (p + w - 1 >= doc.size) return PastEnd;
    if (n > w) {
        FillGrids(host);
        return MoreThanOne;
    }
    if (n == w && int(out.size()) >= w) {
        doc.beginStep();
        doc.overwrite(static_cast<int32_t>(p), w, out.data());
        host.SetModified();
        host.RepaintSelection();
        FillGrids(host);
        return w;
    }
    if (n == -1) {
        FillGrids(host);
        return NotValid;
    }
    return n;
}

bool DataTypesState::ShiftOffset(DialogHost& host, int delta, const std::function<bool()>& askRegroup) {
    bool changed = false;
    TDataFile& doc = host.Document();
    if (delta < 0) {
        const int32_t old = Offset;
        // The window stays at its old start while the question is open: it
        // may be redrawn meanwhile, and no position before the document's
        // start can be shown.
        const int32_t wanted = Offset - 16;
        if (wanted >= 0)
            Offset = wanted;
        else if (wanted == -8 || wanted == -16)
            Offset = 0;
        else
            Offset = askRegroup && askRegroup() ? 0 : old;
        host.GotoPosition(Offset);
        if (old != 0) {
            FillGrids(host);
            changed = true;
        }
    } else if (delta > 0) {
        if (int64_t(Offset) < int64_t(doc.size) - 16) {
            Offset += 16;
            host.GotoPosition(Offset);
            FillGrids(host);
            changed = true;
        }
    }
    host.SelectRange(Offset, LastOffset);
    if (changed)
        host.RepaintAll();
    else
        host.RepaintSelection();
    return changed;
}

bool DataTypesState::LeftEnabled(DialogHost&) const { return Offset != 0; }

bool DataTypesState::RightEnabled(DialogHost& host) const {
    return int64_t(Offset) + 16 < host.Document().size;
}
