#pragma once
// The page stamps of the running program: GetFileAttributesExA, which asks
// the file system without opening the file, and the system time.
#include "viewer/PageStamps.h"

class Win32PageStamps : public PageStamps {
public:
    bool Stamp(const std::string& path, PageStamp& stamp) override;
    int64_t Now() override;
};
