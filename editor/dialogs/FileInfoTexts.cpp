// The file information window's numbers as texts.
#include "editor/dialogs/FileInfoTexts.h"

FileInfoTexts MakeFileInfoTexts(int32_t size, bool selectionActive, int32_t selStart, int32_t selEnd,
                                int firstByteNumber, const std::string& from, const std::string& to) {
    FileInfoTexts t;
    t.size = std::to_string(size);
    t.sizeUnit = size == 1 ? " byte" : " bytes";
    int64_t count = 0;
    if (selectionActive) {
        count = int64_t(selEnd) - selStart + 1;
        t.bounds = "(" + from + " " + std::to_string(int64_t(selStart) + firstByteNumber) + " " + to + " " +
                   std::to_string(int64_t(selEnd) + firstByteNumber) + ")";
        t.boundsVisible = true;
    }
    t.selectionSize = std::to_string(count);
    t.selectionUnit = count == 1 ? "byte" : "bytes";
    return t;
}
