#pragma once
// Compact binary debug data ("JDBG"): per module its units, source files,
// procedure names and line numbers as packed, delta-coded tables and packed
// names. Reads a block it is given and never outside it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Classes.h"

class TZVBinDebugScanner : public TObject {
public:
    // The block must outlive the scanner. `cacheData`: the procedure and line
    // tables are decoded once into arrays on first use.
    TZVBinDebugScanner(const uint8_t* data, size_t size, bool cacheData);
    std::string ClassName() const override { return "TZVBinDebugScanner"; }

    bool ValidFormat() const { return FValidFormat; }
    std::string GetModuleName() const;
    uint32_t ModuleStartFromAddr(uint32_t offset) const;
    std::string ModuleNameFromAddr(uint32_t offset) const;
    std::string SourceNameFromAddr(uint32_t offset) const;
    std::string ProcNameFromAddr(uint32_t offset, uint32_t& procedureOffset);
    int32_t LineNumberFromAddr(uint32_t offset, uint32_t& lineOffset);

    // The name a reference points at: 0 is none, n starts at byte n - 1 of
    // the names area.
    std::string DataToStr(uint32_t reference) const;

private:
    struct LineEntry {
        uint32_t offset;
        int32_t line;
    };
    struct ProcEntry {
        uint32_t offset;
        uint32_t firstName, secondName;
    };
    bool CheckFormat();
    // One packed number at `pos` of the block; false at the table's end
    // marker, at the block's end or after five bytes without an end.
    bool ReadValue(size_t& pos, uint32_t& value) const;
    uint32_t HeaderWord(size_t at) const;
    void CacheLineNumbers();
    void CacheProcNames();

    bool FCacheData;
    const uint8_t* FData;
    size_t FSize;
    bool FValidFormat = false;
    bool FLinesCached = false;
    bool FProcsCached = false;
    std::vector<LineEntry> FLineNumbers;
    std::vector<ProcEntry> FProcNames;
};

// Packs one number of a table (7 bits a byte, low group first).
void WriteJdbgValue(std::vector<uint8_t>& out, uint32_t value);
// Packs a name in the 6-bit form (the first byte not 1 or 2).
std::vector<uint8_t> PackJdbgName(const std::string& name);
