#include "framework/FileAge.h"

#include <windows.h>

bool FileExists(const std::string& fileName) {
    DWORD attributes = GetFileAttributesA(fileName.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int32_t FileAge(const std::string& fileName) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(fileName.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return -1;
    FindClose(find);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
    FILETIME local;
    WORD date = 0, time = 0;
    if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToDosDateTime(&local, &date, &time))
        return -1;
    return static_cast<int32_t>((static_cast<uint32_t>(date) << 16) | time);
}
