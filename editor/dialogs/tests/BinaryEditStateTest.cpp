// The bit editor's rows, label and write-back rule on a real document.
#include "editor/dialogs/BinaryEditState.h"

#include <gtest/gtest.h>

#include "editor/dialogs/tests/FakeDialogHost.h"

namespace {

std::vector<uint8_t> Count(int n) {
    std::vector<uint8_t> v(n);
    for (int i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(i);
    return v;
}

TEST(BinaryEditState, RowsShowCharacterDecimalHexAndBits) {
    FakeDialogHost host;
    host.Load({0x41, 0x00, 0xFF});
    BinaryEditState s;
    s.Refresh(host);
    EXPECT_EQ(s.Label, "Byte 0 to 2");
    EXPECT_EQ(s.LastOffset, 2);
    EXPECT_EQ(s.Rows[0].character, "A");
    EXPECT_EQ(s.Rows[0].decimal, "65");
    EXPECT_EQ(s.Rows[0].hexadecimal, "41");
    EXPECT_EQ(s.Rows[0].binary, "01000001");
    EXPECT_EQ(s.Rows[1].character, "") << "a zero byte shows no character";
    EXPECT_EQ(s.Rows[1].binary, "00000000");
    EXPECT_EQ(s.Rows[2].hexadecimal, "FF");
    EXPECT_EQ(s.Rows[2].binary, "11111111");
    for (int r = 3; r < 16; ++r) {
        EXPECT_EQ(s.Rows[r].binary, "");
        EXPECT_EQ(s.RowTexts[r], "");
    }
}

TEST(BinaryEditState, LabelNamesOneByteOrTheRealRangeWithTheFirstByteNumber) {
    FakeDialogHost host;
    host.Load(Count(40));
    BinaryEditState s;
    s.FirstOffset = 39;
    s.Refresh(host);
    EXPECT_EQ(s.Label, "Byte 39");
    s.FirstOffset = 8;
    host.firstByteNumber = 1;
    s.Refresh(host);
    EXPECT_EQ(s.Label, "Byte 9 to 24");
    EXPECT_EQ(s.LastOffset, 23);
}

TEST(BinaryEditState, ApplyRowWritesOneUndoStep) {
    FakeDialogHost host;
    host.Load({0x00, 0x01, 0x02});
    BinaryEditState s;
    s.Refresh(host);
    s.CurrentRow = 1;
    EXPECT_EQ(s.ApplyRow(host, "01000001"), BinaryEditState::Applied);
    EXPECT_EQ(host.doc.getByte(1), 65);
    EXPECT_EQ(s.Rows[1].character, "A");
    EXPECT_EQ(s.RowTexts[1], "01000001");
    EXPECT_EQ(host.modified, 1);
    EXPECT_EQ(host.selectionRepaints, 1);
    host.doc.undo();
    EXPECT_EQ(host.doc.getByte(1), 1);
    EXPECT_FALSE(host.doc.canUndo());
}

TEST(BinaryEditState, ApplyRowRefusals) {
    struct Case {
        const char* name;
        std::string text;
        int row;
        bool readOnly;
        int expected;
    };
    const Case cases[] = {
        {"seven digits", "1010101", 0, false, BinaryEditState::NotBinary},
        {"nine digits", "101010101", 0, false, BinaryEditState::NotBinary},
        {"a blank inside", "0100 001", 0, false, BinaryEditState::NotBinary},
        {"a two", "01000002", 0, false, BinaryEditState::NotBinary},
        {"a row past the end", "01000001", 5, false, BinaryEditState::PastEnd},
        {"the same text", "00000000", 0, false, BinaryEditState::Unchanged},
        {"read only", "01000001", 0, true, BinaryEditState::ReadOnlyOn},
    };
    for (const Case& c : cases) {
        FakeDialogHost host;
        host.Load({0x00, 0x01, 0x02});
        host.readOnly = c.readOnly;
        BinaryEditState s;
        s.Refresh(host);
        s.CurrentRow = c.row;
        EXPECT_EQ(s.ApplyRow(host, c.text), c.expected) << c.name;
        EXPECT_EQ(Bytes(host.doc), (std::vector<uint8_t>{0, 1, 2})) << c.name;
        EXPECT_FALSE(host.doc.canUndo()) << c.name;
        EXPECT_EQ(host.modified, 0) << c.name;
    }
}

TEST(BinaryEditState, BinaryTextOfEveryByteReadsBack) {
    for (int b = 0; b < 256; ++b) {
        const std::string t = ByteToBinaryText(static_cast<uint8_t>(b));
        ASSERT_EQ(t.size(), 8u);
        EXPECT_EQ(std::stoi(t, nullptr, 2), b);
    }
}

}  // namespace
