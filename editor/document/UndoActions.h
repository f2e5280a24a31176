#pragma once
// The change records of the document: each knows how to put the old bytes
// back, through the document's ordinary editing operations, so that reverting
// files the inverse record on the other list.
#include <cstdint>

class TDataFile;

class UndoAction {
public:
    explicit UndoAction(TDataFile* owner) : owner(owner) {}
    virtual ~UndoAction() = default;
    virtual void revert() = 0;
    // True when reverting leaves the document's size as it is.
    virtual bool keepsSize() const = 0;
    virtual int32_t memorySize() const = 0;

    UndoAction(const UndoAction&) = delete;
    UndoAction& operator=(const UndoAction&) = delete;

    TDataFile* owner;
};

// A copy of bytes on the run-time heap, owned by a record.
class SavedBytes {
public:
    SavedBytes(const uint8_t* source, int32_t count);
    ~SavedBytes();
    SavedBytes(const SavedBytes&) = delete;
    SavedBytes& operator=(const SavedBytes&) = delete;
    const uint8_t* get() const { return FBytes; }

private:
    uint8_t* FBytes;
};

class UndoSetByte : public UndoAction {
public:
    UndoSetByte(TDataFile* owner, int32_t pos, uint8_t oldValue) : UndoAction(owner), pos(pos), oldValue(oldValue) {}
    void revert() override;
    bool keepsSize() const override { return true; }
    int32_t memorySize() const override { return 16; }
    int32_t pos;
    uint8_t oldValue;
};

class UndoEndOfFile : public UndoAction {
public:
    // Saves the bytes from pos to the document's end.
    UndoEndOfFile(TDataFile* owner, int32_t pos);
    void revert() override;
    bool keepsSize() const override { return false; }
    int32_t memorySize() const override { return 20 + oldSize - pos; }
    int32_t pos, oldSize;
    SavedBytes tail;
};

class UndoFill : public UndoAction {
public:
    // Saves the count bytes of the document at pos.
    UndoFill(TDataFile* owner, int32_t pos, int32_t count);
    void revert() override;
    bool keepsSize() const override { return true; }
    int32_t memorySize() const override { return 20 + count; }
    int32_t pos, count;
    SavedBytes bytes;
};

class UndoInsert : public UndoAction {
public:
    UndoInsert(TDataFile* owner, int32_t pos, int32_t count) : UndoAction(owner), pos(pos), count(count) {}
    void revert() override;
    bool keepsSize() const override { return false; }
    int32_t memorySize() const override { return 16; }
    int32_t pos, count;
};

class UndoDelete : public UndoAction {
public:
    // Saves the count bytes of the document at pos.
    UndoDelete(TDataFile* owner, int32_t pos, int32_t count);
    void revert() override;
    bool keepsSize() const override { return false; }
    int32_t memorySize() const override { return 20 + count; }
    int32_t pos, count;
    SavedBytes bytes;
};

// A snapshot of the whole document, for steps that rewrite it in bulk.
class FullFill : public UndoFill {
public:
    explicit FullFill(TDataFile* owner);
    void revert() override;
};
