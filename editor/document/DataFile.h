#pragma once
// The document: the whole file being edited, in one growable block of bytes,
// with a read-only guard and step-wise undo and redo through change records.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editor/document/DocumentIO.h"
#include "editor/document/UndoActions.h"

// The largest document: the capacity is the size rounded down to whole
// 4096-byte pages plus one page, and it must still fit a signed 32-bit size.
constexpr int32_t MaxDocumentSize = 0x7FFFEFFF;
constexpr int32_t DocumentPageSize = 4096;

class TDataFile {
public:
    enum : uint8_t { ModeNormal = 0, ModeUndoing = 1, ModeRedoing = 2 };

    // Files are read and written through io, which may be null for a
    // document that is never loaded or saved.
    explicit TDataFile(DocumentIO* io = nullptr);
    ~TDataFile();
    TDataFile(const TDataFile&) = delete;
    TDataFile& operator=(const TDataFile&) = delete;
    void setIO(DocumentIO* io) { FIO = io; }

    // Contents.
    void newFile();
    bool loadFromFile(const std::u16string& fileName);
    bool saveToFile(const std::u16string& fileName);
    uint8_t getByte(int32_t pos) const;
    int32_t search(int32_t start, const uint8_t* pattern, int32_t length, bool forward, int32_t limit) const;

    // Editing: each checks read-only first, then files its change record.
    // Each is all-or-nothing: when it fails (out of memory), neither the
    // bytes nor the undo lists have changed.
    void setByte(int32_t pos, uint8_t value);
    void fill(int32_t pos, int32_t count, uint8_t value);
    void overwrite(int32_t pos, int32_t count, const uint8_t* bytes);
    void insertFill(int32_t pos, int32_t count, uint8_t value);
    void insertData(int32_t pos, int32_t count, const uint8_t* bytes);
    void deleteBytes(int32_t pos, int32_t count);
    void setEndOfFile(int32_t pos);
    // Bulk rewrites without records, after beginFullFillStep.
    void moveRaw(int32_t dest, int32_t source, int32_t count);
    void writeRaw(int32_t pos, int32_t count, const uint8_t* bytes);

    // Storage, without records or read-only check.
    void setSize(int32_t n);
    void allocate(int32_t n);
    void freeData();
    void zeroFill();

    void checkReadOnly() const;
    void setReadOnly(bool flag) { readOnly = flag; }

    // Undo and redo.
    void beginStep();
    void markRedoStep();
    void addUndoAction(UndoAction* record);
    FullFill* makeFullFill();
    bool lastIsFullFill() const;
    void beginFullFillStep();
    bool canUndo() const;
    bool canRedo() const;
    bool undoKeepsSize() const;
    bool redoKeepsSize() const;
    int32_t undo();
    void redo();
    void clearUndo();
    void enableUndo() { undoEnabled = true; }
    void disableUndo();

    // The state; read freely, changed only through the operations above.
    uint8_t* data = nullptr;
    int32_t size = 0;
    int32_t capacity = 0;
    uint8_t mode = ModeNormal;
    std::vector<UndoAction*> undoList;  // records and null step markers, oldest first
    std::vector<UndoAction*> redoList;
    bool undoEnabled = true;
    bool readOnly = false;
    int32_t lastChangePos = 0;

private:
    void insertBytes(int32_t pos, int32_t count, const uint8_t* bytes, uint8_t value);
    bool recording() const;
    // The record of a change about to be made (none while not recording),
    // with room already made for it in its list.
    template <class Record, class... Args>
    std::unique_ptr<UndoAction> prepareRecord(Args... args);
    void reserveRecordSlot();
    void fileRecord(std::unique_ptr<UndoAction> record);
    void revertStep(std::vector<UndoAction*>& from);
    void checkRange(const char* operation, int64_t pos, int64_t count) const;
    void fileError(const char* key, const std::u16string& fileName);

    DocumentIO* FIO;
};

// The one document of the editor (defined by the Win32 shell, which gives it
// the file access of the system).
extern TDataFile DataFile;
