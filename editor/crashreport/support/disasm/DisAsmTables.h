#pragma once
// Instruction templates of the disassembler (see DisAsmTables.cpp).

namespace disasm_tables {

// Groups "a" to "n": by group letter, then the ModRM reg field.
constexpr int GroupCount = 14;
// Group tails "1" to "4": by tail digit, then the ModRM reg field.
constexpr int GroupTailCount = 4;

extern const char* const OneByte[256];
extern const char* const TwoByte[256];   // the byte after 0x0F
extern const char* const Groups[GroupCount][8];
extern const char* const GroupTails[GroupTailCount][8];
// Escapes 0xD8 to 0xDF: 8 memory forms by the reg field, then 64 register
// forms by ModRM 0xC0 to 0xFF.
extern const char* const X87[8][72];

} // namespace disasm_tables
