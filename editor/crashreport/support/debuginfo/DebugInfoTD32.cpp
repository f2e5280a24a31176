#include "editor/crashreport/support/debuginfo/DebugInfoTD32.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>

#include "editor/crashreport/support/debuginfo/DebugInfoSource.h"

namespace {

constexpr uint16_t SubsectionModule = 0x0120;
constexpr uint16_t SubsectionAlignSymbols = 0x0125;
constexpr uint16_t SubsectionSourceModule = 0x0127;
constexpr uint16_t SubsectionNames = 0x0130;

uint32_t Word32(const uint8_t* p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

}  // namespace

bool IsTD32Sign(const uint8_t* s)
{
    return s[0] == 'F' && s[1] == 'B' && s[2] == '0' && (s[3] == '9' || s[3] == 'A');
}

bool IsTD32DebugInfoValid(const uint8_t* data, size_t size)
{
    if (!data || size <= 8)
        return false;
    const uint8_t* trailer = data + size - 8;
    const uint32_t distance = Word32(trailer + 4);
    return IsTD32Sign(trailer) && IsTD32Sign(data) && distance >= 16 && distance <= size;
}

// --- parser ---

TZVTD32InfoParser::TZVTD32InfoParser(const uint8_t* data, size_t size) : FData(data), FSize(data ? size : 0)
{
    FNames.emplace_back();
    FValidData = IsTD32DebugInfoValid(FData, FSize);
    if (FValidData && !Analyse()) {
        // Damaged data answers nothing at all.
        FValidData = false;
        FModules.clear();
        FSourceModules.clear();
        FSymbols.clear();
        FNames.resize(1);
    }
}

bool TZVTD32InfoParser::U16(size_t at, uint16_t& v) const
{
    if (at > FSize || FSize - at < 2)
        return false;
    std::memcpy(&v, FData + at, 2);
    return true;
}

bool TZVTD32InfoParser::U32(size_t at, uint32_t& v) const
{
    if (at > FSize || FSize - at < 4)
        return false;
    std::memcpy(&v, FData + at, 4);
    return true;
}

bool TZVTD32InfoParser::Analyse()
{
    uint32_t directory;
    if (!U32(4, directory))
        return false;
    std::set<uint32_t> visited;
    while (directory != 0) {
        if (directory < 8 || !visited.insert(directory).second)
            return false;
        uint16_t headerSize, entrySize;
        uint32_t count, next;
        if (!U16(directory, headerSize) || !U16(directory + 2, entrySize) || !U32(directory + 4, count) ||
            !U32(directory + 8, next) || entrySize != 12)
            return false;
        const size_t entries = static_cast<size_t>(directory) + 16;
        if (entries > FSize || count > (FSize - entries) / 12)
            return false;
        for (uint32_t i = 0; i < count; ++i) {
            const size_t e = entries + i * 12u;
            uint16_t type;
            uint32_t offset, size;
            U16(e, type);
            U32(e + 4, offset);
            U32(e + 8, size);
            if (offset > FSize || size > FSize - offset)
                return false;
            bool ok = true;
            switch (type) {
            case SubsectionModule: ok = AnalyseModules(offset, size); break;
            case SubsectionAlignSymbols: ok = AnalyseAlignSymbols(offset, size); break;
            case SubsectionSourceModule: ok = AnalyseSourceModules(offset, size); break;
            case SubsectionNames: ok = AnalyseNames(offset, size); break;
            default: break;
            }
            if (!ok)
                return false;
        }
        directory = next;
    }
    return true;
}

bool TZVTD32InfoParser::AnalyseNames(size_t at, size_t size)
{
    const size_t end = at + size;
    uint32_t count;
    if (size < 4 || !U32(at, count))
        return false;
    size_t p = at + 4;
    // Each name takes at least two bytes: the count cannot ask for more.
    if (count > (end - p) / 2)
        return false;
    FNames.reserve(FNames.size() + count);
    for (uint32_t i = 0; i < count; ++i) {
        if (p >= end)
            return false;
        const uint8_t length = FData[p];
        if (static_cast<size_t>(length) + 2 > end - p)
            return false;
        FNames.emplace_back(reinterpret_cast<const char*>(FData + p + 1), length);
        p += static_cast<size_t>(length) + 2;
    }
    return true;
}

bool TZVTD32InfoParser::AnalyseModules(size_t at, size_t size)
{
    uint16_t segmentCount;
    uint32_t nameIndex;
    if (size < 28 || !U16(at + 4, segmentCount) || !U32(at + 8, nameIndex))
        return false;
    if (segmentCount > (size - 28) / 12)
        return false;
    auto module = std::make_unique<TZVModuleInfo>();
    module->NameIndex = nameIndex;
    for (uint16_t i = 0; i < segmentCount; ++i) {
        const size_t s = at + 28 + i * 12u;
        TZVSegmentInfo info{};
        U16(s, info.Segment);
        U16(s + 2, info.Flags);
        U32(s + 4, info.Offset);
        U32(s + 8, info.Size);
        module->Segments.push_back(info);
    }
    FModules.push_back(std::move(module));
    return true;
}

bool TZVTD32InfoParser::AnalyseSourceModules(size_t at, size_t size)
{
    const size_t end = at + size;
    uint16_t fileCount;
    if (size < 4 || !U16(at, fileCount) || fileCount > (size - 4) / 4)
        return false;
    for (uint16_t f = 0; f < fileCount; ++f) {
        uint32_t entryOffset;
        U32(at + 4 + f * 4u, entryOffset);
        const size_t entry = at + entryOffset;
        uint16_t segments;
        uint32_t nameIndex;
        if (entryOffset >= size || !U16(entry, segments) || !U32(entry + 2, nameIndex))
            return false;
        if (nameIndex == 0)
            continue;
        const size_t blocks = entry + 6;
        if (blocks > end || segments > (end - blocks) / 12)
            return false;
        auto source = std::make_unique<TZVSourceModuleInfo>();
        source->NameIndex = nameIndex;
        for (uint16_t s = 0; s < segments; ++s) {
            uint32_t blockOffset;
            U32(blocks + s * 4u, blockOffset);
            const size_t block = at + blockOffset;
            uint16_t pairs;
            if (blockOffset >= size || !U16(block + 2, pairs) || block + 4 > end ||
                pairs > (end - block - 4) / 6)
                return false;
            for (uint16_t i = 0; i < pairs; ++i) {
                uint32_t offset;
                uint16_t line;
                U32(block + 4 + i * 4u, offset);
                U16(block + 4 + pairs * 4u + i * 2u, line);
                source->Lines.push_back({line, offset});
            }
        }
        const size_t ranges = blocks + segments * 4u;
        for (uint16_t s = 0; s < segments; ++s) {
            uint32_t start, stop;
            U32(ranges + s * 8u, start);
            U32(ranges + s * 8u + 4, stop);
            source->Ranges.emplace_back(start, stop);
        }
        FSourceModules.push_back(std::move(source));
    }
    return true;
}

bool TZVTD32InfoParser::AnalyseAlignSymbols(size_t at, size_t size)
{
    const size_t end = at + size;
    size_t p = at + 4;
    while (p + 4 <= end) {
        uint16_t length, type;
        U16(p, length);
        U16(p + 2, type);
        const size_t record = p;
        const size_t recordEnd = p + 2 + length;
        if (recordEnd > end || length < 2)
            break;
        // A field that lies outside its record reads as absent: the record
        // is passed over.
        auto field = [&](size_t offset, size_t width) { return record + offset + width <= recordEnd; };
        auto u32 = [&](size_t offset) {
            uint32_t v = 0;
            U32(record + offset, v);
            return v;
        };
        auto u16 = [&](size_t offset) {
            uint16_t v = 0;
            U16(record + offset, v);
            return v;
        };
        std::unique_ptr<TZVSymbolInfo> symbol;
        switch (type) {
        case 0x0003:
            if (field(16, 4))
                symbol = std::make_unique<TZVConstantSymbolInfo>(type, u32(4), u32(8), u32(16));
            break;
        case 0x0004:
            if (field(10, 4))
                symbol = std::make_unique<TZVUdtSymbolInfo>(type, u32(4), u16(8), u32(10));
            break;
        case 0x0009:
            if (field(8, 4))
                symbol = std::make_unique<TZVObjNameSymbolInfo>(type, u32(4), u32(8));
            break;
        case 0x0201:
            if (field(16, 4))
                symbol = std::make_unique<TZVLDataSymbolInfo>(type, u32(12), u32(16), u32(4));
            break;
        case 0x0202:
            if (field(16, 4))
                symbol = std::make_unique<TZVGDataSymbolInfo>(type, u32(12), u32(16), u32(4));
            break;
        case 0x0203:
            if (field(16, 4))
                symbol = std::make_unique<TZVPublicSymbolInfo>(type, u32(12), u32(16), u32(4));
            break;
        case 0x0204:
            if (field(40, 4))
                symbol = std::make_unique<TZVLocalProcSymbolInfo>(type, u32(40), u32(28), u32(16));
            break;
        case 0x0205:
            if (field(40, 4))
                symbol = std::make_unique<TZVGlobalProcSymbolInfo>(type, u32(40), u32(28), u32(16));
            break;
        case 0x0208:
            if (field(24, 4))
                symbol = std::make_unique<TZVWithSymbolInfo>(type, u32(12), u32(16), u32(24));
            break;
        case 0x0209:
            if (field(12, 4))
                symbol = std::make_unique<TZVLabelSymbolInfo>(type, u32(4), u32(12));
            break;
        case 0x020B:
            if (field(16, 4))
                symbol = std::make_unique<TZVVftPathSymbolInfo>(type, u32(4), u32(12), u32(16));
            break;
        default: break;
        }
        if (symbol)
            FSymbols.push_back(std::move(symbol));
        p = recordEnd;
    }
    return true;
}

std::string TZVTD32InfoParser::GetName(uint32_t index) const
{
    return index < FNames.size() ? FNames[index] : std::string();
}

const TZVModuleInfo* TZVTD32InfoParser::FindModule(uint32_t offset) const
{
    for (const auto& m : FModules)
        for (const TZVSegmentInfo& s : m->Segments)
            if (s.Offset <= offset && offset - s.Offset <= s.Size)
                return m.get();
    return nullptr;
}

const TZVSourceModuleInfo* TZVTD32InfoParser::FindSourceModule(uint32_t offset) const
{
    for (const auto& m : FSourceModules)
        for (const auto& r : m->Ranges)
            if (r.first <= offset && offset < r.second)
                return m.get();
    return nullptr;
}

const TZVLineInfo* TZVTD32InfoParser::FindLine(const TZVSourceModuleInfo& source, uint32_t offset)
{
    const auto& lines = source.Lines;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].Offset == offset)
            return &lines[i];
        if (lines[i].Offset > offset)
            return i > 0 && lines[i - 1].Offset < offset ? &lines[i - 1] : nullptr;
    }
    return nullptr;
}

const TZVProcSymbolInfo* TZVTD32InfoParser::FindProc(uint32_t offset) const
{
    for (const auto& s : FSymbols) {
        if (s->SymbolType() != 0x0204 && s->SymbolType() != 0x0205)
            continue;
        const auto* p = static_cast<const TZVProcSymbolInfo*>(s.get());
        if (p->Offset <= offset && static_cast<uint64_t>(offset) < static_cast<uint64_t>(p->Offset) + p->Size)
            return p;
    }
    return nullptr;
}

// --- scanner ---

std::string TZVTD32InfoScanner::ModuleNameFromAddr(uint32_t offset) const
{
    const TZVModuleInfo* m = FindModule(offset);
    return m ? GetName(m->NameIndex) : std::string();
}

std::string TZVTD32InfoScanner::ProcNameFromAddr(uint32_t offset, uint32_t& procedureOffset) const
{
    procedureOffset = 0;
    const TZVProcSymbolInfo* p = FindProc(offset);
    if (!p)
        return {};
    procedureOffset = offset - p->Offset;
    std::string name = GetName(p->NameIndex);
    if (name.empty() || name[0] != '@')
        return name;
    name.erase(0, 1);
    const size_t dollar = name.find('$');
    if (dollar != std::string::npos)
        name.erase(dollar > 0 && name[dollar - 1] == '@' ? dollar - 1 : dollar);
    std::replace(name.begin(), name.end(), '@', '.');
    for (size_t i = name.find(".."); i != std::string::npos; i = name.find("..", i + 2))
        name[i + 1] = '@';
    std::string unit = ModuleNameFromAddr(offset);
    std::string lowerName = name, lowerUnit = unit;
    for (char& c : lowerName)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : lowerUnit)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!unit.empty() && lowerName.compare(0, lowerUnit.size(), lowerUnit) == 0)
        name.erase(0, std::min(name.size(), unit.size() + 1));
    return name;
}

int32_t TZVTD32InfoScanner::LineNumberFromAddr(uint32_t offset, uint32_t& lineOffset) const
{
    lineOffset = 0;
    const TZVSourceModuleInfo* source = FindSourceModule(offset);
    const TZVLineInfo* line = source ? FindLine(*source, offset) : nullptr;
    if (!line)
        return 0;
    lineOffset = offset - line->Offset;
    return line->LineNo;
}

void TZVTD32InfoScanner::SourceNameFromAddr(uint32_t offset, std::string& name) const
{
    if (const TZVSourceModuleInfo* source = FindSourceModule(offset))
        name = GetName(source->NameIndex);
}

// --- the image ---

TZVPeBorTD32Image::TZVPeBorTD32Image(uintptr_t module) : FModule(module)
{
    CheckDebugData();
}

void TZVPeBorTD32Image::Clear()
{
    FDebugInfoPresent = false;
    FScanner.reset();
    FFileData.clear();
    FData = nullptr;
    FSize = 0;
}

void TZVPeBorTD32Image::CheckDebugData()
{
    FDebugInfoPresent = IsDebugInfoInImage() || IsDebugInfoInTds();
    if (FDebugInfoPresent) {
        FScanner = std::make_unique<TZVTD32InfoScanner>(FData, FSize);
        if (!FScanner->ValidData())
            Clear();
    }
}

bool TZVPeBorTD32Image::IsDebugInfoInImage()
{
    const uint8_t* image;
    size_t size;
    if (!ModuleImageBytes(FModule, image, size))
        return false;
    auto u32 = [&](size_t at, uint32_t& v) {
        if (at > size || size - at < 4)
            return false;
        std::memcpy(&v, image + at, 4);
        return true;
    };
    uint32_t pe, debugRva, debugSize, word;
    if (!u32(60, pe) || !u32(pe + 4, word))
        return false;
    const uint16_t sectionCount = static_cast<uint16_t>(word >> 16);
    uint32_t optionalWord;
    if (!u32(pe + 20, optionalWord))
        return false;
    const uint16_t optionalSize = static_cast<uint16_t>(optionalWord);
    const size_t opt = static_cast<size_t>(pe) + 24;
    if (!u32(opt + 96 + 6 * 8, debugRva) || !u32(opt + 96 + 6 * 8 + 4, debugSize) || debugSize == 0)
        return false;
    for (uint16_t i = 0; i < sectionCount; ++i) {
        uint32_t va;
        if (!u32(opt + optionalSize + i * 40u + 12, va))
            return false;
        if (va != debugRva)
            continue;
        uint32_t dataSize, dataRva;
        if (!u32(static_cast<size_t>(va) + 16, dataSize) || !u32(static_cast<size_t>(va) + 20, dataRva))
            return false;
        if (dataRva > size || dataSize > size - dataRva || !IsTD32DebugInfoValid(image + dataRva, dataSize))
            return false;
        FData = image + dataRva;
        FSize = dataSize;
        return true;
    }
    return false;
}

bool TZVPeBorTD32Image::IsDebugInfoInTds()
{
    const std::string name = DebugModuleFileName(FModule);
    if (name.empty() || !ReadDebugFile(ChangeFileExtension(name, ".tds"), FFileData))
        return false;
    if (!IsTD32DebugInfoValid(FFileData.data(), FFileData.size())) {
        FFileData.clear();
        return false;
    }
    FData = FFileData.data();
    FSize = FFileData.size();
    return true;
}
