#include "editor/document/UndoActions.h"

#include <cstdlib>
#include <cstring>

#include "editor/document/DataFile.h"
#include "editor/document/HeapBytes.h"

SavedBytes::SavedBytes(const uint8_t* source, int32_t count) : FBytes(HeapAllocate(count)) {
    if (count > 0) std::memcpy(FBytes, source, static_cast<size_t>(count));
}

SavedBytes::~SavedBytes() { std::free(FBytes); }

void UndoSetByte::revert() {
    owner->setByte(pos, oldValue);
    owner->lastChangePos = pos;
}

UndoEndOfFile::UndoEndOfFile(TDataFile* owner, int32_t pos)
    : UndoAction(owner), pos(pos), oldSize(owner->size), tail(owner->data + pos, owner->size - pos) {}

void UndoEndOfFile::revert() { owner->insertData(pos, oldSize - pos, tail.get()); }

UndoFill::UndoFill(TDataFile* owner, int32_t pos, int32_t count)
    : UndoAction(owner), pos(pos), count(count), bytes(owner->data + pos, count) {}

void UndoFill::revert() {
    owner->overwrite(pos, count, bytes.get());
    owner->lastChangePos = pos;
}

void UndoInsert::revert() {
    owner->deleteBytes(pos, count);
    owner->lastChangePos = pos;
}

UndoDelete::UndoDelete(TDataFile* owner, int32_t pos, int32_t count)
    : UndoAction(owner), pos(pos), count(count), bytes(owner->data + pos, count) {}

void UndoDelete::revert() {
    owner->insertData(pos, count, bytes.get());
    owner->lastChangePos = pos;
}

FullFill::FullFill(TDataFile* owner) : UndoFill(owner, 0, owner->size) {}

// Cuts the document back to the snapshot's length or appends the snapshot's
// missing tail, then writes the snapshot over the rest.
void FullFill::revert() {
    const int32_t current = owner->size;
    int32_t common = count;
    if (count < current) {
        owner->setEndOfFile(count);
    } else {
        owner->insertData(current, count - current, bytes.get() + current);
        common = current;
    }
    owner->overwrite(0, common, bytes.get());
    owner->lastChangePos = 0;
}
