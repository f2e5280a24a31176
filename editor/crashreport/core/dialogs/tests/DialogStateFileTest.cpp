// The dialogs' state file: the detailed dialog's rectangle with its defaults
// and re-centring, what saving writes, the column widths and the e-mail.
#include <gtest/gtest.h>

#include "editor/crashreport/core/dialogs/DialogStateFile.h"
#include "editor/crashreport/core/dialogs/tests/MemoryStateStore.h"

namespace {

const TWorkRect Work{0, 0, 1024, 738};
const int32_t Band = 30;

TEST(DialogStateFile, EmptyFileGivesTheCentredDefaults)
{
    TMemoryStateStore store;
    const TDetailedRect r = ReadDetailedRect(store, Work, Band);
    EXPECT_EQ(r.Width, 745);
    EXPECT_EQ(r.Height, 468);
    EXPECT_EQ(r.Left, (1024 - 745) / 2);
    EXPECT_EQ(r.Top, (738 - 468 - Band) / 2);
    EXPECT_EQ(r.WindowState, StateNormal);
}

TEST(DialogStateFile, StoredRectangleInsideTheWorkAreaIsKept)
{
    TMemoryStateStore store;
    store.Set("Width", "500");
    store.Set("Height", "300");
    store.Set("Left", "20");
    store.Set("Top", "40");
    store.Set("WindowsState", "3");
    const TDetailedRect r = ReadDetailedRect(store, Work, Band);
    EXPECT_EQ(r.Left, 20);
    EXPECT_EQ(r.Top, 40);
    EXPECT_EQ(r.Width, 500);
    EXPECT_EQ(r.Height, 300);
    EXPECT_EQ(r.WindowState, 3);
}

TEST(DialogStateFile, RectangleOffTheWorkAreaIsCentred)
{
    struct Case {
        const char* key;
        const char* value;
    };
    // Left of -5000, beyond the right, above the top, below the bottom, and a
    // value so large that left + width would overflow 32 bits.
    for (const Case& c : {Case{"Left", "-5000"}, Case{"Left", "900"}, Case{"Top", "-1"}, Case{"Top", "600"},
                          Case{"Left", "2147483000"}}) {
        TMemoryStateStore store;
        store.Set("Width", "500");
        store.Set("Height", "300");
        store.Set("Left", "20");
        store.Set("Top", "40");
        store.Set(c.key, c.value);
        const TDetailedRect r = ReadDetailedRect(store, TWorkRect{10, 20, 1034, 758}, Band);
        EXPECT_EQ(r.Left, 10 + (1024 - 500) / 2) << c.key << "=" << c.value;
        EXPECT_EQ(r.Top, 20 + (738 - 300) / 2) << c.key << "=" << c.value;
    }
}

TEST(DialogStateFile, UnreadableNumbersFallBackToTheDefaults)
{
    TMemoryStateStore store;
    store.Set("Width", "wide");
    store.Set("Height", "");
    store.Set("WindowsState", "x");
    const TDetailedRect r = ReadDetailedRect(store, Work, Band);
    EXPECT_EQ(r.Width, 745);
    EXPECT_EQ(r.Height, 468);
    EXPECT_EQ(r.WindowState, StateNormal);
}

TEST(DialogStateFile, SavingANormalDialogWritesItsRectangleLessTheBand)
{
    TMemoryStateStore store;
    SaveDetailedState(store, {true, 11, 22, 600, 430, StateNormal}, Band);
    EXPECT_EQ(store.Get("Width"), "600");
    EXPECT_EQ(store.Get("Height"), "400");
    EXPECT_EQ(store.Get("Left"), "11");
    EXPECT_EQ(store.Get("Top"), "22");
    EXPECT_EQ(store.Get("WindowsState"), "1");
}

TEST(DialogStateFile, AMaximisedDialogWritesOnlyItsStateAndKeepsTheNormalRectangle)
{
    TMemoryStateStore store;
    SaveDetailedState(store, {true, 11, 22, 600, 430, StateNormal}, Band);
    SaveDetailedState(store, {true, 0, 0, 1024, 738, StateMaximized}, Band);
    EXPECT_EQ(store.Get("WindowsState"), "3");
    EXPECT_EQ(store.Get("Width"), "600");
    EXPECT_EQ(store.Get("Left"), "11");
}

TEST(DialogStateFile, NothingIsSavedBeforeAWidthWasRemembered)
{
    TMemoryStateStore store;
    SaveDetailedState(store, {false, 1, 2, 3, 4, StateNormal}, Band);
    EXPECT_TRUE(store.Values.empty());
}

TEST(DialogStateFile, ColumnWidthsHaveTheirDefaultsAndRoundTrip)
{
    TMemoryStateStore store;
    EXPECT_EQ(ReadColumnWidths(store, scCallStack), (std::vector<int32_t>{89, 92, 126, 126, 200, 61}));
    EXPECT_EQ(ReadColumnWidths(store, scModules), (std::vector<int32_t>{80, 96, 175, 50, 54, 712, 80}));
    EXPECT_EQ(ReadColumnWidths(store, scProcesses), (std::vector<int32_t>{48, 134, 232, 56, 57, 47, 52, 330}));

    WriteColumnWidths(store, scModules, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_EQ(store.Get("ColMod0"), "1");
    EXPECT_EQ(store.Get("ColMod6"), "7");
    EXPECT_FALSE(store.Has("ColMod7"));
    EXPECT_EQ(ReadColumnWidths(store, scModules), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7}));
    // A short list writes what it has; the rest keep their defaults.
    WriteColumnWidths(store, scCallStack, {10});
    EXPECT_EQ(ReadColumnWidths(store, scCallStack), (std::vector<int32_t>{10, 92, 126, 126, 200, 61}));
}

TEST(DialogStateFile, UserEmailLivesInSectionUser)
{
    TMemoryStateStore store;
    EXPECT_EQ(ReadUserEmail(store), "");
    WriteUserEmail(store, "me@x.test");
    EXPECT_EQ((store.Values[{"ZorvikLog.ini", "User", "Email"}]), "me@x.test");
    EXPECT_EQ(ReadUserEmail(store), "me@x.test");
}

} // namespace
