// Any bytes as a page: the search's text extraction and counting must give
// what the markup reader with ihtml and CountOccurrences give.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "viewer/PageText.h"
#include "viewer/PageTextScan.h"
#include "viewer/PageWordCounts.h"
#include "viewer/TextSearch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first byte picks the words' length, so that long words meet the
    // pages too.
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const size_t take = size > 0 ? 1 + data[0] % 6 : 1;
    std::vector<std::string> words = {"a", "ab", "e", "<"};
    if (size > 1 + take) words.push_back(bytes.substr(1, take));

    xml_parser parser;
    parser.SetBuffer(bytes);
    ihtml want;
    parser.Parse(want);
    PageWordCounts got(words);
    ScanPageText(bytes.data(), bytes.size(), got);
    if (got.Body() != want.Body || got.Title() != want.Title) std::abort();
    for (size_t w = 0; w < words.size(); ++w)
        if (got.BodyCount(w) != CountOccurrences(want.Body, words[w]) ||
            got.TitleCount(w) != CountOccurrences(want.Title, words[w]))
            std::abort();
    return 0;
}
