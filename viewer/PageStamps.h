#pragma once
// What the search's text cache learns of a page file without opening it: its
// size and times, read through a small interface so that the rules stay
// portable.
#include <cstdint>
#include <string>

// Times in 100 ns steps, on the scale of PageStamps::Now.
struct PageStamp {
    int64_t Size = 0;
    int64_t WriteTime = 0;
    int64_t CreationTime = 0;
    bool operator==(const PageStamp&) const = default;
};

class PageStamps {
public:
    virtual ~PageStamps() = default;
    // False when the file cannot be asked (gone, no access).
    virtual bool Stamp(const std::string& path, PageStamp& stamp) = 0;
    // The time now, on the clock the file times are kept on.
    virtual int64_t Now() = 0;
};

// Through std::filesystem, on any system (there is no creation time: 0).
class FileSystemPageStamps : public PageStamps {
public:
    bool Stamp(const std::string& path, PageStamp& stamp) override;
    int64_t Now() override;
};
