// The help viewer's full-text search over 2,000 generated pages of about
// 8 KB, per query, beside reading every page and the markup reader with
// separate counting (the way before); natively also beside grep -c -i -F on
// the same files.
//
// The viewer keeps the texts of pages whose files are unchanged since it read
// them, and reads the others again. The pages are dated an hour back, as the
// installed pages of a manual are (a page written within the last seconds is
// read at every query). Two figures per query: with the texts kept (the
// pages unchanged since the last query), and the first query, which reads
// every page.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/BenchTable.h"
#include "viewer/HelpSearch.h"
#include "viewer/PageFileReader.h"
#include "viewer/PageText.h"
#include "viewer/PageTextCache.h"
#if defined(_WIN32)
#include "viewer/Win32PageStamps.h"
#endif

namespace {
using bench::MedianSeconds;
using bench::Row;

#if defined(_WIN32)
const char* const Tree = " (Wine)";
using SystemStamps = Win32PageStamps;
#else
const char* const Tree = " (native)";
using SystemStamps = FileSystemPageStamps;
#endif

constexpr int Pages = 2000;

const char* const Vocabulary[] = {
    "the", "editor", "shows", "bytes", "of", "a", "file", "in", "text", "decimal", "and", "hexadecimal", "views",
    "select", "copy", "paste", "undo", "redo", "search", "replace", "value", "offset", "cursor", "window", "menu",
    "press", "key", "to", "with", "when", "each", "column", "row", "insert", "delete", "save", "open", "help",
    "page", "option", "setting", "colour", "language", "number", "position", "size", "block", "mark", "step"};

// A page of about 8 KB: a title, paragraphs with some markup and entities.
std::string MakePage(int index) {
    uint32_t x = 2463534242u + static_cast<uint32_t>(index) * 7919u;
    auto next = [&] {
        x ^= x << 13, x ^= x >> 17, x ^= x << 5;
        return x;
    };
    const size_t words = sizeof Vocabulary / sizeof *Vocabulary;
    std::string page = "<html><head><title>Page " + std::to_string(index) + " " + Vocabulary[next() % words] +
                       "</title></head>\n<body bgcolor=\"#FFFFFF\">\n<h1>" + Vocabulary[next() % words] + "</h1>\n";
    while (page.size() < 8000) {
        page += "<p>";
        for (int w = 0; w < 40; ++w) {
            switch (next() % 16) {
                case 0: page += "<b>" + std::string(Vocabulary[next() % words]) + "</b> "; break;
                case 1: page += "<a href=\"page" + std::to_string(next() % Pages) + ".htm\">link</a> "; break;
                case 2: page += "&amp; "; break;
                default: page += std::string(Vocabulary[next() % words]) + " "; break;
            }
        }
        page += "</p>\n";
    }
    return page + "</body></html>\n";
}

double PagesPerSecond(double seconds) { return Pages / seconds; }

}  // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // lines reach the log as they are made
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() /
                         ("tq_bench_help_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(dir);
    std::vector<std::string> pages;
    size_t bytes = 0;
    const auto anHourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (int i = 0; i < Pages; ++i) {
        std::string page = MakePage(i);
        bytes += page.size();
        pages.push_back((dir / ("page" + std::to_string(i) + ".htm")).string());
        std::ofstream(pages.back(), std::ios::binary) << page;
        std::error_code error;
        fs::last_write_time(pages.back(), anHourAgo, error);
        if (error) std::printf("cannot date %s back: %s\n", pages.back().c_str(), error.message().c_str());
    }
    std::printf("%d pages, %.0f bytes each on average, in %s\n", Pages, double(bytes) / Pages, dir.string().c_str());

    PageFileReader reader;
    size_t read = 0;
    const double readAll = PagesPerSecond(MedianSeconds([&] {
        read = 0;
        for (const std::string& p : pages)
            if (reader.Read(p)) read += reader.Size();
    }, 7));
    if (read != bytes) std::printf("MISMATCH: read %zu bytes of %zu\n", read, bytes);

    struct Query {
        const char* label;
        const char* text;
    } queries[] = {
        {"two common words", "editor bytes"},
        {"a word on no page", "zebra"},
        {"three words, one rare", "undo Page 1999"},
    };
    SystemStamps stamps;
    PageTextCache cache(stamps);
    for (const Query& q : queries) {
        const std::vector<std::string> words = QueryWords(q.text);
        std::vector<SearchResult> kept, first, slow;
        const double firstQuery = PagesPerSecond(MedianSeconds([&] {
            PageTextCache fresh(stamps);
            first = SearchPages(pages, words, fresh);
        }, 5));
        SearchPages(pages, words, cache);  // the texts of every page kept
        const int64_t readBefore = cache.FilesRead();
        const double ours = PagesPerSecond(MedianSeconds([&] { kept = SearchPages(pages, words, cache); }, 7));
        const int64_t readAgain = cache.FilesRead() - readBefore;
        const double before = PagesPerSecond(MedianSeconds([&] { slow = SearchPages(pages, words, ExtractPageText); }, 3));
        for (const auto* fast : {&kept, &first}) {
            bool same = fast->size() == slow.size();
            for (size_t i = 0; same && i < fast->size(); ++i)
                same = (*fast)[i].Path == slow[i].Path && (*fast)[i].Score == slow[i].Score &&
                       (*fast)[i].Title == slow[i].Title;
            if (!same) std::printf("MISMATCH: the searches differ for \"%s\"\n", q.text);
        }
        std::printf("\"%s\": %zu results; %.0f pages/s with the texts kept (%lld files read again), first query %.0f "
                    "pages/s, reading alone %.0f pages/s, the markup reader %.0f pages/s\n",
                    q.text, kept.size(), ours, static_cast<long long>(readAgain), firstQuery, readAll, before);
        const std::string name = std::string("help search, ") + q.label + Tree;
        Row(name, ours, std::string("reading every page") + Tree, readAll, "pages/s", ">= 10,000 pages/s");
        Row(name + ", first query", firstQuery, std::string("reading every page") + Tree, readAll, "pages/s", "");
        Row(name, ours, std::string("markup reader, then counting") + Tree, before, "pages/s", "");
#if !defined(_WIN32)
        // grep reads every page once per word, as the search does.
        std::string command = "cd " + dir.string();
        for (const std::string& w : words) command += " && grep -c -i -F -- '" + w + "' page*.htm > /dev/null";
        const double grep = PagesPerSecond(MedianSeconds([&] {
            if (std::system(command.c_str()) < 0) std::printf("grep failed\n");
        }, 5));
        Row(name, ours, "grep -c -i -F, once per word (native)", grep, "pages/s", "");
#endif
    }
    fs::remove_all(dir);

    // The editor's own manual: whole queries per second, as a person asks
    // them, beside reading all its pages once.
    std::vector<std::string> manual;
    for (const auto& entry : fs::directory_iterator(TQ_MANUAL_DIR))
        if (entry.path().extension() == ".htm") manual.push_back(entry.path().string());
    if (manual.empty()) {
        std::printf("no manual pages in %s\n", TQ_MANUAL_DIR);
        return 1;
    }
    const double readManual = 1 / MedianSeconds([&] {
        for (const std::string& p : manual) reader.Read(p);
    }, 21);
    PageTextCache manualCache(stamps);
    for (const char* text : {"bytes", "clipboard numbers", "zebra"}) {
        const std::vector<std::string> words = QueryWords(text);
        std::vector<SearchResult> found;
        const double qps = 1 / MedianSeconds([&] { found = SearchPages(manual, words, manualCache); }, 21);
        std::printf("the manual (%zu pages), \"%s\": %zu results, %.0f queries/s; reading it %.0f times/s\n",
                    manual.size(), text, found.size(), qps, readManual);
        Row(std::string("help search of the manual, \"") + text + "\"" + Tree, qps,
            std::string("reading all its pages") + Tree, readManual, "1/s", "");
    }
    return 0;
}
