#pragma once
// Reading objdump's Intel-syntax listing of a code section, and bringing its
// texts and ours to one notation, so that the disassembler can be compared
// with an independent one.
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

struct ListedInstruction {
    uint32_t address = 0;
    std::vector<uint8_t> bytes;
    std::string text;   // as objdump prints it, symbol names included
};

// Lines "  401000:\tc3  \tret"; continuation lines add their bytes to the
// instruction before them.
std::vector<ListedInstruction> ParseObjdumpListing(std::istream& in);

// Instructions objdump could not decode ("(bad)", ".byte").
bool ObjdumpUndecoded(const std::string& text);
// True when objdump's text starts with a prefix that it prints with the
// instruction ("lock", "rep", "cs", "data16"...).
bool ObjdumpHasPrefix(const std::string& text);
// True when objdump's text is nothing but prefixes ("data16", "cs").
bool ObjdumpOnlyPrefixes(const std::string& text);
// Our lines that are prefixes alone ("lock", "rep", "repne", "wait").
bool IsLonePrefix(const std::string& ours);

// One notation for both: lower case, no size keywords, numbers as "#hex",
// memory operands as segment + sorted registers + summed displacement,
// objdump's condition names as ours ("je" -> "jz").
struct NormalInstruction {
    std::string mnemonic;
    std::vector<std::string> operands;
    int width = 32;   // bits of the operation, where objdump's text tells it
};
NormalInstruction NormaliseOurs(const std::string& text);
NormalInstruction NormaliseObjdump(const std::string& text);
// Numbers count as equal when they agree in the operation's width ("-$10"
// and "0xf0" for a byte).
bool SameInstruction(const NormalInstruction& a, const NormalInstruction& b);
std::string ToString(const NormalInstruction& n);
