#include "editor/main/EditorSettings.h"

#include <gtest/gtest.h>

#include "editor/main/tests/MemorySettingsStore.h"

namespace {

constexpr int ScreenW = 1920, ScreenH = 1080;

std::vector<uint8_t> Utf16(const std::u16string& s) {
    std::vector<uint8_t> b;
    for (char16_t c : s) {
        b.push_back(static_cast<uint8_t>(c & 0xFF));
        b.push_back(static_cast<uint8_t>(c >> 8));
    }
    return b;
}

// A complete key as the editor writes it: a normal window at 10,20, 600 x 400.
void FillKey(MemorySettingsStore::Key& k) {
    const char* colors[] = {"Background Color", "Selection Color", "Data Color 1",
                            "Data Color 2",     "Cursor Color",    "Selected Text Color"};
    for (int i = 0; i < 6; ++i) k[colors[i]] = int32_t{0x10 + i};
    k["Window Maximized"] = int32_t{0};
    k["Window Left"] = int32_t{10};
    k["Window Top"] = int32_t{20};
    k["Window Width"] = int32_t{600};
    k["Window Height"] = int32_t{400};
    k["Read Only"] = int32_t{1};
    k["FirstByte1"] = int32_t{1};
    k["Size text view"] = int32_t{200};
    k["Size decimal view"] = int32_t{300};
    k["Size hexadecimal view"] = int32_t{400};
}

TEST(EditorSettingsTest, FirstStartGivesTheDefaultsAndMakesTheOlderKey) {
    MemorySettingsStore store;
    TEditorSettings s = LoadEditorSettings(store, ScreenW, ScreenH);
    EXPECT_EQ(s.Colors, (std::array<uint32_t, 6>{0x800000, 0xE47E46, 0xFFFFFF, 0x00FFFF, 0xC0C0C0, 0xFFFFFF}));
    EXPECT_TRUE(s.Maximized);
    EXPECT_EQ(s.Left, 0);
    EXPECT_EQ(s.Top, 0);
    EXPECT_EQ(s.Width, 407);
    EXPECT_EQ(s.Height, 550);
    EXPECT_FALSE(s.ReadOnly.has_value());
    EXPECT_FALSE(s.ViewWidths.has_value());
    EXPECT_TRUE(s.RecentFiles.empty());
    EXPECT_TRUE(s.RecentEnabled);
    // The key tried last is made (empty), so that the next start finds it.
    EXPECT_TRUE(store.KeyExists(OlderSettingsKey));
    EXPECT_FALSE(store.KeyExists(SettingsKey));
}

TEST(EditorSettingsTest, ACompleteKeyIsReadWhole) {
    MemorySettingsStore store;
    FillKey(store.At(SettingsKey));
    store.At(SettingsKey)["Recent file 0"] = Utf16(u"C:\\new\u00e9st.bin");
    store.At(SettingsKey)["Recent file 1"] = Utf16(u"C:\\older.bin");
    store.At(SettingsKey)["Recent file 3"] = Utf16(u"C:\\after a gap.bin");
    TEditorSettings s = LoadEditorSettings(store, ScreenW, ScreenH);
    EXPECT_EQ(s.Colors, (std::array<uint32_t, 6>{0x10, 0x11, 0x12, 0x13, 0x14, 0x15}));
    EXPECT_FALSE(s.Maximized);
    EXPECT_EQ(s.Left, 10);
    EXPECT_EQ(s.Top, 20);
    EXPECT_EQ(s.Width, 600);
    EXPECT_EQ(s.Height, 400);
    EXPECT_EQ(s.ReadOnly, true);
    EXPECT_EQ(s.FirstByte1, true);
    EXPECT_EQ(s.ViewWidths, (std::array<int, 3>{200, 300, 400}));
    // A missing value ends the list.
    EXPECT_EQ(s.RecentFiles, (std::vector<std::u16string>{u"C:\\new\u00e9st.bin", u"C:\\older.bin"}));
}

TEST(EditorSettingsTest, ANormalWindowIsKeptOnTheScreenAndAtLeastItsSmallestSize) {
    struct Case {
        int left, top, width, height;
        int wantLeft, wantTop, wantWidth, wantHeight;
    } cases[] = {
        {1900, 20, 800, 400, 0, 20, 800, 400},    // past the right edge
        {1120, 20, 800, 400, 1120, 20, 800, 400}, // just fits
        {10, 900, 600, 400, 10, 0, 600, 400},     // past the bottom
        {10, 20, 100, 50, 10, 20, 250, 180},      // too small
        {10, 20, 0x7FFFFFFF, 400, 0, 20, 0x7FFFFFFF, 400},  // a sum past 32 bits
    };
    for (const Case& c : cases) {
        MemorySettingsStore store;
        MemorySettingsStore::Key& k = store.At(SettingsKey);
        FillKey(k);
        k["Window Left"] = c.left;
        k["Window Top"] = c.top;
        k["Window Width"] = c.width;
        k["Window Height"] = c.height;
        TEditorSettings s = LoadEditorSettings(store, ScreenW, ScreenH);
        EXPECT_EQ(s.Left, c.wantLeft) << c.left;
        EXPECT_EQ(s.Top, c.wantTop) << c.top;
        EXPECT_EQ(s.Width, c.wantWidth) << c.width;
        EXPECT_EQ(s.Height, c.wantHeight) << c.height;
    }
}

TEST(EditorSettingsTest, AFailedReadGivesDefaultsButKeepsWhatWasReadBefore) {
    struct Case {
        const char* broken;
        bool missing;  // else of another type
        bool readOnlyKept;
    } cases[] = {
        {"Selection Color", true, false},
        {"Window Width", false, false},
        {"Size decimal view", true, true},
        {"FirstByte1", false, true},
    };
    for (const Case& c : cases) {
        MemorySettingsStore store;
        MemorySettingsStore::Key& k = store.At(SettingsKey);
        FillKey(k);
        k["Recent file 0"] = Utf16(u"C:\\a.bin");
        if (c.missing) k.erase(c.broken);
        else k[c.broken] = std::string("text");
        TEditorSettings s = LoadEditorSettings(store, ScreenW, ScreenH);
        EXPECT_EQ(s.Colors, TEditorSettings::DefaultColors()) << c.broken;
        EXPECT_TRUE(s.Maximized) << c.broken;
        EXPECT_EQ(s.Left, 0);
        EXPECT_EQ(s.Top, 0);
        EXPECT_TRUE(s.RecentFiles.empty()) << c.broken;
        EXPECT_EQ(s.ReadOnly.has_value(), c.readOnlyKept) << c.broken;
    }
}

TEST(EditorSettingsTest, AMissingFirstByteValueLeavesTheOptionAlone) {
    MemorySettingsStore store;
    FillKey(store.At(SettingsKey));
    store.At(SettingsKey).erase("FirstByte1");
    TEditorSettings s = LoadEditorSettings(store, ScreenW, ScreenH);
    EXPECT_FALSE(s.FirstByte1.has_value());
    EXPECT_EQ(s.Colors[0], 0x10u);  // the rest was read
}

TEST(EditorSettingsTest, ALongRecentPathIsReadWholeAndKeepsTheOtherSettings) {
    MemorySettingsStore store;
    FillKey(store.At(SettingsKey));
    std::u16string longPath = u"C:\\" + std::u16string(1000, u'x') + u".bin";
    store.At(SettingsKey)["Recent file 0"] = Utf16(longPath);
    TEditorSettings s = LoadEditorSettings(store, ScreenW, ScreenH);
    ASSERT_EQ(s.RecentFiles.size(), 1u);
    EXPECT_EQ(s.RecentFiles[0], longPath);
    EXPECT_FALSE(s.Maximized);
    EXPECT_EQ(s.Colors[0], 0x10u);
}

TEST(EditorSettingsTest, TheOlderKeyIsReadOnlyWhenTheCurrentOneIsMissing) {
    MemorySettingsStore store;
    MemorySettingsStore::Key& old = store.At(OlderSettingsKey);
    FillKey(old);
    old["Recent file 0"] = std::string("C:\\old one.bin");
    old["Recent file 1"] = std::string("");
    old["Recent file 2"] = std::string("C:\\not read.bin");
    TEditorSettings s = LoadEditorSettings(store, ScreenW, ScreenH);
    EXPECT_EQ(s.Colors[0], 0x10u);
    EXPECT_EQ(s.RecentFiles, (std::vector<std::u16string>{u"C:\\old one.bin"}));

    // With a current key beside it, the older key is not looked at.
    FillKey(store.At(SettingsKey));
    store.At(SettingsKey)["Background Color"] = int32_t{0x99};
    s = LoadEditorSettings(store, ScreenW, ScreenH);
    EXPECT_EQ(s.Colors[0], 0x99u);
    EXPECT_TRUE(s.RecentFiles.empty());
}

TEST(EditorSettingsTest, ABrokenCurrentKeyDoesNotFallBackToTheOlderOne) {
    MemorySettingsStore store;
    FillKey(store.At(OlderSettingsKey));
    store.At(SettingsKey)["Background Color"] = int32_t{0x99};
    TEditorSettings s = LoadEditorSettings(store, ScreenW, ScreenH);
    EXPECT_EQ(s.Colors, TEditorSettings::DefaultColors());
    EXPECT_TRUE(s.Maximized);
}

TEST(EditorSettingsTest, ThePolicyWithoutRecentDocumentsReadsNoneAndDeletesAllAtSaving) {
    MemorySettingsStore store;
    FillKey(store.At(SettingsKey));
    for (int n = 0; n < 10; ++n)
        store.At(SettingsKey)["Recent file " + std::to_string(n)] = Utf16(u"C:\\f" + std::u16string(1, u'0' + n));
    store.At(ExplorerPolicyKey)["NoRecentDocsMenu"] = int32_t{1};
    TEditorSettings s = LoadEditorSettings(store, ScreenW, ScreenH);
    EXPECT_FALSE(s.RecentEnabled);
    EXPECT_TRUE(s.RecentFiles.empty());
    EXPECT_EQ(s.Colors[0], 0x10u);

    TSettingsToSave out;
    out.RecentEnabled = false;
    out.RecentFiles = {u"C:\\kept in memory only.bin"};
    SaveEditorSettings(store, out);
    for (int n = 0; n < 10; ++n) EXPECT_EQ(store.At(SettingsKey).count("Recent file " + std::to_string(n)), 0u) << n;

    // Any other policy value, or one of another type, leaves the list on.
    for (MemorySettingsStore::Value v : {MemorySettingsStore::Value(int32_t{0}), MemorySettingsStore::Value(std::string("1"))}) {
        store.At(ExplorerPolicyKey)["NoRecentDocsMenu"] = v;
        EXPECT_TRUE(LoadEditorSettings(store, ScreenW, ScreenH).RecentEnabled);
    }
}

TEST(EditorSettingsTest, SavingWritesEveryValueAndReadsBackTheSame) {
    MemorySettingsStore store;
    TSettingsToSave out;
    out.Colors = {1, 2, 3, 4, 5, 6};
    out.Maximized = false;
    out.Left = 30;
    out.Top = 40;
    out.Width = 700;
    out.Height = 500;
    out.ReadOnly = true;
    out.FirstByte1 = true;
    out.ViewWidths = {100, 200, 300};
    out.RecentFiles = {u"C:\\newest.bin", u"D:\\b\u0100.bin"};
    out.Language = "NL";
    SaveEditorSettings(store, out);

    MemorySettingsStore::Key& k = store.At(SettingsKey);
    EXPECT_EQ(std::get<std::string>(k["Language"]), "NL");
    // UTF-16 without a terminator, the newest first.
    EXPECT_EQ(std::get<std::vector<uint8_t>>(k["Recent file 0"]), Utf16(u"C:\\newest.bin"));
    EXPECT_EQ(std::get<std::vector<uint8_t>>(k["Recent file 1"]).size(), 2u * 9);
    EXPECT_EQ(std::get<int32_t>(k["Window Maximized"]), 0);

    TEditorSettings s = LoadEditorSettings(store, ScreenW, ScreenH);
    EXPECT_EQ(s.Colors, (std::array<uint32_t, 6>{1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(s.Maximized);
    EXPECT_EQ(s.Left, 30);
    EXPECT_EQ(s.Width, 700);
    EXPECT_EQ(s.ReadOnly, true);
    EXPECT_EQ(s.FirstByte1, true);
    EXPECT_EQ(s.ViewWidths, (std::array<int, 3>{100, 200, 300}));
    EXPECT_EQ(s.RecentFiles, out.RecentFiles);

    // A shorter list replaces the longer one whole.
    out.RecentFiles = {u"C:\\only.bin"};
    SaveEditorSettings(store, out);
    EXPECT_EQ(LoadEditorSettings(store, ScreenW, ScreenH).RecentFiles, out.RecentFiles);
}

TEST(EditorSettingsTest, TheRecentListHoldsTenNewestFirstWithoutDuplicates) {
    std::vector<std::u16string> list;
    for (int i = 0; i < 11; ++i) AddRecentPath(list, u"C:\\f" + std::u16string(1, static_cast<char16_t>(u'a' + i)));
    ASSERT_EQ(list.size(), 10u);
    EXPECT_EQ(list.front(), u"C:\\fk");
    EXPECT_EQ(list.back(), u"C:\\fb");  // the oldest, C:\fa, went
    AddRecentPath(list, u"C:\\fe");
    EXPECT_EQ(list.size(), 10u);
    EXPECT_EQ(list[0], u"C:\\fe");
    EXPECT_EQ(std::count(list.begin(), list.end(), u"C:\\fe"), 1);
    // The comparison is exact: another case is another entry.
    AddRecentPath(list, u"C:\\FE");
    EXPECT_EQ(list[0], u"C:\\FE");
    EXPECT_EQ(list[1], u"C:\\fe");
}

}  // namespace
