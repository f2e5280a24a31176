// The value input dialog's decisions on the user's text, in both layouts of
// its list and both range modes.
#include <gtest/gtest.h>

#include <string>

#include "editor/dialogs/ValueInputRules.h"

namespace {

// Items of the number layout (no Text) and of the character layout.
constexpr int NumDec = 0, NumHex = 1, NumBin = 2;
constexpr int ChrText = 0, ChrDec = 1, ChrHex = 2, ChrBin = 3;

struct Case {
    const char* text;
    int item;
    bool allowText, anyNumber;
    bool accepted;
    const char* key;
    int64_t value;
};

const Case kCases[] = {
    // Text takes exactly one character, also a digit.
    {"", ChrText, true, false, false, "ENTERONECHAR", 0},
    {"ab", ChrText, true, false, false, "ENTERONECHAR", 0},
    {"7", ChrText, true, false, true, "", '7'},
    {"\xE9", ChrText, true, false, true, "", 0xE9},
    // Decimal in the 0..255 range and in number mode.
    {"256", ChrDec, true, false, false, "RANGE000255", 0},
    {"255", ChrDec, true, false, true, "", 255},
    {"-1", ChrDec, true, false, false, "RANGE000255", 0},
    {"256", NumDec, false, true, true, "", 256},
    {"-1", NumDec, false, true, false, "ENTERPOSNUM", 0},
    {"12x", NumDec, false, true, false, "NOTVALIDVALUE", 0},
    {"", NumDec, false, true, false, "NOTVALIDVALUE", 0},
    {" 42 ", NumDec, false, true, true, "", 42},
    {"+7", NumDec, false, true, true, "", 7},
    {"2147483647", NumDec, false, true, true, "", 2147483647},
    {"2147483648", NumDec, false, true, false, "NOTVALIDVALUE", 0},
    {"0", NumDec, false, true, true, "", 0},
    // Hexadecimal.
    {"100", ChrHex, true, false, false, "RANGE00FF", 0},
    {"FF", ChrHex, true, false, true, "", 255},
    {"ff", NumHex, false, true, true, "", 255},
    {"G1", NumHex, false, true, false, "NOTVALIDVALUE", 0},
    {"", NumHex, false, true, true, "", 0},
    {"", ChrHex, true, false, true, "", 0},
    {"3E9", NumHex, false, true, true, "", 1001},
    {"7FFFFFFF", NumHex, false, true, true, "", 0x7FFFFFFF},
    {"00000007FFFFFFFF", NumHex, false, true, false, "NOTVALIDVALUE", 0},
    {"000000007FFFFFFF", NumHex, false, true, true, "", 0x7FFFFFFF},
    // Bit 31 set would be a negative count; more than 32 bits would be cut.
    {"80000000", NumHex, false, true, false, "ENTERPOSNUM", 0},
    {"FFFFFFFF", NumHex, false, true, false, "ENTERPOSNUM", 0},
    {"100000000", NumHex, false, true, false, "NOTVALIDVALUE", 0},
    {"100000000", ChrHex, true, false, false, "RANGE00FF", 0},
    // Binary.
    {"111111111", ChrBin, true, false, false, "RANGE0000000011111111", 0},
    {"11111111", ChrBin, true, false, true, "", 255},
    {"102", NumBin, false, true, false, "NOTVALIDVALUE", 0},
    {"", NumBin, false, true, true, "", 0},
    {"10000000000000000000000000000000", NumBin, false, true, false, "ENTERPOSNUM", 0},
    {"100000000000000000000000000000000", NumBin, false, true, false, "NOTVALIDVALUE", 0},
};

}  // namespace

TEST(ValueInputRules, AcceptsOrRefusesWithTheMessageKey) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string("text '") + c.text + "' item " + std::to_string(c.item) +
                     (c.allowText ? " with Text" : " numbers") + (c.anyNumber ? " any" : " 0..255"));
        ValueCheck r = CheckValueText(c.text, c.item, c.allowText, c.anyNumber);
        EXPECT_EQ(r.Accepted, c.accepted);
        EXPECT_STREQ(r.MessageKey, c.key);
        if (c.accepted) {
            EXPECT_EQ(r.Value, c.value);
        }
    }
}

TEST(ValueInputRules, OnlyDecimalSwitchesToHexadecimalOnAHexLetter) {
    struct Switch {
        const char* text;
        int item;
        bool allowText;
        bool switches;
    } cases[] = {
        {"1F", NumDec, false, true},  {"1f", ChrDec, true, true},   {"12", NumDec, false, false},
        {"", NumDec, false, false},   {"A", ChrText, true, false},  {"1G", NumDec, false, false},
        {"1F", NumHex, false, false}, {"1F", NumBin, false, false}, {"-1F", NumDec, false, false},
    };
    for (const Switch& s : cases) {
        SCOPED_TRACE(std::string(s.text) + " item " + std::to_string(s.item));
        EXPECT_EQ(SwitchesToHexadecimal(s.text, s.item, s.allowText), s.switches);
    }
}

TEST(ValueInputRules, TheListOffersTextOnlyWhenAllowed) {
    EXPECT_EQ(ValueKindKeys(true), (std::vector<std::string>{"WORD_TEXT", "DECIMAL", "HEXADECIMAL", "BINARY"}));
    EXPECT_EQ(ValueKindKeys(false), (std::vector<std::string>{"DECIMAL", "HEXADECIMAL", "BINARY"}));
    EXPECT_EQ(ValueKindAt(0, true), ValueKind::Text);
    EXPECT_EQ(ValueKindAt(1, true), ValueKind::Decimal);
    EXPECT_EQ(ValueKindAt(0, false), ValueKind::Decimal);
    EXPECT_EQ(ValueKindAt(2, false), ValueKind::Binary);
}
