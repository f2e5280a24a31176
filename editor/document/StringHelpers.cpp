#include "editor/document/StringHelpers.h"

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

std::string rightFrom(const std::string& s, int32_t p) {
    size_t from = p < 1 ? 0 : static_cast<size_t>(p) - 1;
    return from >= s.size() ? std::string() : s.substr(from);
}
