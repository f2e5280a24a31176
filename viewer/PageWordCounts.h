#pragma once
// The query words counted in a page's body and title while its text is
// gathered: whenever a few kilobytes of text have come, and at the page's
// end, the counts move on over the new bytes, so every byte is counted soon
// after it arrived, while it is in the cache.
// The counts equal CountOccurrences on the whole texts: a-z and A-Z match
// without regard to case, occurrences do not overlap.
#include <cstdint>
#include <string>
#include <vector>

#include "viewer/PageTextScan.h"

class PageWordCounts : public PageTextSink {
public:
    explicit PageWordCounts(const std::vector<std::string>& words);
    // Empties the texts and the counts for the next page; the memory stays.
    void Clear();
    void BodyText(const char* text, size_t length) override;
    void TitleText(const char* text, size_t length) override;
    void PageEnd() override;
    // The counts over whole texts given, such as texts kept from an earlier
    // read; Body() and Title() are not touched.
    void CountTexts(const std::string& body, const std::string& title);

    int32_t BodyCount(size_t word) const { return Body_.Counts[word]; }
    int32_t TitleCount(size_t word) const { return Title_.Counts[word]; }
    const std::string& Body() const { return Body_.Text; }
    const std::string& Title() const { return Title_.Text; }

private:
    struct Stream {
        std::string Text;
        std::vector<size_t> Next;  // per word: where its scan goes on
        std::vector<int32_t> Counts;
        size_t Counted = 0;  // the text up to here has been counted
    };
    void Add(Stream& s, const char* text, size_t length);
    void Count(Stream& s);
    // Counts every word in text[0, size), each going on from where its scan
    // stopped (next) and adding to its count.
    void CountIn(const std::string& text, std::vector<size_t>& next, std::vector<int32_t>& counts) const;

    std::vector<std::string> Words_;  // with a-z folded to A-Z
    Stream Body_, Title_;
};
