#pragma once
// The placeholder ZVDATA resource (type RCDATA) of a linked 32-bit Windows
// executable (32-bit or 64-bit), found in the file's bytes and filled in place.
#include <cstdint>
#include <string>
#include <vector>

struct TPeSection {
    uint32_t VirtualAddress, VirtualSize, RawOffset, RawSize;
};

struct TPeFacts {
    uint64_t ImageBase = 0;
    uint16_t Machine = 0;  // 0x14C for 32-bit x86, 0x8664 for x86-64
    std::vector<TPeSection> Sections;
    uint32_t ResourceDataEntry = 0;  // file offset of the data entry; 0 when none
    uint32_t ResourceFileOffset = 0;
    uint32_t ResourceCapacity = 0;  // room for the data
    uint32_t ResourceSize = 0;      // the data's size
};

// The file offset of a relative address; false when no section holds it.
bool FileOffsetOfRva(const TPeFacts& facts, uint32_t rva, uint32_t& offset);
// False with a message when the bytes are not a PE image of either width.
bool ReadPeFacts(const std::vector<uint8_t>& file, TPeFacts& facts, std::string& error);
// Writes the block over the placeholder and sets the resource's size to the
// block's length. False with a message when there is no placeholder or the
// block does not fit.
bool PatchCrashDataResource(std::vector<uint8_t>& file, const std::vector<uint8_t>& block, std::string& error);
