#pragma once
// The title and body texts of the search pages, kept from one query to the
// next. A page's kept texts serve again only while its file has the size and
// times it had when it was read, and only if it had been written well before
// that read; every other page is read again, so that each query sees the
// pages as they are on disk now.
#include <cstdint>
#include <string>
#include <unordered_map>

#include "viewer/PageFileReader.h"
#include "viewer/PageStamps.h"

struct PageTexts {
    std::string Body;
    std::string Title;
};

class PageTextCache {
public:
    explicit PageTextCache(PageStamps& stamps) : Stamps_(stamps) {}
    PageTextCache(const PageTextCache&) = delete;
    PageTextCache& operator=(const PageTextCache&) = delete;

    // The page's texts as its file is now: kept, or read from the file;
    // nullptr when the file cannot be read. Valid until the next call.
    const PageTexts* Texts(const std::string& path);

    // How many files the calls so far have read (for tests and benchmarks).
    int64_t FilesRead() const { return FilesRead_; }

    // A file written less than this long before it was read could still
    // change within the grain of its write time (2 s on FAT) unseen; its
    // texts are not kept.
    static constexpr int64_t SettledAge = 30000000;  // 3 s in 100 ns steps

private:
    struct Entry {
        PageStamp Stamp;
        bool Keep = false;
        PageTexts Texts;
    };
    PageStamps& Stamps_;
    PageFileReader Reader_;
    std::unordered_map<std::string, Entry> Entries_;
    int64_t FilesRead_ = 0;
};
