#pragma once
// The units and line rows of a linked executable, read with the cross
// binutils: the DWARF line table (objdump --dwarf=decodedline) gives the
// addresses where a location starts; addr2line names, for each of them, the
// outermost function with its file and line (inlined code counts as the line
// of the call), which is what a crash report shows.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/crashdata/DebugSectionWriter.h"

struct TExeSymbol {
    uint64_t Address = 0;
    std::string Name;  // demangled
};

// Runs a command and returns its standard output; false when it failed.
bool RunCommand(const std::string& command, std::string& output);

// Units of the executable (32-bit or 64-bit) whose image base is given: one unit for each run of
// code from one source file, with a row where the line or the function
// changes and a procedure start where the function changes.
bool ReadExeLineTable(const std::string& toolPrefix, const std::string& exe, uint64_t imageBase,
                      std::vector<TUnitRows>& units, std::string& error);

// The defined code symbols, demangled, by address.
bool ReadExeSymbols(const std::string& toolPrefix, const std::string& exe, std::vector<TExeSymbol>& symbols,
                    std::string& error);

// Parses addr2line output made with -a -f -i: for every address, the last
// (outermost) function and its "file:line".
struct TOuterFrame {
    uint64_t Address = 0;
    std::string Function;
    std::string File;  // base name; empty when unknown
    int32_t Line = 0;
};
std::vector<TOuterFrame> ParseAddr2LineOutput(const std::string& text);
