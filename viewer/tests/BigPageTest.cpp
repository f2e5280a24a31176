// Pages of several megabytes are read and laid out in time that grows with
// their size: the bound is generous (many times what a linear pass needs,
// even with sanitizers) and only a pass that grows with the square of the
// page misses it. The benchmark prints the times.
#include <gtest/gtest.h>

#include <chrono>
#include <new>
#include <string>

#include "viewer/PageLayout.h"
#include "viewer/PageText.h"
#include "viewer/tests/BigPage.h"
#include "viewer/tests/LayoutFakes.h"

namespace {

constexpr double kBoundSeconds = 60;
constexpr size_t kPageBytes = 4 << 20;

class BigPage : public ::testing::Test {
protected:
    double LayOut(const std::string& page, const char* words = "") {
        Parser.SetBuffer(page);
        Layout.LayoutWidth = 600;
        Layout.SearchWords.Split(words, BlankDelimiters());
        auto t0 = std::chrono::steady_clock::now();
        Layout.LayoutPage(Parser);
        ihtml text;
        Parser.Parse(text);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    FakeMeasurer Measurer;
    FakePictures Pictures;
    xml_parser Parser;
    disphtml Layout{Measurer, Pictures};
};

TEST_F(BigPage, ProseOfMegabytesIsLaidOutInLinearTime) {
    std::string page = BigProsePage(kPageBytes);
    double s = LayOut(page, "byte editor");
    EXPECT_LT(s, kBoundSeconds);
    EXPECT_GT(Layout.Items().size(), kPageBytes / 10);
    EXPECT_GT(Layout.HitCount(), 10000);
    EXPECT_EQ(Layout.HitPositions().size(), static_cast<size_t>(Layout.HitCount()));
    // The page grows downwards line by line, never back up.
    EXPECT_GT(Layout.PageHeight(), 100000);
    EXPECT_TRUE(Layout.LayoutError().empty());
}

TEST_F(BigPage, LongTagsSplitWordsAndManyHitsAreLinear) {
    std::string page = BigAwkwardPage(kPageBytes);
    double s = LayOut(page, "ab");
    EXPECT_LT(s, kBoundSeconds);
    // Every "ab" of the text of hits is marked.
    EXPECT_EQ(Layout.HitCount(), static_cast<int32_t>((kPageBytes / 8 + 5) / 6));
    // The word of many pieces began a line and overflows it instead of
    // wrapping again and again: its pieces share one line.
    int32_t pieceLine = -1;
    size_t pieces = 0;
    for (const PageItem& it : Layout.Items()) {
        if (it.Text() != "xy" && it.Text() != "z") continue;
        if (pieceLine < 0) pieceLine = it.Y;
        pieces += it.Y == pieceLine;
    }
    EXPECT_GT(pieces, kPageBytes / 4 / 10 - 2);
}

}  // namespace

namespace {

// Runs out of memory after a number of measurements, as a layout of a page
// too big for the process would.
class MemoryRunsOut : public FakeMeasurer {
public:
    int32_t TextWidth(const std::string& text) override {
        if (--Left < 0) throw std::bad_alloc();
        return FakeMeasurer::TextWidth(text);
    }
    int Left = 1000;
};

TEST(BigPageMemory, APageTooLargeForMemoryIsLeftEmptyAndTheNextOneLaysOut) {
    MemoryRunsOut measurer;
    FakePictures pictures;
    disphtml layout(measurer, pictures);
    layout.LayoutWidth = 600;
    xml_parser parser;
    parser.SetBuffer(BigProsePage(200000));
    layout.LayoutPage(parser);
    EXPECT_TRUE(layout.OutOfMemory());
    EXPECT_TRUE(layout.Items().empty());
    EXPECT_EQ(layout.HitCount(), 0);

    measurer.Left = 1 << 30;
    parser.SetBuffer("<body><h1>Small</h1>page</body>");
    layout.LayoutPage(parser);
    EXPECT_FALSE(layout.OutOfMemory());
    ASSERT_EQ(layout.Items().size(), 2u);
    EXPECT_EQ(layout.Items()[1].Text(), "page");
    EXPECT_EQ(layout.FontSize, 12);
}

}  // namespace
