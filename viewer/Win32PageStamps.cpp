#include "viewer/Win32PageStamps.h"

#include <windows.h>

namespace {
int64_t Steps(const FILETIME& t) {
    return static_cast<int64_t>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
}
}  // namespace

bool Win32PageStamps::Stamp(const std::string& path, PageStamp& stamp) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    stamp.Size = static_cast<int64_t>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
    stamp.WriteTime = Steps(data.ftLastWriteTime);
    stamp.CreationTime = Steps(data.ftCreationTime);
    return true;
}

int64_t Win32PageStamps::Now() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return Steps(now);
}
