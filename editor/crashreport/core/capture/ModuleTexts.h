#pragma once
// Small texts of the modules and processes lists: priority names, thread
// counts, sizes, short versions and module folders.
#include <cstdint>
#include <string>

// "Normal", "Low", "High", "Real-Time", "Below-Normal", "Above-Normal"; empty
// for any other class.
std::string PriorityClassName(uint32_t priorityClass);
// The priority class of a base priority as the process snapshot gives it.
uint32_t PriorityClassFromBase(int32_t basePriority);
// The count in decimal; "??" for 0.
std::string ThreadCountText(uint32_t threads);
// Kilobytes, rounded, followed by " Kb"; empty for 0.
std::string SizeText(uint32_t bytes);
// The version cut after its second "." and followed by "x" (6.0.20 gives
// 6.0.x); fewer than two dots: unchanged.
std::string ShortVersionText(const std::string& version);
// The file's folder without its trailing backslash (a drive root keeps it)
// and without a leading "\??\".
std::string ModuleFolder(const std::string& fileName);
