#pragma once
// Reads page files whole for the full-text search, one after another, into
// one buffer that is kept from page to page: per page the file is opened,
// its size asked, its bytes read with one read call, and it is closed.
#include <cstddef>
#include <string>
#include <vector>

class PageFileReader {
public:
    // False, with no bytes, when the file cannot be opened or read; a file
    // that shrank since its size was taken gives the bytes actually read.
    bool Read(const std::string& path);
    const char* Data() const { return Buffer_.data(); }
    size_t Size() const { return Size_; }

private:
    std::vector<char> Buffer_;
    size_t Size_ = 0;
};
