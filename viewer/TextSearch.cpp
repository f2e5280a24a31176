#include "viewer/TextSearch.h"

namespace {

unsigned char Fold(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 32) : u;
}

// 0-based index of the first occurrence at or after from; npos when none.
size_t FindFrom(const std::string& text, const std::string& word, size_t from) {
    if (word.empty() || word.size() > text.size()) return std::string::npos;
    for (size_t i = from; i + word.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < word.size() && Fold(text[i + k]) == Fold(word[k])) ++k;
        if (k == word.size()) return i;
    }
    return std::string::npos;
}

}  // namespace

int32_t FindText(const std::string& text, const std::string& word) {
    size_t at = FindFrom(text, word, 0);
    return at == std::string::npos ? 0 : static_cast<int32_t>(at + 1);
}

int32_t CountOccurrences(const std::string& text, const std::string& word) {
    int32_t count = 0;
    size_t at = 0;
    while ((at = FindFrom(text, word, at)) != std::string::npos) {
        ++count;
        at += word.size();
    }
    return count;
}

std::string CopyFrom(const std::string& text, int32_t position) {
    if (position < 1) position = 1;
    if (static_cast<size_t>(position) > text.size()) return {};
    return text.substr(static_cast<size_t>(position) - 1);
}
