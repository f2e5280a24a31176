#pragma once
// The shared virtual file of a module: a page-file-backed mapping named
// after the process and the module ("%08X%08X"), whose first 4 bytes hold
// the size of the data that follows. Through it a module publishes its
// options to the other modules of the process.
#include <cstdint>
#include <string>

struct TVirtualFile {
    void* Mapping = nullptr;
    uint8_t* Data = nullptr;  // just past the size field
    uint32_t Size = 0;        // the data's size as the mapping records it
    bool Exists() const { return Data != nullptr; }
};

std::string VirtualFileName(uint32_t processId, uintptr_t module);

// Creates the module's file with room for `size` bytes; when another holder
// keeps it, opens it with that holder's size. Size 0 only opens: a file
// that does not exist gives none and leaves no mapping behind.
TVirtualFile CreateVirtualFile(uintptr_t module, uint32_t size);
void DeleteVirtualFile(TVirtualFile& file);

// This module's file, held by the core from start-up to shut-down.
TVirtualFile& OwnVirtualFile();
