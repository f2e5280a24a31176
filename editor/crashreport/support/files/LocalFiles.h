#pragma once
// The few file-system services the archive code needs, on Windows and POSIX
// alike. Names are 8-bit (the ANSI code page on Windows).
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#ifdef _WIN32
constexpr char PathDelim = '\\';
#else
constexpr char PathDelim = '/';
#endif

// The whole file, opened so that nobody writes it meanwhile (on Windows).
// False when it cannot be opened, is larger than 2 GiB - 1 or is not read in
// full.
bool ReadWholeFile(const std::string& name, std::vector<uint8_t>& data);

// The file's last-write time in local time.
bool FileLocalTime(const std::string& name, std::tm& when);

// Creates the folder and every missing folder above it; true when it exists.
bool ForceFolders(const std::string& folder);

// A new, empty file for writing (replacing one of that name), shared for
// reading only; null on failure.
std::FILE* CreateFileAlways(const std::string& name);
