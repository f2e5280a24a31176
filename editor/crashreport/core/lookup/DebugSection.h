#pragma once
// The debug information inside a module's crash-report data: its units, each
// with the code range it covers and its line table, and the procedure names
// that start on those lines. The stream is only read here; the build step
// writes it.
//
// Layout (all numbers packed 7 bits a byte, low group first, at most five
// bytes; signed ones folded so that small magnitudes stay short):
//   unit count
//   per unit: start (from the previous unit's start), length, name,
//             line count, lines
//   per line: start (from the previous line's start, the first from the
//             unit's start), (line delta folded) * 2 + procedure-start flag,
//             and after a set flag the procedure's name ("Class.Procedure"
//             or "Procedure")
//   a name: pieces of a length byte and that many enciphered bytes; in data
//             of version 502 and later the length byte's top bit says that
//             another piece follows (joined by "."), and a length of 127 is
//             followed by the packed true length.
// Units follow each other by start; their ranges do not overlap.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/crashreport/core/lookup/DebugInfoTypes.h"
#include "editor/crashreport/support/archive/BlockCipher.h"

// Reads `count` bytes of the module's code at a code offset; false when they
// are not readable.
using TCodeReader = std::function<bool(uint32_t offset, uint8_t* bytes, uint32_t count)>;

// The fixed key of names in data older than version 500.
constexpr uint8_t OldNameKey = 0x6B;

class TDebugSection {
public:
    // `unlocked`: the password's key deciphers the names; otherwise they are
    // shown as "?" and the Base64 text of their stored bytes.
    TDebugSection(std::vector<uint8_t> data, uint16_t version, bool unlocked, const std::string& password);

    // False when the stream is damaged; it then answers nothing. The stream
    // is indexed on the first call (time and memory linear in its size).
    bool Valid();
    size_t UnitCount();
    size_t LineCount();

    // Fills the unit, class, procedure, line and line offset of a code offset
    // and sets DebugDetail to ddSourceCode; false (nothing written) when no
    // unit covers the offset.
    bool Lookup(uint32_t offset, const TCodeReader& code, TZorvikDebugInfo& info);

    // The name at a stream position, deciphered as the data allows.
    std::string NameAt(size_t position, bool unitName) const;

private:
    struct Unit {
        uint32_t start, last;
        uint32_t name;
        uint32_t firstLine, endLine;
    };
    struct Line {
        uint32_t offset;
        int32_t line;
        int32_t procedure;  // latest procedure start of the unit, -1 for none
    };
    struct Procedure {
        uint32_t name;
        uint32_t offset;
        int32_t line;
    };

    bool Index();
    bool SkipName(size_t& position) const;
    std::string ClassOf(int32_t procedure, uint32_t unitStart, std::string& procedureName) const;

    std::vector<uint8_t> FData;
    uint16_t FVersion;
    bool FUnlocked;
    TBlockCipher FCipher;
    int FState = 0;  // 0 not indexed, 1 valid, -1 damaged
    std::vector<Unit> FUnits;
    std::vector<Line> FLines;
    std::vector<Procedure> FProcedures;
};

// Packed numbers of the stream; false at the end of the buffer or for more
// than five bytes.
bool ReadPackedNumber(const uint8_t* data, size_t size, size_t& position, uint32_t& value);
void WritePackedNumber(std::vector<uint8_t>& out, uint32_t value);
inline uint32_t FoldSigned(int32_t v) { return (static_cast<uint32_t>(v) << 1) ^ static_cast<uint32_t>(v >> 31); }
inline int32_t UnfoldSigned(uint32_t v) { return static_cast<int32_t>(v >> 1) ^ -static_cast<int32_t>(v & 1); }
