#pragma once
// The title and body text of a page straight from its bytes, for the
// full-text search: the same texts as the markup reader gives ihtml, found in
// one pass without building a token per byte. Text runs are handed over as
// they are found; runs between tags are found with memchr.
#include <cstddef>

class PageTextSink {
public:
    virtual ~PageTextSink() = default;
    // Bytes that belong to the end of the body, or of the title (a run that
    // lies in both is given to both).
    virtual void BodyText(const char* text, size_t length) = 0;
    virtual void TitleText(const char* text, size_t length) = 0;
    // The page has been read to its end.
    virtual void PageEnd() {}
};

void ScanPageText(const char* bytes, size_t length, PageTextSink& sink);
