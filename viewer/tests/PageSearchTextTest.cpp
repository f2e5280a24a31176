// The full-text search's own reading of pages: its texts and counts must be
// exactly those of the markup reader with ihtml and CountOccurrences, and
// the search over files must rank as the search over those texts does.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "viewer/HelpSearch.h"
#include "viewer/PageFileReader.h"
#include "viewer/PageText.h"
#include "viewer/PageTextCache.h"
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
    // The same counts over the whole texts, as over texts kept from a read.
    PageWordCounts kept(words);
    kept.CountTexts(want.Body, want.Title);
    for (size_t w = 0; w < words.size(); ++w) {
        EXPECT_EQ(counts.BodyCount(w), CountOccurrences(want.Body, words[w])) << words[w] << " in " << bytes;
        EXPECT_EQ(counts.TitleCount(w), CountOccurrences(want.Title, words[w])) << words[w] << " in " << bytes;
        EXPECT_EQ(kept.BodyCount(w), counts.BodyCount(w)) << words[w] << " in " << bytes;
        EXPECT_EQ(kept.TitleCount(w), counts.TitleCount(w)) << words[w] << " in " << bytes;
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

// Long texts of few letters, so that words stand often, overlap, and reach
// over the 16-byte steps of the counting: the counts over whole texts equal
// CountOccurrences.
TEST(PageSearchText, CountsOverLongTextsMatchCountOccurrences) {
    const char letters[] = {'a', 'b', 'A', 'B', ' ', '\xE1'};
    const std::vector<std::string> words = {"ab", "aba", "abab", "b a", "AAB", "aaaaaaaaaaaaaaaaaa", "ba\xE1", "\xE1\xE1"};
    std::mt19937 rng(777);
    for (int round = 0; round < 2000; ++round) {
        std::string body, title;
        const size_t length = rng() % 300;
        for (size_t i = 0; i < length; ++i) body += letters[rng() % (round % 3 == 0 ? 2 : 6)];
        for (size_t i = 0; i < length % 40; ++i) title += letters[rng() % 6];
        PageWordCounts counts(words);
        counts.CountTexts(body, title);
        for (size_t w = 0; w < words.size(); ++w) {
            ASSERT_EQ(counts.BodyCount(w), CountOccurrences(body, words[w])) << words[w] << " in " << body;
            ASSERT_EQ(counts.TitleCount(w), CountOccurrences(title, words[w])) << words[w] << " in " << title;
        }
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

// Stamps the test sets: a file has the stamp given to it (none: it cannot
// be asked), and the clock stands where the test puts it.
class SetStamps : public PageStamps {
public:
    bool Stamp(const std::string& path, PageStamp& stamp) override {
        auto it = stamps.find(path);
        if (it == stamps.end()) return false;
        stamp = it->second;
        return true;
    }
    int64_t Now() override { return now; }
    std::map<std::string, PageStamp> stamps;
    int64_t now = 0;
};

constexpr int64_t Hour = 36000000000;

// Texts are kept only while a file's size and times are those it had when
// it was read, and only for a file written well before that read; the
// results always equal those of reading every page.
TEST_F(PageFilesTest, KeptTextsServeOnlyForUnchangedSettledFiles) {
    SetStamps stamps;
    stamps.now = 10 * Hour;
    PageTextCache cache(stamps);
    std::vector<std::string> pages = {
        Write("a.htm", "<title>A</title><body>edit bytes</body>"),
        Write("b.htm", "<title>B</title><body>nothing</body>"),
        Write("c.htm", "<title>C</title><body>EDIT</body>"),
    };
    for (const std::string& p : pages) stamps.stamps[p] = {40, Hour, Hour};
    auto search = [&](const std::string& query) {
        auto cached = SearchPages(pages, QueryWords(query), cache);
        auto read = SearchPages(pages, QueryWords(query));
        EXPECT_EQ(cached.size(), read.size()) << query;
        for (size_t i = 0; i < cached.size() && i < read.size(); ++i) {
            EXPECT_EQ(cached[i].Path, read[i].Path) << query;
            EXPECT_EQ(cached[i].Title, read[i].Title) << query;
            EXPECT_EQ(cached[i].Score, read[i].Score) << query;
        }
        return cached.size();
    };
    EXPECT_EQ(search("edit"), 2u);
    EXPECT_EQ(cache.FilesRead(), 3);
    EXPECT_EQ(search("bytes"), 1u);
    EXPECT_EQ(cache.FilesRead(), 3) << "unchanged files are not read again";

    // A change of size, of write time or of creation time is read again.
    Write("b.htm", "<title>B</title><body>now it edits</body>");
    stamps.stamps[pages[1]].Size = 41;
    EXPECT_EQ(search("edit"), 3u);
    EXPECT_EQ(cache.FilesRead(), 4);
    Write("b.htm", "<title>B</title><body>nothing more</body>");
    stamps.stamps[pages[1]].WriteTime += 1;
    EXPECT_EQ(search("edit"), 2u);
    Write("b.htm", "<title>B</title><body>edit again!</body>");
    stamps.stamps[pages[1]].CreationTime += 1;
    EXPECT_EQ(search("edit"), 3u);
    EXPECT_EQ(cache.FilesRead(), 6);

    // Written just before the read: it could change again unseen within the
    // grain of its write time, so it is read at every query until it settles.
    stamps.stamps[pages[2]].WriteTime = stamps.now - 1;
    EXPECT_EQ(search("edit"), 3u);
    Write("c.htm", "<title>C</title><body>----</body>");  // same size and stamp
    EXPECT_EQ(search("edit"), 2u);
    EXPECT_EQ(cache.FilesRead(), 8);
    stamps.now += PageTextCache::SettledAge;
    search("edit");
    search("edit");
    EXPECT_EQ(cache.FilesRead(), 9) << "read once more once settled, then kept";

    // A file in the future of the clock is never kept.
    stamps.stamps[pages[0]].WriteTime = stamps.now + Hour;
    search("bytes");
    search("bytes");
    EXPECT_EQ(cache.FilesRead(), 11);

    // A file that cannot be asked is read each time; one that is gone drops out.
    stamps.stamps.erase(pages[1]);
    search("edit");
    EXPECT_EQ(cache.FilesRead(), 13);
    std::filesystem::remove(pages[1]);
    EXPECT_EQ(search("edit"), 1u);
    Write("b.htm", "<title>B</title><body>edit is back</body>");
    stamps.stamps[pages[1]] = {40, Hour, Hour};
    EXPECT_EQ(search("edit"), 2u);
}

// On the real file system: a page rewritten after a query is seen by the
// next one, whatever its stamp says.
TEST_F(PageFilesTest, KeptTextsSeeFilesRewrittenOnDisk) {
    FileSystemPageStamps stamps;
    PageTextCache cache(stamps);
    std::vector<std::string> pages = {Write("a.htm", "<body>one</body>"), Write("b.htm", "<body>two</body>")};
    PageStamp stamp;
    ASSERT_TRUE(stamps.Stamp(pages[1], stamp));
    EXPECT_EQ(stamp.Size, 16);
    EXPECT_LE(stamp.WriteTime, stamps.Now() + PageTextCache::SettledAge);
    EXPECT_GT(stamp.WriteTime, stamps.Now() - Hour);
    EXPECT_FALSE(stamps.Stamp((dir / "missing.htm").string(), stamp));
    EXPECT_EQ(SearchPages(pages, QueryWords("one"), cache).size(), 1u);
    Write("a.htm", "<body>two</body>");
    EXPECT_EQ(SearchPages(pages, QueryWords("two"), cache).size(), 2u);
    std::filesystem::remove(pages[0]);
    EXPECT_EQ(SearchPages(pages, QueryWords("two"), cache).size(), 1u);
}

}  // namespace
