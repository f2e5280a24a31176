#include "viewer/PageWordCounts.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

unsigned char Fold(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

// Whether the folded word stands at p (the first byte already matched).
bool RestMatches(const unsigned char* p, const std::string& word) {
    for (size_t k = 1; k < word.size(); ++k)
        if (Fold(p[k]) != static_cast<unsigned char>(word[k])) return false;
    return true;
}

// The first position in [from, last] whose byte folds to the folded byte
// first, or last + 1.
size_t FindFirst(const unsigned char* t, size_t from, size_t last, unsigned char first) {
    if (first >= 'A' && first <= 'Z') {
        // c | 0x20 equals the lower-case letter only for the letter's two cases.
        const unsigned char lower = static_cast<unsigned char>(first | 0x20);
        size_t i = from;
#if defined(__SSE2__)
        const __m128i bit = _mm_set1_epi8(0x20), want = _mm_set1_epi8(static_cast<char>(lower));
        for (; i + 16 <= last + 1; i += 16) {
            __m128i block = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i)), bit);
            if (int m = _mm_movemask_epi8(_mm_cmpeq_epi8(block, want))) return i + static_cast<size_t>(__builtin_ctz(m));
        }
#endif
        while (i <= last && static_cast<unsigned char>(t[i] | 0x20) != lower) ++i;
        return i;
    }
    const void* hit = std::memchr(t + from, first, last - from + 1);
    return hit ? static_cast<size_t>(static_cast<const unsigned char*>(hit) - t) : last + 1;
}

#if defined(__SSE2__)
// Bit k set when the byte at p + k folds to the folded byte b: a letter is
// compared in both cases at once (c | 0x20), any other byte as it is.
struct ByteFilter {
    __m128i bit, want;
    explicit ByteFilter(unsigned char b)
        : bit(_mm_set1_epi8(b >= 'A' && b <= 'Z' ? 0x20 : 0)),
          want(_mm_set1_epi8(static_cast<char>(b >= 'A' && b <= 'Z' ? (b | 0x20) : b))) {}
    __m128i at(const unsigned char* p) const {
        return _mm_cmpeq_epi8(_mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), bit), want);
    }
};

// The occurrences of a folded word of two bytes or more from position i up
// to the last 16-position block that lies wholly in [i, last]: 16 positions
// at a time, only those holding both the word's first and last byte are
// compared in full. Returns where the scan goes on.
size_t CountBlocks(const unsigned char* t, size_t i, size_t last, const std::string& word, int32_t& count) {
    const size_t n = word.size();
    const ByteFilter first(static_cast<unsigned char>(word[0])), end(static_cast<unsigned char>(word[n - 1]));
    while (i + 16 <= last + 1) {
        uint32_t m = static_cast<uint32_t>(_mm_movemask_epi8(_mm_and_si128(first.at(t + i), end.at(t + i + n - 1))));
        size_t next = i + 16;
        while (m) {
            const size_t at = i + static_cast<size_t>(__builtin_ctz(m));
            m &= m - 1;
            if (!RestMatches(t + at, word)) continue;
            ++count;
            next = at + n;  // occurrences do not overlap
            if (next >= i + 16) break;
            m &= ~((1u << (next - i)) - 1);
            next = i + 16;
        }
        i = next;
    }
    return i;
}
#endif

}  // namespace

PageWordCounts::PageWordCounts(const std::vector<std::string>& words) {
    for (const std::string& w : words) {
        std::string folded(w);
        for (char& c : folded) c = static_cast<char>(Fold(static_cast<unsigned char>(c)));
        Words_.push_back(std::move(folded));
    }
    for (Stream* s : {&Body_, &Title_}) {
        s->Next.assign(Words_.size(), 0);
        s->Counts.assign(Words_.size(), 0);
    }
}

void PageWordCounts::Clear() {
    for (Stream* s : {&Body_, &Title_}) {
        s->Text.clear();
        s->Counted = 0;
        std::fill(s->Next.begin(), s->Next.end(), 0);
        std::fill(s->Counts.begin(), s->Counts.end(), 0);
    }
}

void PageWordCounts::BodyText(const char* text, size_t length) { Add(Body_, text, length); }
void PageWordCounts::TitleText(const char* text, size_t length) { Add(Title_, text, length); }

void PageWordCounts::PageEnd() {
    Count(Body_);
    Count(Title_);
}

void PageWordCounts::Add(Stream& s, const char* text, size_t length) {
    s.Text.append(text, length);
    if (s.Text.size() - s.Counted >= 4096) Count(s);
}

// Each word scans on from where it stopped up to the last position at which
// it fits into the text so far; after a hit it goes on behind the hit.
void PageWordCounts::Count(Stream& s) {
    s.Counted = s.Text.size();
    CountIn(s.Text, s.Next, s.Counts);
}

void PageWordCounts::CountTexts(const std::string& body, const std::string& title) {
    for (Stream* s : {&Body_, &Title_}) {
        std::fill(s->Next.begin(), s->Next.end(), 0);
        std::fill(s->Counts.begin(), s->Counts.end(), 0);
    }
    CountIn(body, Body_.Next, Body_.Counts);
    CountIn(title, Title_.Next, Title_.Counts);
}

void PageWordCounts::CountIn(const std::string& text, std::vector<size_t>& next, std::vector<int32_t>& counts) const {
    const auto* t = reinterpret_cast<const unsigned char*>(text.data());
    const size_t size = text.size();
    for (size_t w = 0; w < Words_.size(); ++w) {
        const std::string& word = Words_[w];
        if (word.empty() || word.size() > size) continue;
        const size_t last = size - word.size();
        const unsigned char first = static_cast<unsigned char>(word[0]);
        size_t i = next[w];
#if defined(__SSE2__)
        if (word.size() > 1) i = CountBlocks(t, i, last, word, counts[w]);
#endif
        while (i <= last) {
            i = FindFirst(t, i, last, first);
            if (i > last) break;
            if (RestMatches(t + i, word)) {
                ++counts[w];
                i += word.size();
            } else {
                ++i;
            }
        }
        next[w] = i;
    }
}
