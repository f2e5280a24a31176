#include "editor/document/DataFile.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <new>

#include "editor/document/ByteSearch.h"
#include "editor/document/HeapBytes.h"
#include "editor/document/LanguageSystem.h"
#include "framework/Exceptions.h"

namespace {
const char* const ReadOnlyMessage = "Changing is disabled when readonly is enabled";

// Puts the replay mode back to normal on every way out of undo and redo.
class ModeScope {
public:
    ModeScope(uint8_t& mode, uint8_t value) : FMode(mode) { FMode = value; }
    ~ModeScope() { FMode = TDataFile::ModeNormal; }

private:
    uint8_t& FMode;
};

void DestroyRecords(std::vector<UndoAction*>& list) {
    for (UndoAction* record : list) delete record;
    list.clear();
}

void PushEntry(std::vector<UndoAction*>& list, UndoAction* entry) {
    try {
        list.push_back(entry);
    } catch (const std::bad_alloc&) {
        delete entry;
        throw EOutOfMemory(OutOfMemoryMessage());
    }
}

// Walks one step from the end of a list: trailing empty steps, then the
// records up to and including the marker that opened the step.
bool StepKeepsSize(const std::vector<UndoAction*>& list) {
    bool seen = false;
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        if (!*it) {
            if (seen) break;
            continue;
        }
        seen = true;
        if (!(*it)->keepsSize()) return false;
    }
    return seen;
}

bool HasRecord(const std::vector<UndoAction*>& list) {
    return std::any_of(list.begin(), list.end(), [](UndoAction* e) { return e != nullptr; });
}

// Reads straight into the block in large pieces: the system copies from its
// cache into the block's pages as they are first touched, with no buffer
// between. Stops at the end of the file or at a failed read; the number of
// bytes read.
int64_t ReadWhole(DocumentFile& file, uint8_t* into, int32_t count) {
    constexpr int32_t Piece = 8 << 20;
    int64_t done = 0;
    while (done < count) {
        const int32_t ask = static_cast<int32_t>(std::min<int64_t>(Piece, count - done));
        const int64_t got = file.read(into + done, ask);
        if (got <= 0) break;
        done += got;
    }
    return done;
}

bool PointsInto(const uint8_t* p, const uint8_t* block, int32_t length) {
    std::less_equal<const uint8_t*> le;
    std::less<const uint8_t*> lt;
    return block && le(block, p) && lt(p, block + length);
}
}  // namespace

TDataFile::TDataFile(DocumentIO* io) : FIO(io) {
    allocate(256);
    zeroFill();
}

TDataFile::~TDataFile() {
    clearUndo();
    std::free(data);
}

void TDataFile::newFile() {
    uint8_t* fresh = HeapAllocate(256);  // may fail before anything changes
    clearUndo();
    std::free(data);
    data = fresh;
    size = capacity = 256;
    zeroFill();
}

void TDataFile::fileError(const char* key, const std::u16string& fileName) {
    if (FIO) FIO->showFileError(LanguageSystem.getText(key), fileName, LanguageSystem.getText("FILEERROR"));
}

bool TDataFile::loadFromFile(const std::u16string& fileName) {
    std::unique_ptr<DocumentFile> file = FIO ? FIO->openForReading(fileName) : nullptr;
    if (!file) {
        fileError("CannotReadFrom", fileName);
        return false;
    }
    // The whole size: a file beyond the largest document is refused rather
    // than read in part.
    const int64_t fileSize = file->size();
    if (fileSize < 0 || fileSize > MaxDocumentSize) {
        file.reset();
        fileError("CannotReadAllFrom", fileName);
        return false;
    }
    // Read into a new block and take it only once the whole file is in, so
    // that a failed load leaves the open document and its history as they were.
    const int32_t n = static_cast<int32_t>(fileSize);
    HeapBlock fresh(n);
    const int64_t got = ReadWhole(*file, fresh.get(), n);
    file.reset();
    if (got != n) {
        fileError("CannotReadAllFrom", fileName);
        return false;
    }
    clearUndo();
    std::free(data);
    data = fresh.release();
    size = capacity = n;
    return true;
}

bool TDataFile::saveToFile(const std::u16string& fileName) {
    std::unique_ptr<DocumentFile> file = FIO ? FIO->createForWriting(fileName) : nullptr;
    if (!file) {
        fileError("CannotWriteTo", fileName);
        return false;
    }
    const bool ok = file->write(data, size) == size;
    file.reset();
    if (!ok) fileError("CannotWriteTo", fileName);
    return ok;
}

uint8_t TDataFile::getByte(int32_t pos) const {
    if (pos < 0) throw Exception("Application Error: getByte: index<0");
    if (pos >= size) throw Exception("Application Error: getByte: index>=size");
    return data[pos];
}

int32_t TDataFile::search(int32_t start, const uint8_t* pattern, int32_t length, bool forward, int32_t limit) const {
    if (start < 0 || length < 1 || !pattern) return -1;
    if (forward) {
        // The limit is the last byte a match may cover; never past the end.
        const int64_t lastStart = std::min<int64_t>(limit, size - 1) - length + 1;
        if (start > lastStart) return -1;
        return FindForward(data, start, static_cast<int32_t>(lastStart), pattern, length);
    }
    int64_t from = start;
    if (from + length > size) from = static_cast<int64_t>(size) - length;
    const int32_t lowest = std::max(limit, 0);
    if (from < lowest) return -1;
    return FindBackward(data, static_cast<int32_t>(from), lowest, pattern, length);
}

void TDataFile::checkReadOnly() const {
    if (readOnly) throw Exception(ReadOnlyMessage);
}

void TDataFile::checkRange(const char* operation, int64_t pos, int64_t count) const {
    if (pos < 0 || count < 0 || pos + count > size)
        throw Exception(std::string("Application Error: ") + operation + ": range outside the document");
}

// A record is made while undo is on, except in a step that starts with a
// whole-document snapshot: the snapshot restores everything that follows.
bool TDataFile::recording() const { return undoEnabled && !(mode == ModeNormal && lastIsFullFill()); }

// Makes room for the record in the list that will take it, so that filing it
// after the change cannot fail.
void TDataFile::reserveRecordSlot() {
    std::vector<UndoAction*>& list = mode == ModeUndoing ? redoList : undoList;
    if (list.size() < list.capacity()) return;
    try {
        list.reserve(std::max<size_t>(16, list.capacity() * 2));
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(OutOfMemoryMessage());
    }
}

template <class Record, class... Args>
std::unique_ptr<UndoAction> TDataFile::prepareRecord(Args... args) {
    if (!recording()) return nullptr;
    std::unique_ptr<UndoAction> record;
    try {
        record = std::make_unique<Record>(this, args...);
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(OutOfMemoryMessage());
    }
    reserveRecordSlot();
    return record;
}

void TDataFile::fileRecord(std::unique_ptr<UndoAction> record) {
    if (record) addUndoAction(record.release());
    else if (undoEnabled && mode == ModeNormal) DestroyRecords(redoList);
}

void TDataFile::setByte(int32_t pos, uint8_t value) {
    checkReadOnly();
    if (pos < 0) throw Exception("Application Error: setByte: index<0");
    if (pos >= size) throw Exception("Application Error: setByte: index>=size");
    std::unique_ptr<UndoAction> record = prepareRecord<UndoSetByte>(pos, data[pos]);
    data[pos] = value;
    fileRecord(std::move(record));
}

void TDataFile::fill(int32_t pos, int32_t count, uint8_t value) {
    checkReadOnly();
    checkRange("fill", pos, count);
    std::unique_ptr<UndoAction> record = prepareRecord<UndoFill>(pos, count);
    std::memset(data + pos, value, static_cast<size_t>(count));
    fileRecord(std::move(record));
}

void TDataFile::overwrite(int32_t pos, int32_t count, const uint8_t* bytes) {
    checkReadOnly();
    checkRange("overwrite", pos, count);
    std::unique_ptr<UndoAction> record = prepareRecord<UndoFill>(pos, count);
    if (count > 0) std::memmove(data + pos, bytes, static_cast<size_t>(count));
    fileRecord(std::move(record));
}

void TDataFile::insertFill(int32_t pos, int32_t count, uint8_t value) { insertBytes(pos, count, nullptr, value); }

void TDataFile::insertData(int32_t pos, int32_t count, const uint8_t* bytes) { insertBytes(pos, count, bytes, 0); }

void TDataFile::insertBytes(int32_t pos, int32_t count, const uint8_t* bytes, uint8_t value) {
    checkReadOnly();
    checkRange("insert", pos, 0);
    if (count < 0) throw Exception("Application Error: insert: count<0");
    const int64_t newSize = static_cast<int64_t>(size) + count;
    if (newSize > MaxDocumentSize) throw EOutOfMemory(OutOfMemoryMessage());
    // Bytes taken from the document itself would move with the growth.
    std::unique_ptr<HeapBlock> own;
    if (bytes && count > 0 && PointsInto(bytes, data, capacity)) {
        own = std::make_unique<HeapBlock>(count);
        std::memcpy(own->get(), bytes, static_cast<size_t>(count));
        bytes = own->get();
    }
    std::unique_ptr<UndoAction> record = prepareRecord<UndoInsert>(pos, count);
    const int32_t oldSize = size;
    setSize(static_cast<int32_t>(newSize));  // the one step that may fail
    std::memmove(data + pos + count, data + pos, static_cast<size_t>(oldSize - pos));
    if (bytes) {
        if (count > 0) std::memcpy(data + pos, bytes, static_cast<size_t>(count));
    } else {
        std::memset(data + pos, value, static_cast<size_t>(count));
    }
    fileRecord(std::move(record));
}

void TDataFile::deleteBytes(int32_t pos, int32_t count) {
    checkReadOnly();
    checkRange("deleteBytes", pos, count);
    std::unique_ptr<UndoAction> record = prepareRecord<UndoDelete>(pos, count);
    const int32_t oldSize = size;
    std::memmove(data + pos, data + pos + count, static_cast<size_t>(oldSize - count - pos));
    setSize(oldSize - count);  // shrinking keeps the block when it cannot be resized
    fileRecord(std::move(record));
}

void TDataFile::setEndOfFile(int32_t pos) {
    checkReadOnly();
    checkRange("setEndOfFile", pos, 0);
    std::unique_ptr<UndoAction> record = prepareRecord<UndoEndOfFile>(pos);
    setSize(pos);
    fileRecord(std::move(record));
}

void TDataFile::moveRaw(int32_t dest, int32_t source, int32_t count) {
    checkReadOnly();
    checkRange("moveRaw", dest, count);
    checkRange("moveRaw", source, count);
    if (count > 0) std::memmove(data + dest, data + source, static_cast<size_t>(count));
}

void TDataFile::writeRaw(int32_t pos, int32_t count, const uint8_t* bytes) {
    checkReadOnly();
    checkRange("writeRaw", pos, count);
    if (count > 0) std::memmove(data + pos, bytes, static_cast<size_t>(count));
}

void TDataFile::setSize(int32_t n) {
    if (n < 0) throw Exception("Application Error: setSize: size<0");
    if (n > MaxDocumentSize) throw EOutOfMemory(OutOfMemoryMessage());
    const int32_t wanted = n / DocumentPageSize * DocumentPageSize + DocumentPageSize;
    if (wanted != capacity) {
        void* grown = std::realloc(data, static_cast<size_t>(wanted));
        if (grown) {
            data = static_cast<uint8_t*>(grown);
            capacity = wanted;
        } else if (n > capacity) {
            throw EOutOfMemory(OutOfMemoryMessage());
        }  // else the block holds n bytes already: keep it rather than fail
    }
    size = n;
}

void TDataFile::allocate(int32_t n) {
    uint8_t* fresh = HeapAllocate(n);  // the old block goes only once the new one exists
    std::free(data);
    data = fresh;
    size = capacity = n;
}

void TDataFile::freeData() {
    std::free(data);
    data = nullptr;
    size = capacity = 0;
}

void TDataFile::zeroFill() {
    if (size > 0) std::memset(data, 0, static_cast<size_t>(size));
}

void TDataFile::beginStep() {
    if (undoEnabled) PushEntry(undoList, nullptr);
}

void TDataFile::markRedoStep() { PushEntry(redoList, nullptr); }

void TDataFile::addUndoAction(UndoAction* record) {
    switch (mode) {
        case ModeNormal:
            DestroyRecords(redoList);  // a new change ends the redo history
            if (lastIsFullFill()) {
                delete record;
                return;
            }
            PushEntry(undoList, record);
            return;
        case ModeUndoing: PushEntry(redoList, record); return;
        case ModeRedoing: PushEntry(undoList, record); return;
        default: delete record; return;
    }
}

FullFill* TDataFile::makeFullFill() { return new FullFill(this); }

bool TDataFile::lastIsFullFill() const {
    return !undoList.empty() && dynamic_cast<FullFill*>(undoList.back()) != nullptr;
}

void TDataFile::beginFullFillStep() {
    if (!undoEnabled) return;  // no history is kept, so no snapshot either
    beginStep();
    addUndoAction(makeFullFill());
}

bool TDataFile::canUndo() const { return HasRecord(undoList); }
bool TDataFile::canRedo() const { return HasRecord(redoList); }
bool TDataFile::undoKeepsSize() const { return StepKeepsSize(undoList); }
bool TDataFile::redoKeepsSize() const { return StepKeepsSize(redoList); }

// Reverts one step from the end of the list. A record leaves the list only
// once its revert succeeded, so a failure leaves it there to be tried again.
void TDataFile::revertStep(std::vector<UndoAction*>& from) {
    bool seen = false;
    while (!from.empty()) {
        UndoAction* entry = from.back();
        if (!entry) {
            from.pop_back();
            if (seen) break;
            continue;
        }
        entry->revert();
        from.pop_back();
        delete entry;
        seen = true;
    }
}

int32_t TDataFile::undo() {
    if (!canUndo()) return 0;
    checkReadOnly();
    const size_t before = undoList.size();
    ModeScope scope(mode, ModeUndoing);
    markRedoStep();
    revertStep(undoList);
    return static_cast<int32_t>(before - undoList.size());
}

void TDataFile::redo() {
    if (!canRedo()) return;
    checkReadOnly();
    ModeScope scope(mode, ModeRedoing);
    PushEntry(undoList, nullptr);
    revertStep(redoList);
}

void TDataFile::clearUndo() {
    DestroyRecords(redoList);
    DestroyRecords(undoList);
    redoList.shrink_to_fit();
    undoList.shrink_to_fit();
}

void TDataFile::disableUndo() {
    clearUndo();
    undoEnabled = false;
}
