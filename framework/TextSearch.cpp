#include "framework/TextSearch.h"

#include <algorithm>

#include "framework/WideCase.h"

namespace {
// Letters (anything with another case) and digits make words; everything
// else separates them.
bool IsWordChar(char16_t c) {
    if (c >= u'0' && c <= u'9') return true;
    if (c == u'_') return true;
    return WideUpperChar(c) != c || WideLowerChar(c) != c;
}

bool MatchesAt(const std::u16string& text, size_t pos, const std::u16string& what, TFindOptions options) {
    for (size_t i = 0; i < what.size(); ++i) {
        char16_t a = text[pos + i], b = what[i];
        if (a == b) continue;
        if (options & frMatchCase) return false;
        if (WideUpperChar(a) != WideUpperChar(b)) return false;
    }
    if (options & frWholeWord) {
        if (pos > 0 && IsWordChar(text[pos - 1]) && IsWordChar(what.front())) return false;
        size_t end = pos + what.size();
        if (end < text.size() && IsWordChar(text[end]) && IsWordChar(what.back())) return false;
    }
    return true;
}
}  // namespace

int SearchText(const std::u16string& text, int selStart, int selLength, const std::u16string& what,
               TFindOptions options, bool fromStart) {
    if (what.empty() || what.size() > text.size()) return -1;
    const long long last = static_cast<long long>(text.size() - what.size());  // last possible start
    long long start = std::clamp<long long>(selStart, 0, static_cast<long long>(text.size()));
    long long length = std::max(0, selLength);
    if (fromStart || (options & frDown)) {
        long long from = fromStart ? 0 : std::min<long long>(start + length, static_cast<long long>(text.size()));
        for (long long p = from; p <= last; ++p)
            if (MatchesAt(text, static_cast<size_t>(p), what, options)) return static_cast<int>(p);
        return -1;
    }
    for (long long p = std::min(start - 1, last); p >= 0; --p)
        if (MatchesAt(text, static_cast<size_t>(p), what, options)) return static_cast<int>(p);
    return -1;
}

bool SameFoundText(const std::u16string& selected, const std::u16string& what, TFindOptions options) {
    if (selected.size() != what.size() || what.empty()) return false;
    if (options & frMatchCase) return selected == what;
    return WideUpperCase(selected) == WideUpperCase(what);
}
