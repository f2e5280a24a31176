#pragma once
// What the file information window shows besides the file name: the size,
// the selection's size and its bounds, with their unit words.
#include <cstdint>
#include <string>

struct FileInfoTexts {
    std::string size;           // the document size in decimal
    std::string sizeUnit;       // " byte" or " bytes"
    std::string selectionSize;  // the selected count, 0 without a selection
    std::string selectionUnit;  // "byte" or "bytes"
    std::string bounds;         // "(from 1 to 16)", empty without a selection
    bool boundsVisible = false;
};

// from and to are the language's words for the bounds.
FileInfoTexts MakeFileInfoTexts(int32_t size, bool selectionActive, int32_t selStart, int32_t selEnd,
                                int firstByteNumber, const std::string& from, const std::string& to);
