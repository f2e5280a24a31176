#include "editor/crashreport/support/net/DnsMx.h"

#include <algorithm>

namespace {

constexpr size_t kHeaderSize = 12;
constexpr uint16_t kTypeMx = 15;

struct Reader {
    const std::string& Data;

    bool Has(size_t at, size_t n) const { return at <= Data.size() && n <= Data.size() - at; }
    uint8_t Byte(size_t at) const { return static_cast<uint8_t>(Data[at]); }
    uint16_t Word(size_t at) const { return static_cast<uint16_t>(Byte(at) << 8 | Byte(at + 1)); }

    // Reads the name at `at`, following compression pointers. `next` becomes
    // the position after the name where it started (after its first pointer).
    // A damaged name is empty. Pointers must lead backwards, so a loop of
    // pointers cannot hold the reader.
    std::string Name(size_t at, size_t& next) const {
        std::string name;
        bool jumped = false;
        size_t limit = at;  // a pointer must point before this
        next = at;
        for (;;) {
            if (!Has(at, 1)) {
                if (!jumped)
                    next = Data.size();
                return {};
            }
            const uint8_t len = Byte(at);
            if (len >= 192) {
                if (!Has(at, 2)) {
                    if (!jumped)
                        next = Data.size();
                    return {};
                }
                const size_t target = static_cast<size_t>(len & 63) << 8 | Byte(at + 1);
                if (!jumped)
                    next = at + 2;
                jumped = true;
                if (target >= limit)
                    return {};
                limit = target;
                at = target;
                continue;
            }
            if (len == 0) {
                if (!jumped)
                    next = at + 1;
                break;
            }
            if (len >= 64 || !Has(at + 1, len)) {
                if (!jumped)
                    next = Data.size();
                return {};
            }
            name.append(Data, at + 1, len);
            name += '.';
            at += 1 + len;
        }
        if (!name.empty())
            name.pop_back();
        return name;
    }
};

}  // namespace

std::string MxDomainOfAddress(const std::string& address) {
    const size_t at = address.find('@');
    return at == std::string::npos ? address : address.substr(at + 1);
}

std::string BuildMxQuery(const std::string& domain) {
    std::string q = "AA";
    q += std::string("\x01\x00\x00\x01\x00\x00\x00\x00\x00\x00", 10);
    size_t start = 0;
    while (start <= domain.size()) {
        size_t dot = domain.find('.', start);
        if (dot == std::string::npos)
            dot = domain.size();
        // A label is at most 63 bytes; a longer one could not be written as
        // a length byte without turning into a compression pointer.
        std::string label = domain.substr(start, std::min<size_t>(dot - start, 63));
        if (!label.empty()) {
            q += static_cast<char>(label.size());
            q += label;
        }
        start = dot + 1;
    }
    q += std::string("\x00\x00\x0F\x00\x01", 5);
    return q;
}

std::string ParseMxReply(const std::string& reply) {
    Reader r{reply};
    if (!r.Has(0, kHeaderSize))
        return {};
    const uint16_t answers = r.Word(6);
    size_t at = kHeaderSize;
    // The question: its name, type and class.
    r.Name(at, at);
    at += 4;
    // The first MX answer; other answers (a CNAME on the way) are passed over.
    for (uint16_t i = 0; i < answers; ++i) {
        r.Name(at, at);
        if (!r.Has(at, 10))
            return {};
        const uint16_t type = r.Word(at);
        const size_t length = r.Word(at + 8);
        const size_t data = at + 10;
        if (!r.Has(data, length))
            return {};
        at = data + length;
        if (type != kTypeMx)
            continue;
        size_t next = 0;
        std::string name = length >= 2 ? r.Name(data + 2, next) : std::string();
        if (name.empty())
            name = r.Name(data, next);
        if (!name.empty())
            return name;
    }
    return {};
}

std::vector<int32_t> MxTryTimeouts(int32_t timeoutMs) {
    const int64_t base = (static_cast<int64_t>(timeoutMs) + 150) / 3;
    std::vector<int32_t> tries;
    for (int64_t t = 0; t < 3; ++t)
        tries.push_back(static_cast<int32_t>(std::clamp<int64_t>(base + 100 * t, 0, INT32_MAX)));
    return tries;
}
