#include <gtest/gtest.h>

#include <random>

#include "editor/dialogs/tests/SearchTestSupport.h"
#include "framework/Exceptions.h"

namespace {
class FindReplaceTest : public ::testing::Test, public SearchFixture {
protected:
    void StartRun() {
        finder.SetWholeRange();
        state.SearchRestart = 1;
        finder.ResetSearchState();
    }
    bool ReplaceAll(const std::string& p, const std::string& r) {
        return finder.ReplaceData(reinterpret_cast<const uint8_t*>(p.data()), static_cast<int32_t>(p.size()), true,
                                  reinterpret_cast<const uint8_t*>(r.data()), static_cast<int32_t>(r.size()));
    }
};

// Every non-overlapping hit from the start, replaced: what Replace All
// does for a run that starts at 0 with the cursor there.
std::string Reference(const std::string& text, const std::string& p, const std::string& r) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, p.size(), p) == 0 && i + p.size() <= text.size()) {
            out += r;
            i += p.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}
}  // namespace

TEST_F(FindReplaceTest, ReplaceAllMatchesAPlainRewrite) {
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        std::string text(static_cast<size_t>(rng() % 200), 'a');
        for (char& c : text) c = static_cast<char>('a' + rng() % 3);
        std::string p(1 + rng() % 3, 'a'), r(rng() % 5, 'x');
        for (char& c : p) c = static_cast<char>('a' + rng() % 3);
        for (char& c : r) c = static_cast<char>('a' + rng() % 4);
        Load(text);
        StartRun();
        EXPECT_FALSE(ReplaceAll(p, r));
        ASSERT_EQ(Contents(), Reference(text, p, r)) << text << " / " << p << " -> " << r;
        EXPECT_EQ(state.SearchRangeEnd, doc.size - 1);
        doc.undo();
        ASSERT_EQ(Contents(), text);
    }
}

TEST_F(FindReplaceTest, ReplaceAllWithinASelectionStaysInside) {
    Load("ABABABAB", 0);
    view.Select(1, 6);
    finder.SetWholeRange();
    state.SearchRangeStart = 1;
    state.SearchRangeEnd = 6;
    finder.ResetSearchState();
    view.Selected = false;
    ReplaceAll("AB", "xyz");
    // Hits at 2 and 4 only: 0 begins before the range, 6 ends after it.
    EXPECT_EQ(Contents(), "ABxyzxyzAB");
    EXPECT_EQ(state.SearchRangeEnd, 8);
}

TEST_F(FindReplaceTest, ReplaceAllRefusesADocumentTooLarge) {
    Load(std::string(1000, 'A'));
    StartRun();
    // 1000 hits, each growing the document by 3 million bytes: far past the
    // largest document; refused before any change or undo step.
    std::string huge(3000001, 'B');
    const size_t steps = doc.undoList.size();
    EXPECT_THROW(ReplaceAll("A", huge), EOutOfMemory);
    EXPECT_EQ(Contents(), std::string(1000, 'A'));
    EXPECT_EQ(doc.undoList.size(), steps);
}

TEST_F(FindReplaceTest, CountingAndProgressOnALargeDocument) {
    std::string text(1 << 22, '.');
    for (size_t i = 0; i + 4 <= text.size(); i += 1024) text.replace(i, 4, "WXYZ");
    Load(text);
    StartRun();
    const uint8_t p[] = {'W', 'X', 'Y', 'Z'};
    EXPECT_EQ(finder.CountMatches(p, 4), 4096);
    TReplaceWindowLogic window{doc, view, state, finder, controls};
    ReplaceAll("WXYZ", "12345");
    EXPECT_EQ(doc.size, (1 << 22) + 4096);
    EXPECT_EQ(state.ReplaceCount, 4096);
    ASSERT_FALSE(controls.Progress.empty());
    EXPECT_EQ(controls.Progress.back(), -1);  // hidden at the end
    EXPECT_EQ(Contents().substr(1024, 8), ".12345..");  // shifted by the growth at 0
}

TEST_F(FindReplaceTest, EmptyPatternsNeverSearch) {
    Load("ABC");
    StartRun();
    EXPECT_FALSE(finder.FindData(nullptr, 0, true));
    EXPECT_EQ(finder.CountMatches(nullptr, 0), 0);
    EXPECT_FALSE(finder.ReplaceData(nullptr, 0, true, nullptr, 0));
    EXPECT_EQ(Contents(), "ABC");
}
