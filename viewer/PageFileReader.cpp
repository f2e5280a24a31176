#include "viewer/PageFileReader.h"

#include <cstdint>
#include <cstdio>
#include <limits>

bool PageFileReader::Read(const std::string& path) {
    Size_ = 0;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    // No stream buffer: the bytes go from the system straight into ours.
    std::setvbuf(f, nullptr, _IONBF, 0);
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(f) : -1;
    ok = size >= 0 && size <= std::numeric_limits<int32_t>::max() && std::fseek(f, 0, SEEK_SET) == 0;
    if (ok) {
        if (Buffer_.size() < static_cast<size_t>(size)) Buffer_.resize(static_cast<size_t>(size) + (size >> 2));
        Size_ = size > 0 ? std::fread(Buffer_.data(), 1, static_cast<size_t>(size), f) : 0;
        ok = !std::ferror(f);
    }
    std::fclose(f);
    if (!ok) Size_ = 0;
    return ok;
}
