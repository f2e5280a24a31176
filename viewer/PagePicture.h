#pragma once
// Pictures of a page as the layout sees them. The picture decoder supplies
// the real ones; tests give boxes of a known size.
#include <cstdint>
#include <memory>
#include <string>

class PagePicture {
public:
    virtual ~PagePicture() = default;
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
};

class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    // Loads the picture file; raises an Exception (or kin) when it cannot.
    virtual std::unique_ptr<PagePicture> Load(const std::string& path) = 0;
};
