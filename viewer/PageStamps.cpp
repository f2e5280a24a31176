#include "viewer/PageStamps.h"

#include <chrono>
#include <filesystem>
#include <system_error>

namespace {
using Steps = std::chrono::duration<int64_t, std::ratio<1, 10000000>>;

int64_t ToSteps(std::filesystem::file_time_type t) {
    return std::chrono::duration_cast<Steps>(t.time_since_epoch()).count();
}
}  // namespace

bool FileSystemPageStamps::Stamp(const std::string& path, PageStamp& stamp) {
    std::error_code error;
    const std::filesystem::path file(path);
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error) return false;
    const std::filesystem::file_time_type written = std::filesystem::last_write_time(file, error);
    if (error) return false;
    stamp = {static_cast<int64_t>(size), ToSteps(written), 0};
    return true;
}

int64_t FileSystemPageStamps::Now() { return ToSteps(std::filesystem::file_time_type::clock::now()); }
