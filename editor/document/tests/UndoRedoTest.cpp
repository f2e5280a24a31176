#include <gtest/gtest.h>

#include "editor/document/DataFile.h"
#include "editor/document/tests/DocumentTestSupport.h"
#include "framework/Exceptions.h"

namespace {
class UndoRedoTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetBytes(doc, Text("abcdefgh"));
        doc.clearUndo();
    }
    std::string Content() const { return std::string(doc.data, doc.data + doc.size); }
    TDataFile doc;
};

// A record whose revert fails, as an out-of-memory error would.
class FailingRecord : public UndoAction {
public:
    explicit FailingRecord(TDataFile* owner) : UndoAction(owner) {}
    void revert() override { throw EOutOfMemory(OutOfMemoryMessage()); }
    bool keepsSize() const override { return true; }
    int32_t memorySize() const override { return 16; }
};
}  // namespace

TEST_F(UndoRedoTest, AStepIsUndoneAndRedoneAsAWhole) {
    doc.beginStep();
    doc.setByte(0, 'X');
    doc.setByte(1, 'Y');
    doc.setByte(2, 'Z');
    EXPECT_EQ(Content(), "XYZdefgh");
    EXPECT_EQ(doc.undo(), 4);  // three records and the step's marker
    EXPECT_EQ(Content(), "abcdefgh");
    EXPECT_TRUE(doc.canRedo());
    EXPECT_FALSE(doc.canUndo());
    doc.redo();
    EXPECT_EQ(Content(), "XYZdefgh");
    EXPECT_FALSE(doc.canRedo());
    doc.undo();
    EXPECT_EQ(Content(), "abcdefgh");
    EXPECT_EQ(doc.lastChangePos, 0);
}

TEST_F(UndoRedoTest, TrailingEmptyStepsMergeWithTheStepBelow) {
    doc.beginStep();
    doc.setByte(5, '!');
    doc.beginStep();
    doc.beginStep();
    EXPECT_EQ(doc.undo(), 4);  // two empty markers, the record, its marker
    EXPECT_EQ(Content(), "abcdefgh");
    EXPECT_TRUE(doc.undoList.empty());
    EXPECT_EQ(doc.lastChangePos, 5);
}

TEST_F(UndoRedoTest, EveryKindOfChangeRoundTrips) {
    const uint8_t ins[] = {'1', '2', '3'};
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"fill", [&] { doc.fill(2, 3, '.'); }},
        {"overwrite", [&] { doc.overwrite(5, 3, ins); }},
        {"insertFill", [&] { doc.insertFill(8, 4, ' '); }},
        {"insertData", [&] { doc.insertData(0, 3, ins); }},
        {"deleteBytes", [&] { doc.deleteBytes(1, 6); }},
        {"setEndOfFile", [&] { doc.setEndOfFile(3); }},
        {"mixed", [&] {
             doc.deleteBytes(0, 2);
             doc.insertFill(1, 5000, 'w');
             doc.setByte(0, 'q');
             doc.setEndOfFile(4000);
         }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        const std::string before = Content();
        doc.beginStep();
        change();
        const std::string after = Content();
        doc.undo();
        EXPECT_EQ(Content(), before);
        doc.redo();
        EXPECT_EQ(Content(), after);
        doc.undo();
        EXPECT_EQ(Content(), before);
        EXPECT_FALSE(doc.canUndo());
        doc.clearUndo();
    }
}

TEST_F(UndoRedoTest, LastChangePositionFollowsTheRevertedRecords) {
    doc.beginStep();
    doc.insertFill(6, 2, 0);
    doc.undo();
    EXPECT_EQ(doc.lastChangePos, 6);
    doc.beginStep();
    doc.setEndOfFile(2);  // undoing a cut keeps the previous position
    doc.undo();
    EXPECT_EQ(Content(), "abcdefgh");
    EXPECT_EQ(doc.lastChangePos, 6);
}

TEST_F(UndoRedoTest, ANewChangeEndsTheRedoHistoryButARedoDoesNot) {
    doc.beginStep();
    doc.setByte(0, '1');
    doc.beginStep();
    doc.setByte(1, '2');
    doc.undo();
    doc.undo();
    EXPECT_EQ(Content(), "abcdefgh");
    doc.redo();  // the inverse records of a redo keep the older redo step
    EXPECT_TRUE(doc.canRedo());
    doc.redo();
    EXPECT_EQ(Content(), "12cdefgh");
    doc.undo();
    doc.beginStep();
    doc.setByte(7, 'z');
    EXPECT_FALSE(doc.canRedo());
    EXPECT_TRUE(doc.redoList.empty());
}

TEST_F(UndoRedoTest, KeepsSizeLooksAtTheLastStepOnly) {
    EXPECT_FALSE(doc.undoKeepsSize());  // nothing to undo
    doc.beginStep();
    doc.insertFill(0, 1, 0);
    doc.beginStep();
    doc.setByte(0, 'x');
    doc.fill(1, 2, 'y');
    doc.beginStep();  // a trailing empty step is skipped
    EXPECT_TRUE(doc.undoKeepsSize());
    doc.undo();
    EXPECT_FALSE(doc.undoKeepsSize());  // the insert
    EXPECT_TRUE(doc.redoKeepsSize());
    doc.undo();
    EXPECT_FALSE(doc.redoKeepsSize());  // redoing the insert grows the document
    for (auto change : {+[](TDataFile& d) { d.deleteBytes(0, 1); }, +[](TDataFile& d) { d.setEndOfFile(1); }}) {
        doc.beginStep();
        change(doc);
        EXPECT_FALSE(doc.undoKeepsSize());
    }
}

TEST_F(UndoRedoTest, ASnapshotStepRestoresTheWholeDocument) {
    for (int grow = 0; grow < 2; ++grow) {
        SCOPED_TRACE(grow ? "grown" : "shrunk");
        const std::string before = Content();
        doc.beginFullFillStep();
        ASSERT_TRUE(doc.lastIsFullFill());
        if (grow) {
            doc.insertFill(3, 9000, 'g');
            doc.setByte(0, 'G');
        } else {
            doc.deleteBytes(0, 5);
            doc.fill(0, 2, 's');
        }
        doc.moveRaw(0, 1, 1);
        EXPECT_EQ(doc.undoList.size(), 2u);  // marker and snapshot: the edits add nothing
        const std::string after = Content();
        doc.undo();
        EXPECT_EQ(Content(), before);
        EXPECT_EQ(doc.lastChangePos, 0);
        doc.redo();
        EXPECT_EQ(Content(), after);
        doc.undo();
        EXPECT_EQ(Content(), before);
        doc.beginStep();  // recording resumes after the next marker
        doc.setByte(1, 'r');
        EXPECT_EQ(doc.undoList.back()->memorySize(), 16);
        doc.undo();
    }
}

TEST_F(UndoRedoTest, DisabledUndoKeepsNoHistory) {
    doc.beginStep();
    doc.setByte(0, 'x');
    doc.undo();
    doc.disableUndo();
    EXPECT_TRUE(doc.undoList.empty());
    EXPECT_TRUE(doc.redoList.empty());
    doc.beginStep();
    doc.setByte(0, 'y');
    doc.insertFill(0, 3, 'z');
    doc.beginFullFillStep();  // no snapshot either
    doc.deleteBytes(0, 1);
    EXPECT_TRUE(doc.undoList.empty());
    EXPECT_TRUE(doc.redoList.empty());
    EXPECT_FALSE(doc.canUndo());
    EXPECT_EQ(doc.undo(), 0);
    EXPECT_EQ(Content(), "zzybcdefgh");
    doc.enableUndo();
    doc.beginStep();
    doc.setByte(0, 'a');
    EXPECT_TRUE(doc.canUndo());
}

TEST_F(UndoRedoTest, NothingToUndoOrRedoChangesNothing) {
    doc.beginStep();
    doc.beginStep();
    doc.setReadOnly(true);  // nothing to do: no read-only error either
    EXPECT_EQ(doc.undo(), 0);
    doc.redo();
    EXPECT_EQ(doc.undoList.size(), 2u);
    EXPECT_TRUE(doc.redoList.empty());
    EXPECT_EQ(doc.mode, 0);
    EXPECT_EQ(doc.lastChangePos, 0);
    EXPECT_EQ(Content(), "abcdefgh");
}

TEST_F(UndoRedoTest, AFailingRevertLeavesItsRecordAndTheModeNormal) {
    doc.beginStep();
    doc.setByte(0, 'x');
    doc.addUndoAction(new FailingRecord(&doc));
    doc.setByte(1, 'y');
    EXPECT_THROW(doc.undo(), EOutOfMemory);
    EXPECT_EQ(doc.mode, 0);
    EXPECT_EQ(Content(), "xbcdefgh");  // the newest record was reverted
    ASSERT_EQ(doc.undoList.size(), 3u);  // marker, 'x', the failing record
    EXPECT_NE(dynamic_cast<FailingRecord*>(doc.undoList.back()), nullptr);
    EXPECT_TRUE(doc.canRedo());
}

TEST_F(UndoRedoTest, RecordsAreFiledByMode) {
    doc.mode = TDataFile::ModeUndoing;
    doc.addUndoAction(new UndoInsert(&doc, 0, 1));
    EXPECT_EQ(doc.redoList.size(), 1u);
    doc.mode = TDataFile::ModeRedoing;
    doc.addUndoAction(new UndoInsert(&doc, 0, 1));
    EXPECT_EQ(doc.undoList.size(), 1u);
    EXPECT_EQ(doc.redoList.size(), 1u);
    doc.mode = 7;  // any other mode: the record is dropped
    doc.addUndoAction(new UndoInsert(&doc, 0, 1));
    EXPECT_EQ(doc.undoList.size() + doc.redoList.size(), 2u);
    doc.mode = TDataFile::ModeNormal;
    doc.addUndoAction(new UndoInsert(&doc, 0, 1));
    EXPECT_TRUE(doc.redoList.empty());
    EXPECT_EQ(doc.undoList.size(), 2u);
}

TEST_F(UndoRedoTest, RecordsReportTheirMemory) {
    doc.beginStep();
    doc.setByte(0, 'x');
    doc.fill(0, 3, 'y');
    doc.insertFill(0, 2, 0);
    doc.deleteBytes(0, 4);
    doc.setEndOfFile(1);
    std::vector<int32_t> sizes;
    for (UndoAction* r : doc.undoList)
        if (r) sizes.push_back(r->memorySize());
    EXPECT_EQ(sizes, (std::vector<int32_t>{16, 23, 16, 24, 20 + 5}));
    FullFill* snapshot = doc.makeFullFill();
    EXPECT_EQ(snapshot->memorySize(), 20 + doc.size);
    EXPECT_TRUE(snapshot->keepsSize());
    delete snapshot;
}
