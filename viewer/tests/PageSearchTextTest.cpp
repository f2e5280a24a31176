// The full-text search's own reading of pages: its texts and counts must be
// exactly those of the markup reader with ihtml and CountOccurrences, and
// the search over files must rank as the search over those texts does.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

#include "viewer/HelpSearch.h"
#include "viewer/PageFileReader.h"
#include "viewer/PageText.h"
#include "viewer/PageTextScan.h"
#include "viewer/PageWordCounts.h"
#include "viewer/TextSearch.h"

namespace {

HtmlInfo ByReader(const std::string& bytes) {
    xml_parser parser;
    parser.SetBuffer(bytes);
    ihtml handler;
    parser.Parse(handler);
    return {handler.Body, handler.Title};
}

// Compares texts and counts for the words; a failure names the page.
void ExpectSameAsReader(const std::string& bytes, const std::vector<std::string>& words) {
    HtmlInfo want = ByReader(bytes);
    PageWordCounts counts(words);
    ScanPageText(bytes.data(), bytes.size(), counts);
    ASSERT_EQ(counts.Body(), want.Body) << bytes;
    ASSERT_EQ(counts.Title(), want.Title) << bytes;
    for (size_t w = 0; w < words.size(); ++w) {
        EXPECT_EQ(counts.BodyCount(w), CountOccurrences(want.Body, words[w])) << words[w] << " in " << bytes;
        EXPECT_EQ(counts.TitleCount(w), CountOccurrences(want.Title, words[w])) << words[w] << " in " << bytes;
    }
}

TEST(PageSearchText, MarkupCornersGiveTheReadersTexts) {
    const std::vector<std::string> words = {"ab", "AB", "aba", "x", "<", "b c", "title"};
    const char* pages[] = {
        "<title>T</title><body>a<b>b</b>c</body>",
        "<TITLE>Ab</TiTlE><BODY>abab aba</BODY>",
        "<body>text after the last tag",
        "<body>x<",
        "<body><br/>ab<br />ab<a b/>ab<a b c/>x</body>",  // "/" after a blank leaves bytes for the next text
        "<body><a\tb\nc/xy>tail<i>",
        "<body><?xml version='1.0'?>ab<? never closed",
        "<body><//title>in body<title>t<  >x</title>ab</body>",
        "<title><body>both</title>x</body>",
        "<body><a href=>ab<a href='v\">ab<a k=v>ab<a k=v x>ab</body>",
        "<body><a =x y='1' z=\"2\" / q>ab<b>",
        "<body>< body>x</body >y<body\n>z<",
        "<",
        "",
        "<title",
        "<body>\xC1\xE1 ab\x80<x\x01>b c</body>",
        "<body>a<!-- <title> -->b</body><title>late</title>",
    };
    for (const char* p : pages) ExpectSameAsReader(p, words);
}

// Words that reach over tags and across runs: the counts go on over the
// joined text, without overlaps.
TEST(PageSearchText, CountsRunOverTheJoinedText) {
    const std::string page = "<body>ab<i>a</i>ba<b>b</b>ab aaa</body>";
    PageWordCounts counts({"aba", "AB", "aa", "abab"});
    ScanPageText(page.data(), page.size(), counts);
    EXPECT_EQ(counts.Body(), "abababab aaa");
    EXPECT_EQ(counts.BodyCount(0), 2);  // "aba" at 0, then scanning on after it: at 4
    EXPECT_EQ(counts.BodyCount(1), 4);
    EXPECT_EQ(counts.BodyCount(2), 1);  // "aaa" holds one "aa"
    EXPECT_EQ(counts.BodyCount(3), 2);
    counts.Clear();
    EXPECT_EQ(counts.Body(), "");
    EXPECT_EQ(counts.BodyCount(1), 0);
    ScanPageText(page.data(), page.size(), counts);
    EXPECT_EQ(counts.BodyCount(1), 4) << "a cleared counter counts the next page from its start";
}

// Random pages made of markup pieces, against the reader.
TEST(PageSearchText, RandomPagesMatchTheReader) {
    const char* pieces[] = {"<", ">", "/", "?", "=", "'", "\"", " ", "\t", "\n", "a", "b", "A", "B", "c",
                            "title", "TITLE", "body", "Body", "<body>", "</body>", "<title>", "</title>", "ab"};
    const std::vector<std::string> words = {"a", "ab", "BA", "aab", "t", "e>", "body"};
    std::mt19937 rng(12345);
    for (int round = 0; round < 3000; ++round) {
        std::string page;
        int n = static_cast<int>(rng() % 60);
        for (int i = 0; i < n; ++i) page += pieces[rng() % (sizeof pieces / sizeof *pieces)];
        ExpectSameAsReader(page, words);
        if (HasFailure()) return;
    }
}

class PageFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("tq_page_search_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string Write(const std::string& leaf, const std::string& bytes) {
        std::string path = (dir / leaf).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::filesystem::path dir;
};

TEST_F(PageFilesTest, TheReaderKeepsItsBufferAndReadsEachFileWhole) {
    PageFileReader reader;
    std::string big(100000, 'x');
    big[99999] = 'y';
    ASSERT_TRUE(reader.Read(Write("big.htm", big)));
    EXPECT_EQ(std::string(reader.Data(), reader.Size()), big);
    ASSERT_TRUE(reader.Read(Write("small.htm", "<b>")));
    EXPECT_EQ(std::string(reader.Data(), reader.Size()), "<b>");
    ASSERT_TRUE(reader.Read(Write("empty.htm", "")));
    EXPECT_EQ(reader.Size(), 0u);
    EXPECT_FALSE(reader.Read((dir / "missing.htm").string()));
    EXPECT_EQ(reader.Size(), 0u);
}

// The search over files equals the search over the reader's texts, sees a
// page as it is on disk at each query and drops a page that is gone.
TEST_F(PageFilesTest, SearchingFilesRanksAsSearchingTheirTexts) {
    std::vector<std::string> pages = {
        Write("a.htm", "<title>Editing</title><body>the editor edits bytes</body>"),
        Write("b.htm", "<title>Other</title><body>nothing to see here</body>"),
        Write("c.htm", "<title>Title</title><body>ed<b>it</b></body>"),
        Write("d.htm", "<TITLE>Title</TITLE><BODY>EDIT</BODY>"),
        Write("e.htm", "<title>Edit only in the title</title><body></body>"),
        (dir / "gone.htm").string(),
    };
    auto same = [&](const std::string& query) {
        auto fast = SearchPages(pages, QueryWords(query));
        auto slow = SearchPages(pages, QueryWords(query), ExtractPageText);
        ASSERT_EQ(fast.size(), slow.size()) << query;
        for (size_t i = 0; i < fast.size(); ++i) {
            EXPECT_EQ(fast[i].Path, slow[i].Path) << query;
            EXPECT_EQ(fast[i].Title, slow[i].Title) << query;
            EXPECT_EQ(fast[i].Score, slow[i].Score) << query;
        }
    };
    same("edit");
    same("EDITS bytes");
    same("title");
    same("zebra");
    ASSERT_EQ(SearchPages(pages, QueryWords("edit")).size(), 4u);
    Write("b.htm", "<title>Other</title><body>now it edits</body>");
    EXPECT_EQ(SearchPages(pages, QueryWords("edit")).size(), 5u) << "a changed page is read again";
    same("edit");
}

}  // namespace
