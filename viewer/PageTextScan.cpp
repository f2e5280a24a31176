#include "viewer/PageTextScan.h"

#include <cstring>
#include <string>

namespace {

bool IsBlank(unsigned char c) { return c == ' ' || (c >= 9 && c <= 13); }

// A tag name compared with a lower-case name, a-z without regard to case.
bool NameIs(const char* name, size_t length, const char* lower) {
    if (length != std::strlen(lower)) return false;
    for (size_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c + 32);
        if (c != static_cast<unsigned char>(lower[i])) return false;
    }
    return true;
}

}  // namespace

// The markup reader's state machine, keeping only what reaches the texts:
// the text runs, the tag names that switch title and body on and off, and
// the bytes a tag closed by "/" leaves in front of the next text.
namespace {
void Scan(const char* p, size_t n, PageTextSink& sink) {
    enum State { Text, AfterLt, Processing, TagName, BetweenAttrs, AfterSlash, AfterEq, Quoted, Bare };
    State state = Text;
    bool endTag = false, inBody = false, inTitle = false;
    std::string pending;  // the bytes gathered between attributes and after "/"
    std::string carry;    // what a tag closed by "/" leaves for the next text
    size_t nameStart = 0;
    size_t i = 0;
    auto emit = [&](const char* text, size_t length) {
        if (length == 0) return;
        if (inBody) sink.BodyText(text, length);
        if (inTitle) sink.TitleText(text, length);
    };
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(p[i]);
        switch (state) {
            case Text: {
                // Text after the last tag of the page is never reported.
                const void* lt = std::memchr(p + i, '<', n - i);
                if (!lt) return;
                const size_t at = static_cast<size_t>(static_cast<const char*>(lt) - p);
                emit(carry.data(), carry.size());
                carry.clear();
                emit(p + i, at - i);
                endTag = false;
                state = AfterLt;
                i = at + 1;
                continue;
            }
            case AfterLt:
                if (c == '?') {
                    state = Processing;
                } else if (c == '/') {
                    endTag = true;
                } else {
                    state = TagName;  // this byte starts the name
                    nameStart = i;
                    continue;
                }
                break;
            case Processing: {
                const void* gt = std::memchr(p + i, '>', n - i);
                if (!gt) return;
                i = static_cast<size_t>(static_cast<const char*>(gt) - p) + 1;
                state = Text;
                continue;
            }
            case TagName: {
                size_t j = i;
                while (j < n && p[j] != '>' && !IsBlank(static_cast<unsigned char>(p[j]))) ++j;
                if (j == n) return;  // the name never ends: no tag is reported
                const char* name = p + nameStart;
                const size_t length = j - nameStart;
                if (NameIs(name, length, "title")) inTitle = !endTag;
                if (NameIs(name, length, "body")) inBody = !endTag;
                state = p[j] == '>' ? Text : BetweenAttrs;
                pending.clear();
                i = j + 1;
                continue;
            }
            case BetweenAttrs:
                if (c == '/') {
                    state = AfterSlash;
                } else if (c == '>') {
                    pending.clear();
                    state = Text;
                } else if (c == '=') {
                    pending.clear();
                    state = AfterEq;
                } else if (c != ' ') {
                    pending += static_cast<char>(c);
                }
                break;
            case AfterSlash:
                if (c == '>') {
                    carry.swap(pending);
                    pending.clear();
                    state = Text;
                } else {
                    pending += static_cast<char>(c);
                }
                break;
            case AfterEq:
                if (c == ' ' || c == '>') state = c == ' ' ? BetweenAttrs : Text;
                else if (c == '"' || c == '\'') state = Quoted;
                else state = Bare;
                break;
            case Quoted:
                if (c == '"' || c == '\'') state = BetweenAttrs;
                break;
            case Bare:
                if (c == '>' || IsBlank(c)) state = c == '>' ? Text : BetweenAttrs;
                break;
        }
        ++i;
    }
}
}  // namespace

void ScanPageText(const char* bytes, size_t length, PageTextSink& sink) {
    Scan(bytes, length, sink);
    sink.PageEnd();
}
