#pragma once
// Whether a file exists, and its age stamp: the DOS date and time of its
// last write, or -1 when it cannot be read.
#include <cstdint>
#include <string>

bool FileExists(const std::string& fileName);
int32_t FileAge(const std::string& fileName);
