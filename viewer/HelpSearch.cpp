#include "viewer/HelpSearch.h"

#include <algorithm>

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
    std::stable_sort(results.begin(), results.end(), [](const SearchResult& a, const SearchResult& b) {
        if (a.Score != b.Score) return a.Score > b.Score;
        return a.Path > b.Path;  // std::string compares bytes as unsigned char
    });
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
