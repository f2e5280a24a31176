#include "editor/crashreport/support/debuginfo/DebugInfoMap.h"

#include <algorithm>
#include <cstring>

namespace {

bool IsBlank(char c) { return c == ' ' || (c >= 9 && c <= 13); }

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}  // namespace

TZVAbstractMapParser::TZVAbstractMapParser(std::string text) : FText(std::move(text)) {}

void TZVAbstractMapParser::SkipWhiteSpace()
{
    while (!Eof() && IsBlank(Cur()))
        ++FPos;
}

void TZVAbstractMapParser::SkipEndLine()
{
    while (!Eof() && Cur() != '\n' && Cur() != '\r')
        ++FPos;
    SkipWhiteSpace();
}

// Reads lines until one holds the four words in this order; the position
// then stands after the header's blank space. Consumes the text when no line
// does.
bool TZVAbstractMapParser::FindHeader(const char* const words[4])
{
    while (!Eof()) {
        size_t end = FPos;
        while (end < FText.size() && FText[end] != '\n' && FText[end] != '\r')
            ++end;
        std::string_view line(FText.data() + FPos, end - FPos);
        size_t at = 0;
        bool found = true;
        for (int i = 0; i < 4 && found; ++i) {
            const size_t p = line.find(words[i], at);
            found = p != std::string_view::npos;
            if (found)
                at = p + std::strlen(words[i]);
        }
        FPos = end;
        while (!Eof() && (Cur() == '\n' || Cur() == '\r'))
            ++FPos;
        if (found) {
            SkipWhiteSpace();
            return true;
        }
    }
    return false;
}

uint32_t TZVAbstractMapParser::ReadHexValue()
{
    uint32_t v = 0;
    while (!Eof() && HexDigit(Cur()) >= 0) {
        v = (v << 4) | static_cast<uint32_t>(HexDigit(Cur()));
        ++FPos;
    }
    if (!Eof() && (Cur() == 'H' || Cur() == 'h'))
        ++FPos;
    return v;
}

int32_t TZVAbstractMapParser::ReadDecValue()
{
    uint32_t v = 0;
    while (IsDigit()) {
        v = v * 10 + static_cast<uint32_t>(Cur() - '0');
        ++FPos;
    }
    return static_cast<int32_t>(v);
}

TZVMapAddress TZVAbstractMapParser::ReadAddress()
{
    TZVMapAddress a;
    a.Segment = static_cast<uint16_t>(ReadHexValue());
    if (!Eof() && Cur() == ':') {
        ++FPos;
        a.Offset = static_cast<int32_t>(ReadHexValue());
    }
    return a;
}

TZVMapString TZVAbstractMapParser::ReadString()
{
    SkipWhiteSpace();
    const TZVMapString s = Eof() ? NoMapString : FPos;
    while (!Eof() && !IsBlank(Cur()))
        ++FPos;
    return s;
}

void TZVAbstractMapParser::SkipTo(const char* marker)
{
    const size_t p = FText.find(marker, FPos);
    FPos = p == std::string::npos ? FText.size() : p + std::strlen(marker);
}

void TZVAbstractMapParser::Parse()
{
    static const char* const classTable[4] = {"Start", "Length", "Name", "Class"};
    static const char* const segmentMap[4] = {"Detailed", "map", "of", "segments"};
    static const char* const byName[4] = {"Address", "Publics", "by", "Name"};
    static const char* const byValue[4] = {"Address", "Publics", "by", "Value"};
    FPos = 0;
    if (FindHeader(classTable)) {
        while (IsDigit()) {
            const TZVMapAddress a = ReadAddress();
            SkipWhiteSpace();
            const int32_t length = static_cast<int32_t>(ReadHexValue());
            const TZVMapString section = ReadString();
            const TZVMapString group = ReadString();
            SkipEndLine();
            ClassTableItem(a, length, section, group);
        }
    }
    if (FindHeader(segmentMap)) {
        while (IsDigit()) {
            const TZVMapAddress a = ReadAddress();
            SkipWhiteSpace();
            const int32_t length = static_cast<int32_t>(ReadHexValue());
            SkipTo("C=");
            const TZVMapString group = Eof() ? NoMapString : FPos;
            SkipTo("M=");
            const TZVMapString unit = Eof() ? NoMapString : FPos;
            SkipEndLine();
            SegmentItem(a, length, group, unit);
        }
    }
    if (FindHeader(byName)) {
        while (IsDigit()) {
            const TZVMapAddress a = ReadAddress();
            const TZVMapString name = ReadString();
            SkipEndLine();
            PublicsByNameItem(a, name);
        }
    }
    if (FindHeader(byValue)) {
        while (IsDigit()) {
            const TZVMapAddress a = ReadAddress();
            const TZVMapString name = ReadString();
            SkipEndLine();
            PublicsByValueItem(a, name);
        }
    }
    static const char prefix[] = "Line numbers for";
    for (;;) {
        SkipWhiteSpace();
        if (FText.compare(FPos, sizeof prefix - 1, prefix) != 0)
            break;
        FPos += sizeof prefix - 1;
        SkipWhiteSpace();
        FLastUnitName = Eof() ? NoMapString : FPos;
        size_t end = FPos;
        while (end < FText.size() && FText[end] != '\n' && FText[end] != '\r' && FText[end] != '(')
            ++end;
        FLastUnitFileName = end < FText.size() && FText[end] == '(' ? end : NoMapString;
        SkipEndLine();
        LineNumberUnitItem(FLastUnitName, FLastUnitFileName);
        while (IsDigit()) {
            const int32_t line = ReadDecValue();
            SkipWhiteSpace();
            const TZVMapAddress a = ReadAddress();
            SkipWhiteSpace();
            LineNumbersItem(line, a);
        }
    }
}

std::string TZVAbstractMapParser::MapStringToStr(TZVMapString s) const
{
    if (s == NoMapString || s >= FText.size())
        return {};
    size_t p = s;
    if (FText[p] == '(') {
        ++p;
        size_t e = p;
        while (e < FText.size() && FText[e] != ')' && FText[e] != '\r' && FText[e] != '\n')
            ++e;
        return FText.substr(p, e - p);
    }
    size_t e = p;
    while (e < FText.size() && !IsBlank(FText[e]) && FText[e] != '(')
        ++e;
    return FText.substr(p, e - p);
}

std::string TZVAbstractMapParser::MapStringToFileName(TZVMapString s) const
{
    if (s == NoMapString || s >= FText.size())
        return {};
    size_t e = s;
    while (e < FText.size() && FText[e] != '\r' && FText[e] != '\n' && FText[e] != '=')
        ++e;
    if (e < FText.size() && FText[e] == '=') {
        // Back over the token before "=" and the blanks before it.
        while (e > s && !IsBlank(FText[e - 1]))
            --e;
        while (e > s && IsBlank(FText[e - 1]))
            --e;
    }
    std::string name = FText.substr(s, e - s);
    for (size_t i = name.size(); i-- > 0;) {
        if (name[i] == '|' || name[i] == '\\')
            break;
        if (name[i] == '.') {
            name.erase(i);
            break;
        }
    }
    const size_t folder = name.find_last_of("\\|");
    if (folder != std::string::npos)
        name.erase(0, folder + 1);
    return name;
}

// --- the scanner ---

TZVMapScanner::TZVMapScanner(std::string text) : TZVAbstractMapParser(std::move(text))
{
    FLastAccessedLineNumberAddress = {};
    FTopValidAddress = 0;
    FLineNumberErrors = 0;
    Parse();
    FLineNumbers.shrink_to_fit();
    FProcNames.shrink_to_fit();
    // Binary searches need rising offsets; a map lists them so, but a
    // damaged one must not break the search.
    auto byOffset = [](const auto& a, const auto& b) { return a.offset < b.offset; };
    std::stable_sort(FProcNames.begin(), FProcNames.end(), byOffset);
    std::stable_sort(FSourceNames.begin(), FSourceNames.end(), byOffset);
}

void TZVMapScanner::SegmentItem(const TZVMapAddress& address, int32_t length, TZVMapString, TZVMapString unitName)
{
    if (address.Segment != 1)
        return;
    const uint32_t start = static_cast<uint32_t>(address.Offset);
    const uint32_t end = start + static_cast<uint32_t>(length);
    FSegments.push_back({start, end, unitName});
    FTopValidAddress = std::max(FTopValidAddress, end);
}

void TZVMapScanner::PublicsByValueItem(const TZVMapAddress& address, TZVMapString name)
{
    if (address.Segment == 1)
        FProcNames.push_back({static_cast<uint32_t>(address.Offset), name});
}

void TZVMapScanner::LineNumberUnitItem(TZVMapString, TZVMapString unitFileName)
{
    FNewUnitFileName = unitFileName;
}

void TZVMapScanner::LineNumbersItem(int32_t lineNumber, const TZVMapAddress& address)
{
    const TZVMapAddress& last = FLastAccessedLineNumberAddress;
    if (last.Offset != 0) {
        const bool ok = address.Offset > 0 && static_cast<uint32_t>(address.Offset) <= FTopValidAddress &&
                        address.Segment == last.Segment && address.Offset > last.Offset;
        if (!ok) {
            ++FLineNumberErrors;
            return;
        }
    }
    FLastAccessedLineNumberAddress = address;
    FLineNumbers.push_back({static_cast<uint32_t>(address.Offset), lineNumber});
    if (FNewUnitFileName != NoMapString) {
        FSourceNames.push_back({static_cast<uint32_t>(address.Offset), FNewUnitFileName});
        FNewUnitFileName = NoMapString;
    }
}

template <typename T>
const TZVMapScanner::Entry<T>* TZVMapScanner::Search(const std::vector<Entry<T>>& table, uint32_t offset)
{
    auto it = std::upper_bound(table.begin(), table.end(), offset,
                               [](uint32_t o, const Entry<T>& e) { return o < e.offset; });
    if (it == table.begin())
        return nullptr;
    --it;
    // An exact match is the first entry of that offset.
    if (it->offset == offset)
        it = std::lower_bound(table.begin(), it, offset, [](const Entry<T>& e, uint32_t o) { return e.offset < o; });
    return &*it;
}

uint32_t TZVMapScanner::ModuleStartFromAddr(uint32_t offset) const
{
    for (size_t i = FSegments.size(); i-- > 0;)
        if (FSegments[i].start <= offset && offset <= FSegments[i].end)
            return FSegments[i].start;
    return 0xFFFFFFFF;
}

std::string TZVMapScanner::ModuleNameFromAddr(uint32_t offset) const
{
    for (size_t i = FSegments.size(); i-- > 0;)
        if (FSegments[i].start <= offset && offset <= FSegments[i].end)
            return MapStringToStr(FSegments[i].unitName);
    return {};
}

std::string TZVMapScanner::ProcNameFromAddr(uint32_t offset, uint32_t& procedureOffset) const
{
    procedureOffset = 0;
    const uint32_t unitStart = ModuleStartFromAddr(offset);
    const auto* e = Search(FProcNames, offset);
    if (!e || unitStart == 0xFFFFFFFF || e->offset < unitStart)
        return {};
    procedureOffset = offset - e->offset;
    return MapStringToStr(e->value);
}

int32_t TZVMapScanner::LineNumberFromAddr(uint32_t offset, uint32_t& lineOffset) const
{
    lineOffset = 0;
    const uint32_t unitStart = ModuleStartFromAddr(offset);
    const auto* e = Search(FLineNumbers, offset);
    if (!e || unitStart == 0xFFFFFFFF || e->offset < unitStart)
        return 0;
    lineOffset = offset - e->offset;
    return e->value;
}

std::string TZVMapScanner::SourceNameFromAddr(uint32_t offset) const
{
    const uint32_t unitStart = ModuleStartFromAddr(offset);
    const auto* e = Search(FSourceNames, offset);
    if (!e || unitStart == 0xFFFFFFFF || e->offset < unitStart)
        return {};
    return MapStringToStr(e->value);
}

// --- the event parser ---

void TZVMapParser::ClassTableItem(const TZVMapAddress& address, int32_t length, TZVMapString section,
                                  TZVMapString groupName)
{
    if (OnClassTable)
        OnClassTable(address, MapStringToStr(section), MapStringToStr(groupName), length);
}

void TZVMapParser::SegmentItem(const TZVMapAddress& address, int32_t length, TZVMapString groupName,
                               TZVMapString unitName)
{
    if (OnSegment)
        OnSegment(address, MapStringToFileName(unitName), MapStringToStr(groupName), length);
}

void TZVMapParser::PublicsByNameItem(const TZVMapAddress& address, TZVMapString name)
{
    if (OnPublicsByName)
        OnPublicsByName(address, MapStringToStr(name));
}

void TZVMapParser::PublicsByValueItem(const TZVMapAddress& address, TZVMapString name)
{
    if (OnPublicsByValue)
        OnPublicsByValue(address, MapStringToStr(name));
}

void TZVMapParser::LineNumberUnitItem(TZVMapString unitName, TZVMapString unitFileName)
{
    if (OnLineNumberUnit)
        OnLineNumberUnit(MapStringToStr(unitName), MapStringToStr(unitFileName));
}

void TZVMapParser::LineNumbersItem(int32_t lineNumber, const TZVMapAddress& address)
{
    if (OnLineNumbers)
        OnLineNumbers(lineNumber, address);
}
