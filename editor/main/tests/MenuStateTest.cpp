#include <gtest/gtest.h>

#include <map>
#include <string>

#include "editor/main/MenuState.h"

namespace {
std::map<std::string, bool> States(const TMenuStateFacts& f) {
    std::map<std::string, bool> m;
    for (const TItemState& s : MenuEnabledStates(f)) m[s.Name] = s.Enabled;
    return m;
}
}  // namespace

TEST(MenuState, EverythingIsOfferedOnAByte) {
    TMenuStateFacts f;
    f.CanUndo = true;
    auto m = States(f);
    EXPECT_TRUE(m.at("Undo1"));
    EXPECT_FALSE(m.at("Redo1"));
    EXPECT_TRUE(m.at("Knip"));
    EXPECT_TRUE(m.at("DataTypesfromFile1"));
    EXPECT_TRUE(m.at("Saveas1"));
    EXPECT_EQ(m.size(), 26u);
}

TEST(MenuState, NothingToCopyOnTheEndOfFileCell) {
    TMenuStateFacts f;
    f.AtEndWithoutSelection = true;
    auto m = States(f);
    for (const char* name : {"Knip", "Copy", "EndofFile1", "AdaptedTexttoClipboard", "DumptoClipboard1",
                             "DumptoClipboard2", "DecimalCopy", "HexadCopy", "BinaryCopy", "DataTypestoClipboard1"})
        EXPECT_FALSE(m.at(name)) << name;
    EXPECT_TRUE(m.at("Paste1"));
    EXPECT_TRUE(m.at("Delete1"));
}

TEST(MenuState, KeepFileSizeAndReadOnly) {
    TMenuStateFacts f;
    f.CanUndo = f.CanRedo = true;
    f.KeepFileSize = true;
    auto m = States(f);
    for (const char* name : {"Knip", "Insert1", "SetFileSize1", "EndofFile1", "InsertwhenTyping"})
        EXPECT_FALSE(m.at(name)) << name;
    EXPECT_TRUE(m.at("Copy"));
    EXPECT_TRUE(m.at("Lock"));
    f.KeepFileSize = false;
    f.ReadOnly = true;
    m = States(f);
    for (const char* name : {"Undo1", "Redo1", "Knip", "Paste1", "Delete1", "Replace1", "Lock",
                             "DataTypesfromClipboard1"})
        EXPECT_FALSE(m.at(name)) << name;
    // Save and Save as stay; Read Only blocks the save itself.
    EXPECT_TRUE(m.at("Save1"));
    EXPECT_TRUE(m.at("Saveas1"));
    EXPECT_TRUE(m.at("Copy"));
}

TEST(MenuState, KeepFileSizeCaption) {
    EXPECT_EQ(KeepFileSizeCaption("Keep File Size at ", 256), "Keep File Size at 256 bytes");
    EXPECT_EQ(KeepFileSizeCaption("Keep File Size at ", 1), "Keep File Size at 1 byte");
    EXPECT_EQ(KeepFileSizeCaption("Keep File Size at ", 0), "Keep File Size at 0 bytes");
}
