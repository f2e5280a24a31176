#pragma once
// Exact byte-pattern search over a buffer at memory speed. Candidates are
// found 64 positions at a time by comparing two bytes of the pattern that
// differ, where it has two (SSE2); only they are compared in full. The results equal those of a
// plain scan.
#include <cstdint>

// The lowest i in [from, lastStart] where the len bytes at hay + i equal
// pattern, or -1. Reads hay[from .. lastStart + len - 1] only.
int32_t FindForward(const uint8_t* hay, int32_t from, int32_t lastStart, const uint8_t* pattern, int32_t len);
// The highest i in [lowest, from] where the pattern matches, or -1. Reads
// hay[lowest .. from + len - 1] only.
int32_t FindBackward(const uint8_t* hay, int32_t from, int32_t lowest, const uint8_t* pattern, int32_t len);
