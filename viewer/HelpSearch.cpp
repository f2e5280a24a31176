#include "viewer/HelpSearch.h"

#include <algorithm>

#include "viewer/PageFileReader.h"
#include "viewer/PageTextScan.h"
#include "viewer/PageWordCounts.h"
#include "viewer/SearchScore.h"
#include "viewer/TextSearch.h"

std::vector<std::string> QueryWords(const std::string& query) {
    Sentence s;
    s.Split(query, BlankDelimiters());
    std::vector<std::string> words;
    for (int32_t i = 0; i < s.Count(); ++i)
        if (std::string w = s.Word(i); !w.empty()) words.push_back(std::move(w));
    return words;
}

namespace {

// Best first; equal scores by path, higher bytes first (std::string compares
// bytes as unsigned char).
void SortResults(std::vector<SearchResult>& results) {
    std::stable_sort(results.begin(), results.end(), [](const SearchResult& a, const SearchResult& b) {
        if (a.Score != b.Score) return a.Score > b.Score;
        return a.Path > b.Path;
    });
}

// A page's score from its counts, words in order; false when a word has
// no hit, which drops the page.
bool ScoreCounts(const PageWordCounts& counts, size_t words, size_t bodyLength, double& score) {
    int64_t bodySum = 0, titleSum = 0;
    for (size_t w = 0; w < words; ++w) {
        bodySum += counts.BodyCount(w);
        titleSum += counts.TitleCount(w);
        if (counts.BodyCount(w) + static_cast<int64_t>(counts.TitleCount(w)) == 0) return false;
    }
    score = SearchScore(bodySum, titleSum, static_cast<int32_t>(words), static_cast<int64_t>(bodyLength));
    return true;
}

}  // namespace

std::vector<SearchResult> SearchPages(const std::vector<std::string>& pages, const std::vector<std::string>& words,
                                      const std::function<HtmlInfo(const std::string&)>& readPage) {
    std::vector<SearchResult> results;
    if (words.empty()) return results;
    const int32_t n = static_cast<int32_t>(words.size());
    for (const std::string& path : pages) {
        HtmlInfo page = readPage(path);
        int64_t bodySum = 0, titleSum = 0;
        bool dropped = false;
        for (const std::string& w : words) {
            int32_t v = CountOccurrences(page.Body, w);
            int32_t x = CountOccurrences(page.Title, w);
            bodySum += v;
            titleSum += x;
            if (v + static_cast<int64_t>(x) == 0) {
                dropped = true;
                break;
            }
        }
        if (dropped) continue;
        results.push_back({SearchScore(bodySum, titleSum, n, static_cast<int64_t>(page.Body.size())), page.Title, path});
    }
    SortResults(results);
    return results;
}

// The same search over the files as they are now: each page is read into
// the one buffer, its text taken and its words counted in one pass. A page
// that cannot be read has no text and drops out.
std::vector<SearchResult> SearchPages(const std::vector<std::string>& pages, const std::vector<std::string>& words) {
    std::vector<SearchResult> results;
    if (words.empty()) return results;
    PageFileReader reader;
    PageWordCounts counts(words);
    for (const std::string& path : pages) {
        if (!reader.Read(path)) continue;
        counts.Clear();
        ScanPageText(reader.Data(), reader.Size(), counts);
        double score = 0;
        if (!ScoreCounts(counts, words.size(), counts.Body().size(), score)) continue;
        results.push_back({score, counts.Title(), path});
    }
    SortResults(results);
    return results;
}

// The same search, each page's texts taken from the cache, which reads again
// every file that is not known unchanged.
std::vector<SearchResult> SearchPages(const std::vector<std::string>& pages, const std::vector<std::string>& words,
                                      PageTextCache& cache) {
    std::vector<SearchResult> results;
    if (words.empty()) return results;
    PageWordCounts counts(words);
    for (const std::string& path : pages) {
        const PageTexts* texts = cache.Texts(path);
        if (!texts) continue;
        counts.CountTexts(texts->Body, texts->Title);
        double score = 0;
        if (!ScoreCounts(counts, words.size(), texts->Body.size(), score)) continue;
        results.push_back({score, texts->Title, path});
    }
    SortResults(results);
    return results;
}

std::vector<std::string> SearchablePages(const std::vector<std::string>& files) {
    std::vector<std::string> pages;
    for (const std::string& f : files) {
        size_t dot = f.find_last_of('.');
        if (dot != std::string::npos && f.compare(dot, std::string::npos, ".htm") == 0) pages.push_back(f);
    }
    return pages;
}
