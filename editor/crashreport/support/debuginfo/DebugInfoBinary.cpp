#include "editor/crashreport/support/debuginfo/DebugInfoBinary.h"

#include <cstring>

namespace {

constexpr uint32_t TableEnd = 0x7FFFFFFF;
constexpr size_t HeaderSize = 34;

char CodeToChar(uint8_t code)
{
    if (code >= 1 && code <= 10)
        return static_cast<char>('0' + code - 1);
    if (code >= 11 && code <= 36)
        return static_cast<char>('A' + code - 11);
    if (code >= 37 && code <= 62)
        return static_cast<char>('a' + code - 37);
    return '_';
}

uint8_t CharToCode(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<uint8_t>(c - '0' + 1);
    if (c >= 'A' && c <= 'Z')
        return static_cast<uint8_t>(c - 'A' + 11);
    if (c >= 'a' && c <= 'z')
        return static_cast<uint8_t>(c - 'a' + 37);
    return 63;
}

}  // namespace

void WriteJdbgValue(std::vector<uint8_t>& out, uint32_t value)
{
    while (value >= 0x80) {
        out.push_back(static_cast<uint8_t>(value | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<uint8_t>(value));
}

std::vector<uint8_t> PackJdbgName(const std::string& name)
{
    std::vector<uint8_t> codes;
    for (char c : name)
        codes.push_back(CharToCode(c));
    codes.push_back(0);
    while (codes.size() % 4)
        codes.push_back(0);
    std::vector<uint8_t> out;
    for (size_t i = 0; i < codes.size(); i += 4) {
        out.push_back(static_cast<uint8_t>(codes[i] | (codes[i + 1] << 6)));
        out.push_back(static_cast<uint8_t>((codes[i + 1] >> 2) | (codes[i + 2] << 4)));
        out.push_back(static_cast<uint8_t>((codes[i + 2] >> 4) | (codes[i + 3] << 2)));
    }
    return out;
}

TZVBinDebugScanner::TZVBinDebugScanner(const uint8_t* data, size_t size, bool cacheData)
    : FCacheData(cacheData), FData(data), FSize(data ? size : 0)
{
    FValidFormat = CheckFormat();
}

uint32_t TZVBinDebugScanner::HeaderWord(size_t at) const
{
    uint32_t v = 0;
    if (at + 4 <= FSize)
        std::memcpy(&v, FData + at, 4);
    return v;
}

bool TZVBinDebugScanner::CheckFormat()
{
    if (!FData || FSize < 35 || FSize % 4 != 0 || std::memcmp(FData, "JDBG", 4) != 0 || FData[4] != 1)
        return false;
    if (FData[33] == 0)
        return true;
    uint32_t sum = 0;
    for (size_t i = 0; i + 4 <= FSize; i += 4)
        sum += HeaderWord(i);
    const uint32_t checksum = HeaderWord(29);
    const uint32_t v = sum - checksum;
    return ((v >> 8) | (v << 24)) == checksum;
}

bool TZVBinDebugScanner::ReadValue(size_t& pos, uint32_t& value) const
{
    uint32_t result = 0;
    for (int i = 0; i < 5; ++i) {
        if (pos >= FSize)
            return false;
        const uint8_t b = FData[pos++];
        result |= static_cast<uint32_t>(b & 0x7F) << (7 * i);
        if (!(b & 0x80)) {
            value = result;
            return value != TableEnd;
        }
    }
    return false;
}

std::string TZVBinDebugScanner::DataToStr(uint32_t reference) const
{
    if (reference == 0 || !FValidFormat)
        return {};
    const uint64_t at = static_cast<uint64_t>(HeaderWord(21)) + reference - 1;
    if (at >= FSize)
        return {};
    const uint8_t* p = FData + at;
    const uint8_t* end = FData + FSize;
    std::string name;
    if (*p == 1) {
        for (++p; p < end && *p && name.size() < 255; ++p)
            name += static_cast<char>(*p == 0xAA ? *p : *p ^ 0xAA);
        return name;
    }
    if (*p == 2) {
        name = "@";
        ++p;
    }
    // Four 6-bit codes in three bytes, lowest bits first.
    while (name.size() < 255) {
        uint8_t b[3] = {0, 0, 0};
        for (int i = 0; i < 3; ++i)
            b[i] = p + i < end ? p[i] : 0;
        const uint8_t codes[4] = {static_cast<uint8_t>(b[0] & 0x3F),
                                  static_cast<uint8_t>((b[0] >> 6) | ((b[1] & 0x0F) << 2)),
                                  static_cast<uint8_t>((b[1] >> 4) | ((b[2] & 0x03) << 4)),
                                  static_cast<uint8_t>(b[2] >> 2)};
        for (uint8_t c : codes) {
            if (c == 0 || name.size() >= 255)
                return name;
            name += CodeToChar(c);
        }
        if (end - p <= 3)
            return name;
        p += 3;
    }
    return name;
}

std::string TZVBinDebugScanner::GetModuleName() const { return DataToStr(HeaderWord(25)); }

uint32_t TZVBinDebugScanner::ModuleStartFromAddr(uint32_t offset) const
{
    uint32_t result = 0xFFFFFFFF;
    if (!FValidFormat)
        return result;
    size_t pos = HeaderWord(5);
    uint32_t start = 0, name = 0, v;
    while (ReadValue(pos, v)) {
        start += v;
        if (!ReadValue(pos, v))
            break;
        name += v;
        if (static_cast<uint32_t>(start) <= offset)
            result = static_cast<uint32_t>(start);
    }
    return result;
}

std::string TZVBinDebugScanner::ModuleNameFromAddr(uint32_t offset) const
{
    if (!FValidFormat)
        return {};
    size_t pos = HeaderWord(5);
    uint32_t start = 0, name = 0, found = 0, v;
    while (ReadValue(pos, v)) {
        start += v;
        if (!ReadValue(pos, v))
            break;
        name += v;
        if (static_cast<uint32_t>(start) <= offset)
            found = name;
    }
    return DataToStr(static_cast<uint32_t>(found));
}

std::string TZVBinDebugScanner::SourceNameFromAddr(uint32_t offset) const
{
    if (!FValidFormat)
        return {};
    const uint32_t unitStart = ModuleStartFromAddr(offset);
    size_t pos = HeaderWord(9);
    uint32_t start = 0, name = 0, v;
    uint32_t foundName = 0;
    uint32_t foundStart = 0;
    bool found = false;
    while (ReadValue(pos, v)) {
        start += v;
        if (!ReadValue(pos, v))
            break;
        name += v;
        if (static_cast<uint32_t>(start) <= offset) {
            found = true;
            foundStart = static_cast<uint32_t>(start);
            foundName = name;
        }
    }
    if (!found || unitStart == 0xFFFFFFFF || foundStart < unitStart)
        return {};
    return DataToStr(static_cast<uint32_t>(foundName));
}

void TZVBinDebugScanner::CacheProcNames()
{
    if (FProcsCached)
        return;
    FProcsCached = true;
    FProcNames.reserve(64);
    size_t pos = HeaderWord(13);
    uint32_t start = 0, first = 0, second = 0, v;
    while (ReadValue(pos, v)) {
        start += v;
        if (!ReadValue(pos, v))
            break;
        first += v;
        if (!ReadValue(pos, v))
            break;
        second += v;
        if (FProcNames.size() == FProcNames.capacity())
            FProcNames.reserve(FProcNames.capacity() + FProcNames.capacity() / 4);
        FProcNames.push_back({static_cast<uint32_t>(start), static_cast<uint32_t>(first), static_cast<uint32_t>(second)});
    }
    FProcNames.shrink_to_fit();
}

void TZVBinDebugScanner::CacheLineNumbers()
{
    if (FLinesCached)
        return;
    FLinesCached = true;
    FLineNumbers.reserve(64);
    size_t pos = HeaderWord(17);
    uint32_t start = 0, line = 0, v;
    while (ReadValue(pos, v)) {
        start += v;
        if (!ReadValue(pos, v))
            break;
        line += v;
        if (FLineNumbers.size() == FLineNumbers.capacity())
            FLineNumbers.reserve(FLineNumbers.capacity() + FLineNumbers.capacity() / 4);
        FLineNumbers.push_back({start, static_cast<int32_t>(line)});
    }
    FLineNumbers.shrink_to_fit();
}

std::string TZVBinDebugScanner::ProcNameFromAddr(uint32_t offset, uint32_t& procedureOffset)
{
    procedureOffset = 0;
    if (!FValidFormat)
        return {};
    const uint32_t unitStart = ModuleStartFromAddr(offset);
    if (unitStart == 0xFFFFFFFF)
        return {};
    ProcEntry found{};
    bool have = false;
    if (FCacheData) {
        CacheProcNames();
        for (size_t i = FProcNames.size(); i-- > 0;)
            if (FProcNames[i].offset <= offset) {
                found = FProcNames[i];
                have = true;
                break;
            }
    } else {
        size_t pos = HeaderWord(13);
        uint32_t start = 0, first = 0, second = 0, v;
        while (ReadValue(pos, v)) {
            start += v;
            if (!ReadValue(pos, v))
                break;
            first += v;
            if (!ReadValue(pos, v))
                break;
            second += v;
            if (static_cast<uint32_t>(start) <= offset) {
                found = {static_cast<uint32_t>(start), static_cast<uint32_t>(first), static_cast<uint32_t>(second)};
                have = true;
            }
        }
    }
    if (!have || found.offset < unitStart)
        return {};
    procedureOffset = offset - found.offset;
    std::string name = DataToStr(found.firstName);
    if (found.secondName)
        name += "." + DataToStr(found.secondName);
    return name;
}

int32_t TZVBinDebugScanner::LineNumberFromAddr(uint32_t offset, uint32_t& lineOffset)
{
    lineOffset = 0;
    if (!FValidFormat)
        return 0;
    const uint32_t unitStart = ModuleStartFromAddr(offset);
    if (unitStart == 0xFFFFFFFF)
        return 0;
    LineEntry found{};
    bool have = false;
    if (FCacheData) {
        CacheLineNumbers();
        for (size_t i = FLineNumbers.size(); i-- > 0;)
            if (FLineNumbers[i].offset <= offset) {
                found = FLineNumbers[i];
                have = true;
                break;
            }
    } else {
        size_t pos = HeaderWord(17);
        uint32_t start = 0, line = 0, v;
        while (ReadValue(pos, v)) {
            start += v;
            if (!ReadValue(pos, v))
                break;
            line += v;
            if (static_cast<uint32_t>(start) <= offset) {
                found = {start, static_cast<int32_t>(line)};
                have = true;
            }
        }
    }
    if (!have || found.offset < unitStart)
        return 0;
    lineOffset = offset - found.offset;
    return found.line;
}
