#pragma once
// The full-text search over the manual's pages: every page holding every
// query word, ranked by SearchScore; no index, each query sees the pages as
// their files are now (read again, or their texts kept while the files are
// unchanged).
#include <functional>
#include <string>
#include <vector>

#include "viewer/PageText.h"
#include "viewer/PageTextCache.h"
#include "viewer/Sentence.h"

struct SearchResult {
    double Score = 0;
    std::string Title;
    std::string Path;
};

// The query's words: split at blanks, trimmed. Empty words (from leading,
// trailing or doubled blanks) are left out: they would match nothing and drop
// every page.
std::vector<std::string> QueryWords(const std::string& query);

// The pages that hold every word (in body or title), best first; equal scores
// by path, higher bytes first. No words: no results. readPage gives a page's
// texts.
std::vector<SearchResult> SearchPages(const std::vector<std::string>& pages, const std::vector<std::string>& words,
                                      const std::function<HtmlInfo(const std::string&)>& readPage);

// The same, reading the page files themselves as they are on disk now.
std::vector<SearchResult> SearchPages(const std::vector<std::string>& pages, const std::vector<std::string>& words);

// The same, with the texts of unchanged pages kept from earlier queries.
std::vector<SearchResult> SearchPages(const std::vector<std::string>& pages, const std::vector<std::string>& words,
                                      PageTextCache& cache);

// The pages the search reads: the listed files whose extension (text from the
// last dot) is exactly ".htm".
std::vector<std::string> SearchablePages(const std::vector<std::string>& files);
