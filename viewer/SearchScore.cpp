#include "viewer/SearchScore.h"

#include <limits>

double SearchScore(int64_t bodySum, int64_t titleSum, int32_t n, int64_t bodyLength) {
    if (n < 1) n = 1;
    double weight = (static_cast<double>(bodySum) / n) * 20 + (static_cast<double>(titleSum) / n) * 100;
    if (bodyLength <= 0) return std::numeric_limits<double>::infinity();
    return weight / static_cast<double>(bodyLength);
}
