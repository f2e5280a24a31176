#include <gtest/gtest.h>

#include <cctype>
#include <functional>

#include "editor/document/DataFile.h"
#include "editor/document/tests/DocumentTestSupport.h"
#include "editor/document/tests/FakeDocumentIO.h"
#include "framework/Exceptions.h"

namespace {
void ExpectMessage(const std::function<void()>& f, const std::string& message) {
    try {
        f();
        ADD_FAILURE() << "no exception, expected: " << message;
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, message);
    }
}

const char* const ReadOnly = "Changing is disabled when readonly is enabled";

class DataFileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { LoadEnglishPackFromSources(); }
    // The text with its first letter capitalised in one step and its second
    // in another, that one undone: a step to undo and a step to redo.
    void HistoryOfTwoSteps(const std::string& text) {
        SetBytes(doc, Text(text));
        for (int32_t pos : {0, 1}) {
            doc.beginStep();
            doc.setByte(pos, static_cast<uint8_t>(std::toupper(text[static_cast<size_t>(pos)])));
        }
        doc.undo();
    }
    FakeDocumentIO io;
    TDataFile doc{&io};
};
}  // namespace

TEST_F(DataFileTest, ANewDocumentIs256ZeroBytes) {
    auto check = [&] {
        EXPECT_EQ(doc.size, 256);
        EXPECT_EQ(doc.capacity, 256);
        EXPECT_EQ(Bytes(doc), std::vector<uint8_t>(256, 0));
        EXPECT_TRUE(doc.undoList.empty());
        EXPECT_TRUE(doc.redoList.empty());
    };
    check();
    EXPECT_TRUE(doc.undoEnabled);
    EXPECT_FALSE(doc.readOnly);
    EXPECT_EQ(doc.mode, 0);
    doc.beginStep();
    doc.setByte(3, 7);
    doc.setSize(1000);
    doc.setReadOnly(true);
    doc.newFile();
    check();
    EXPECT_TRUE(doc.readOnly);  // newFile leaves the flags as they are
}

TEST_F(DataFileTest, CapacityGrowsAndShrinksInWholePages) {
    struct Case {
        int32_t size, capacity;
    } cases[] = {{0, 4096}, {1, 4096}, {4095, 4096}, {4096, 8192}, {10000, 12288}, {8191, 8192}, {3, 4096}};
    for (const Case& c : cases) {
        doc.setSize(c.size);
        EXPECT_EQ(doc.size, c.size);
        EXPECT_EQ(doc.capacity, c.capacity) << c.size;
    }
    doc.setSize(0);
    uint8_t* block = doc.data;
    doc.setSize(4095);
    EXPECT_EQ(doc.data, block);  // the same page: no reallocation
    doc.setSize(4096);
    EXPECT_EQ(doc.capacity, 8192);
}

TEST_F(DataFileTest, TheFirstResizeAfterALoadAppliesThePageRule) {
    io.files[u"f"] = std::vector<uint8_t>(5000, 9);
    ASSERT_TRUE(doc.loadFromFile(u"f"));
    EXPECT_EQ(doc.capacity, 5000);
    doc.setSize(5000);
    EXPECT_EQ(doc.capacity, 8192);
    EXPECT_EQ(Bytes(doc), std::vector<uint8_t>(5000, 9));
}

TEST_F(DataFileTest, ByteAccessChecksTheRange) {
    SetBytes(doc, Text("abc"));
    EXPECT_EQ(doc.getByte(2), 'c');
    ExpectMessage([&] { doc.getByte(3); }, "Application Error: getByte: index>=size");
    ExpectMessage([&] { doc.getByte(-1); }, "Application Error: getByte: index<0");
    ExpectMessage([&] { doc.setByte(3, 0); }, "Application Error: setByte: index>=size");
    ExpectMessage([&] { doc.setByte(-1, 0); }, "Application Error: setByte: index<0");
    doc.setByte(0, 'X');
    EXPECT_EQ(Bytes(doc), Text("Xbc"));
}

TEST_F(DataFileTest, EditingOperationsChangeTheBytes) {
    SetBytes(doc, Text("0123456789"));
    doc.fill(1, 3, '-');
    EXPECT_EQ(Bytes(doc), Text("0---456789"));
    const uint8_t ab[] = {'a', 'b'};
    doc.overwrite(8, 2, ab);
    EXPECT_EQ(Bytes(doc), Text("0---4567ab"));
    doc.insertFill(0, 2, '+');
    EXPECT_EQ(Bytes(doc), Text("++0---4567ab"));
    doc.insertData(12, 2, ab);
    EXPECT_EQ(Bytes(doc), Text("++0---4567abab"));
    doc.deleteBytes(2, 4);
    EXPECT_EQ(Bytes(doc), Text("++4567abab"));
    doc.setEndOfFile(6);
    EXPECT_EQ(Bytes(doc), Text("++4567"));
    doc.moveRaw(0, 2, 4);
    EXPECT_EQ(Bytes(doc), Text("456767"));
    doc.writeRaw(4, 2, ab);
    EXPECT_EQ(Bytes(doc), Text("4567ab"));
    doc.insertFill(3, 0, 'z');  // nothing to insert
    doc.deleteBytes(6, 0);
    EXPECT_EQ(Bytes(doc), Text("4567ab"));
    doc.deleteBytes(0, doc.size);
    EXPECT_EQ(doc.size, 0);
    EXPECT_EQ(doc.capacity, 4096);
}

TEST_F(DataFileTest, InsertingBytesTakenFromTheDocumentItself) {
    SetBytes(doc, Text("abcdef"));
    doc.setSize(4096);  // the insert below has to reallocate
    doc.setSize(6);
    doc.insertData(6, 4090, doc.data);  // reads past the old end would be garbage
    EXPECT_EQ(doc.size, 4096);
    EXPECT_EQ(std::string(doc.data, doc.data + 12), "abcdefabcdef");
}

TEST_F(DataFileTest, ReadOnlyRefusesEveryChangeBeforeAnythingHappens) {
    HistoryOfTwoSteps("abcd");
    doc.setReadOnly(true);
    const auto before = Bytes(doc);
    const uint8_t x[] = {'x'};
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"setByte", [&] { doc.setByte(0, 1); }},
        {"setByte out of range", [&] { doc.setByte(100, 1); }},
        {"fill", [&] { doc.fill(0, 1, 1); }},
        {"overwrite", [&] { doc.overwrite(0, 1, x); }},
        {"insertFill", [&] { doc.insertFill(0, 1, 1); }},
        {"insertData", [&] { doc.insertData(0, 1, x); }},
        {"deleteBytes", [&] { doc.deleteBytes(0, 1); }},
        {"setEndOfFile", [&] { doc.setEndOfFile(0); }},
        {"moveRaw", [&] { doc.moveRaw(0, 1, 1); }},
        {"writeRaw", [&] { doc.writeRaw(0, 1, x); }},
        {"undo", [&] { doc.undo(); }},
        {"redo", [&] { doc.redo(); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        ExpectMessage(change, ReadOnly);
        EXPECT_EQ(Bytes(doc), before);
        EXPECT_EQ(doc.undoList.size(), 2u);
        EXPECT_EQ(doc.redoList.size(), 2u);
        EXPECT_EQ(doc.mode, 0);
    }
    doc.setSize(2);  // storage operations are not guarded
    EXPECT_EQ(doc.size, 2);
}

TEST_F(DataFileTest, MisplacedRangesAreRefusedWithoutTouchingMemory) {
    SetBytes(doc, Text("abcd"));
    const uint8_t x[] = {'x', 'y'};
    const std::vector<std::function<void()>> misuse = {
        [&] { doc.fill(3, 2, 0); },         [&] { doc.fill(-1, 1, 0); },       [&] { doc.overwrite(0, 5, x); },
        [&] { doc.insertFill(5, 1, 0); },   [&] { doc.insertData(-1, 1, x); }, [&] { doc.insertFill(0, -1, 0); },
        [&] { doc.deleteBytes(2, 3); },     [&] { doc.deleteBytes(0, -1); },   [&] { doc.setEndOfFile(5); },
        [&] { doc.moveRaw(0, 3, 2); },      [&] { doc.writeRaw(3, 2, x); },    [&] { doc.setSize(-1); },
    };
    for (size_t i = 0; i < misuse.size(); ++i) {
        EXPECT_THROW(misuse[i](), Exception) << "case " << i;
        EXPECT_EQ(Bytes(doc), Text("abcd")) << "case " << i;
    }
    EXPECT_TRUE(doc.undoList.empty());
}

TEST_F(DataFileTest, GrowthPastTheLargestDocumentIsRefusedAsOutOfMemory) {
    SetBytes(doc, Text("abcd"));
    doc.beginStep();
    doc.setByte(0, 'A');
    const size_t entries = doc.undoList.size();
    EXPECT_THROW(doc.insertFill(2, MaxDocumentSize - 3, 0), EOutOfMemory);
    EXPECT_THROW(doc.insertData(0, INT32_MAX, doc.data), EOutOfMemory);
    EXPECT_THROW(doc.setSize(MaxDocumentSize + 1), EOutOfMemory);
    EXPECT_EQ(Bytes(doc), Text("Abcd"));
    EXPECT_EQ(doc.undoList.size(), entries);
    // The largest document still has a capacity that fits a signed 32-bit size.
    EXPECT_EQ(int64_t{MaxDocumentSize} / 4096 * 4096 + 4096, int64_t{INT32_MAX} - 4095);
}

#if defined(_WIN32)
// In a 32-bit process a block of almost 2 GiB cannot be had: the failed
// growth must leave the document and its history exactly as they were.
TEST_F(DataFileTest, AFailedGrowthChangesNothing) {
    SetBytes(doc, Text("abcd"));
    doc.beginStep();
    doc.setByte(0, 'A');
    const auto undoBefore = doc.undoList;
    try {
        doc.insertFill(2, MaxDocumentSize - 4, 0);
        GTEST_SKIP() << "the allocation succeeded";
    } catch (const EOutOfMemory&) {
    }
    EXPECT_EQ(Bytes(doc), Text("Abcd"));
    EXPECT_EQ(doc.undoList, undoBefore);
    EXPECT_EQ(doc.undo(), 2);
    EXPECT_EQ(Bytes(doc), Text("abcd"));
}
#endif

TEST_F(DataFileTest, LoadReadsTheWholeFileAndDropsTheHistory) {
    io.files[u"data.bin"] = Text("hello");
    doc.beginStep();
    doc.setByte(0, 1);
    doc.undo();
    ASSERT_TRUE(doc.loadFromFile(u"data.bin"));
    EXPECT_EQ(Bytes(doc), Text("hello"));
    EXPECT_EQ(doc.capacity, 5);
    EXPECT_TRUE(doc.undoList.empty());
    EXPECT_TRUE(doc.redoList.empty());
    EXPECT_TRUE(io.messages.empty());
    EXPECT_EQ(io.openFiles, 0);
}

// The system may hand over fewer bytes per call than asked; the load reads
// on until the whole file is in, straight into the document's block, in
// pieces of megabytes rather than through a small buffer.
TEST_F(DataFileTest, LoadGathersTheFileFromPartialReads) {
    io.files[u"pieces"] = Text("0123456789");
    io.readLimit = 3;
    ASSERT_TRUE(doc.loadFromFile(u"pieces"));
    EXPECT_EQ(Bytes(doc), Text("0123456789"));
    EXPECT_EQ(io.reads, 4);
    io.readLimit = -1;

    std::vector<uint8_t> big(20 << 20);
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i * 131 >> 7);
    io.files[u"big"] = big;
    io.reads = 0;
    ASSERT_TRUE(doc.loadFromFile(u"big"));
    EXPECT_TRUE(doc.size == static_cast<int32_t>(big.size()) && std::equal(big.begin(), big.end(), doc.data));
    EXPECT_LE(io.reads, 3);
    EXPECT_TRUE(io.messages.empty());
}

TEST_F(DataFileTest, AnEmptyFileGivesAnEmptyDocument) {
    io.files[u"empty"] = {};
    ASSERT_TRUE(doc.loadFromFile(u"empty"));
    EXPECT_EQ(doc.size, 0);
    EXPECT_EQ(doc.capacity, 0);
    doc.insertFill(0, 3, 'e');
    EXPECT_EQ(Bytes(doc), Text("eee"));
    EXPECT_EQ(doc.capacity, 4096);
}

TEST_F(DataFileTest, AFailedLoadLeavesTheDocumentAndItsHistory) {
    HistoryOfTwoSteps("keep");
    io.files[u"short"] = Text("0123456789");
    struct Case {
        const char* what;
        std::u16string name;
        int64_t reportedSize, readLimit;
        std::string text;
    } cases[] = {
        {"missing", u"missing.bin", -2, -1, "Cannot read from "},
        {"file ends before its size", u"short", 14, -1, "Cannot read all data from "},
        {"file ends before its size, read in pieces", u"short", 14, 4, "Cannot read all data from "},
        {"2 GiB and more", u"short", int64_t{1} << 31, -1, "Cannot read all data from "},
        {"4 GiB and 16 bytes", u"short", (int64_t{1} << 32) + 16, -1, "Cannot read all data from "},
        {"size unknown", u"short", -1, -1, "Cannot read all data from "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        io.messages.clear();
        io.reportedSize = c.reportedSize;
        io.readLimit = c.readLimit;
        EXPECT_FALSE(doc.loadFromFile(c.name));
        EXPECT_EQ(Bytes(doc), Text("Keep"));
        EXPECT_EQ(doc.undoList.size(), 2u);
        EXPECT_EQ(doc.redoList.size(), 2u);
        EXPECT_EQ(io.openFiles, 0);
        ASSERT_EQ(io.messages.size(), 1u);
        EXPECT_EQ(io.messages[0].text, c.text);
        EXPECT_EQ(io.messages[0].fileName, c.name);
        EXPECT_EQ(io.messages[0].caption, "File Error");
    }
    io.reportedSize = -2;
    io.readLimit = -1;
    doc.redo();
    EXPECT_EQ(Bytes(doc), Text("KEep"));
}

TEST_F(DataFileTest, SaveWritesEveryByteAndChangesNothing) {
    SetBytes(doc, Text("saved"));
    doc.beginStep();
    doc.setByte(0, 'S');
    doc.setReadOnly(true);
    ASSERT_TRUE(doc.saveToFile(u"out"));
    EXPECT_EQ(io.files[u"out"], Text("Saved"));
    EXPECT_EQ(doc.undoList.size(), 2u);
    EXPECT_TRUE(doc.readOnly);
    EXPECT_EQ(io.openFiles, 0);

    doc.setReadOnly(false);
    doc.deleteBytes(0, doc.size);
    io.files[u"out"] = Text("old");
    ASSERT_TRUE(doc.saveToFile(u"out"));  // an empty document empties the file
    EXPECT_TRUE(io.files[u"out"].empty());
    EXPECT_TRUE(io.messages.empty());
}

TEST_F(DataFileTest, AFailedSaveTellsTheUser) {
    SetBytes(doc, Text("data"));
    io.refuseCreate = true;
    EXPECT_FALSE(doc.saveToFile(u"locked"));
    io.refuseCreate = false;
    io.writeLimit = 2;
    EXPECT_FALSE(doc.saveToFile(u"full disk"));
    ASSERT_EQ(io.messages.size(), 2u);
    EXPECT_EQ(io.messages[0].text, "Cannot write to ");
    EXPECT_EQ(io.messages[0].fileName, u"locked");
    EXPECT_EQ(io.messages[1].text, "Cannot write to ");
    EXPECT_EQ(io.messages[1].caption, "File Error");
    EXPECT_EQ(io.openFiles, 0);
}
