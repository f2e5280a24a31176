#pragma once
// The rank of a page in the full-text search: hits per query word, title
// hits weighing five times body hits, divided by the body's length.
#include <cstdint>

// n is the number of query words (at least 1). A page with an empty body but
// hits in its title ranks first (+infinity), never as NaN.
double SearchScore(int64_t bodySum, int64_t titleSum, int32_t n, int64_t bodyLength);
