#include "editor/crashreport/core/lookup/DebugSection.h"

#include <algorithm>

#include "editor/crashreport/support/archive/Base64.h"

// The same two extensions as the report and its XML copy use.
const char* const UnitSourceExtension = ".pas";
const char* const SecondSourceExtension = ".cpp";

bool ReadPackedNumber(const uint8_t* data, size_t size, size_t& position, uint32_t& value)
{
    uint32_t result = 0;
    for (int i = 0; i < 5; ++i) {
        if (position >= size)
            return false;
        const uint8_t b = data[position++];
        result |= static_cast<uint32_t>(b & 0x7F) << (7 * i);
        if (!(b & 0x80)) {
            value = result;
            return true;
        }
    }
    return false;
}

void WritePackedNumber(std::vector<uint8_t>& out, uint32_t value)
{
    while (value >= 0x80) {
        out.push_back(static_cast<uint8_t>(value | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<uint8_t>(value));
}

TDebugSection::TDebugSection(std::vector<uint8_t> data, uint16_t version, bool unlocked, const std::string& password)
    : FData(std::move(data)), FVersion(version), FUnlocked(unlocked), FCipher(password)
{
}

bool TDebugSection::Valid()
{
    if (FState == 0)
        FState = Index() ? 1 : -1;
    if (FState < 0) {
        FUnits.clear();
        FLines.clear();
        FProcedures.clear();
    }
    return FState > 0;
}

size_t TDebugSection::UnitCount() { return Valid() ? FUnits.size() : 0; }
size_t TDebugSection::LineCount() { return Valid() ? FLines.size() : 0; }

bool TDebugSection::SkipName(size_t& position) const
{
    const size_t size = FData.size();
    for (;;) {
        if (position >= size)
            return false;
        const uint8_t lengthByte = FData[position++];
        uint32_t length = lengthByte;
        bool more = false;
        if (FVersion >= 502) {
            more = (lengthByte & 0x80) != 0;
            length = lengthByte & 0x7F;
            if (length == 127 && !ReadPackedNumber(FData.data(), size, position, length))
                return false;
        }
        if (length > size - position)
            return false;
        position += length;
        if (!more)
            return true;
    }
}

bool TDebugSection::Index()
{
    const uint8_t* d = FData.data();
    const size_t size = FData.size();
    size_t p = 0;
    uint32_t unitCount;
    if (!ReadPackedNumber(d, size, p, unitCount))
        return false;
    // Every unit takes at least four bytes and every line two, so the counts
    // never reserve more than the stream could hold.
    if (unitCount > (size - p) / 4)
        return false;
    FUnits.reserve(unitCount);
    uint64_t previousStart = 0;
    for (uint32_t u = 0; u < unitCount; ++u) {
        uint32_t delta, length, lineCount;
        if (!ReadPackedNumber(d, size, p, delta) || !ReadPackedNumber(d, size, p, length) || length == 0)
            return false;
        const uint64_t start = previousStart + delta;
        if (start + length - 1 > 0xFFFFFFFFu)
            return false;
        if (u > 0 && start <= FUnits.back().last)
            return false;
        Unit unit{static_cast<uint32_t>(start), static_cast<uint32_t>(start + length - 1), static_cast<uint32_t>(p), 0, 0};
        if (!SkipName(p) || !ReadPackedNumber(d, size, p, lineCount) || lineCount > (size - p) / 2)
            return false;
        unit.firstLine = static_cast<uint32_t>(FLines.size());
        uint64_t lineStart = start;
        int64_t line = 0;
        int32_t procedure = -1;
        for (uint32_t i = 0; i < lineCount; ++i) {
            uint32_t offsetDelta, code;
            if (!ReadPackedNumber(d, size, p, offsetDelta) || !ReadPackedNumber(d, size, p, code))
                return false;
            lineStart += offsetDelta;
            line += UnfoldSigned(code >> 1);
            if (lineStart > unit.last || line < INT32_MIN || line > INT32_MAX)
                return false;
            if (code & 1) {
                FProcedures.push_back({static_cast<uint32_t>(p), static_cast<uint32_t>(lineStart), static_cast<int32_t>(line)});
                procedure = static_cast<int32_t>(FProcedures.size() - 1);
                if (!SkipName(p))
                    return false;
            }
            FLines.push_back({static_cast<uint32_t>(lineStart), static_cast<int32_t>(line), procedure});
        }
        unit.endLine = static_cast<uint32_t>(FLines.size());
        FUnits.push_back(unit);
        previousStart = start;
    }
    return true;
}

std::string TDebugSection::NameAt(size_t position, bool unitName) const
{
    std::string result;
    const size_t size = FData.size();
    for (bool first = true;; first = false) {
        if (position >= size)
            break;
        const uint8_t lengthByte = FData[position++];
        uint32_t length = lengthByte;
        bool more = false;
        if (FVersion >= 502) {
            more = (lengthByte & 0x80) != 0;
            length = lengthByte & 0x7F;
            if (length == 127 && !ReadPackedNumber(FData.data(), size, position, length))
                break;
        }
        if (length > size - position)
            break;
        std::string piece(reinterpret_cast<const char*>(FData.data() + position), length);
        position += length;
        if (FVersion < 500) {
            for (char& c : piece)
                c = static_cast<char>(c ^ OldNameKey);
        } else if (FUnlocked) {
            FCipher.Decrypt(piece.data(), piece.data(), static_cast<int32_t>(piece.size()));
        } else {
            piece = std::string(unitName ? "?c" : "?") + Base64EncodeToString(piece.data(), static_cast<int32_t>(piece.size()));
        }
        if (!first)
            result += '.';
        result += piece;
        if (!more)
            break;
    }
    return result;
}

// Splits the procedure's name at its first "."; a name that begins with "."
// keeps the class of the procedure before it.
std::string TDebugSection::ClassOf(int32_t procedure, uint32_t unitStart, std::string& procedureName) const
{
    const std::string name = NameAt(FProcedures[procedure].name, false);
    const size_t dot = name.find('.');
    if (dot == std::string::npos) {
        procedureName = name;
        return {};
    }
    procedureName = name.substr(dot + 1);
    if (dot > 0)
        return name.substr(0, dot);
    // The nearest earlier procedure of the same unit that names its class.
    for (int32_t p = procedure - 1; p >= 0 && FProcedures[p].offset >= unitStart; --p) {
        const std::string earlier = NameAt(FProcedures[p].name, false);
        const size_t d = earlier.find('.');
        if (d == std::string::npos)
            return {};
        if (d > 0)
            return earlier.substr(0, d);
    }
    return {};
}

bool TDebugSection::Lookup(uint32_t offset, const TCodeReader& code, TZorvikDebugInfo& info)
{
    if (!Valid() || FUnits.empty())
        return false;
    auto u = std::upper_bound(FUnits.begin(), FUnits.end(), offset, [](uint32_t o, const Unit& x) { return o < x.start; });
    if (u == FUnits.begin())
        return false;
    --u;
    if (offset > u->last)
        return false;

    info.UnitName = NameAt(u->name, true);
    if (FUnlocked && info.UnitName.find('.') == std::string::npos)
        info.UnitName += SecondSourceExtension;
    info.ClassName.clear();
    info.ProcedureName.clear();
    info.Line = 0;
    info.LineOffset = 0;

    auto begin = FLines.begin() + u->firstLine;
    auto end = FLines.begin() + u->endLine;
    auto l = std::upper_bound(begin, end, offset, [](uint32_t o, const Line& x) { return o < x.offset; });
    if (l != begin) {
        --l;
        info.Line = l->line;
        if (l->procedure >= 0 && static_cast<uint32_t>(l->procedure) < FProcedures.size()) {
            const Procedure& proc = FProcedures[l->procedure];
            // Procedures of an earlier unit are not this unit's.
            if (proc.offset >= u->start) {
                info.ClassName = ClassOf(l->procedure, u->start, info.ProcedureName);
                int64_t firstLine = proc.line;
                if (info.ProcedureName == "Finalization") {
                    --firstLine;
                } else if (info.ProcedureName != "Initialization") {
                    // A procedure whose code does not open with a stack frame
                    // (55 8B EC, or GCC's 55 89 E5; in 64-bit code the same
                    // two moves carry the prefix 48) or a register push (53)
                    // counts from the line before its first line.
                    uint8_t b[4];
                    bool frame = false;
                    auto move = [](const uint8_t* m) {
                        return (m[0] == 0x8B && m[1] == 0xEC) || (m[0] == 0x89 && m[1] == 0xE5);
                    };
                    if (code && code(proc.offset, b, 3))
                        frame = b[0] == 0x55 && move(b + 1);
                    if (!frame && code && code(proc.offset, b, 4))
                        frame = b[0] == 0x55 && b[1] == 0x48 && move(b + 2);
                    if (!frame && code && code(proc.offset, b, 1))
                        frame = b[0] == 0x53;
                    if (!frame)
                        --firstLine;
                }
                const int64_t distance = static_cast<int64_t>(info.Line) - firstLine;
                info.LineOffset = distance < 0 ? 0 : static_cast<int32_t>(std::min<int64_t>(distance, INT32_MAX));
            }
        }
    }
    if (!info.ProcedureName.empty() && info.ProcedureName[0] == '@')
        info.ProcedureName[0] = '_';
    info.DebugDetail = ddSourceCode;
    return true;
}
