#include "tools/crashdata/PeResourcePatch.h"

#include <algorithm>
#include <cstring>

namespace {

struct Reader {
    const std::vector<uint8_t>& f;
    bool ok = true;
    uint32_t U32(size_t at)
    {
        if (at > f.size() || f.size() - at < 4) {
            ok = false;
            return 0;
        }
        uint32_t v;
        std::memcpy(&v, f.data() + at, 4);
        return v;
    }
    uint16_t U16(size_t at)
    {
        if (at > f.size() || f.size() - at < 2) {
            ok = false;
            return 0;
        }
        uint16_t v;
        std::memcpy(&v, f.data() + at, 2);
        return v;
    }
};

struct Section {
    uint32_t va, vsize, raw, rawSize;
};

}  // namespace

bool ReadPeFacts(const std::vector<uint8_t>& file, TPeFacts& facts, std::string& error)
{
    Reader r{file};
    if (file.size() < 64 || file[0] != 'M' || file[1] != 'Z') {
        error = "not an executable";
        return false;
    }
    const uint32_t pe = r.U32(60);
    const uint16_t kind = r.ok ? r.U16(pe + 24) : 0;
    if (!r.ok || r.U32(pe) != 0x00004550 || (kind != 0x10B && kind != 0x20B)) {
        error = "not a PE image";
        return false;
    }
    facts.Machine = r.U16(pe + 4);
    const uint16_t sectionCount = r.U16(pe + 6);
    const uint16_t optionalSize = r.U16(pe + 20);
    const size_t opt = pe + 24;
    // The 64-bit optional header widens the image base and the stack and
    // heap sizes, which moves the data directories 16 bytes on.
    const bool wide = kind == 0x20B;
    facts.ImageBase = wide ? r.U32(opt + 24) | static_cast<uint64_t>(r.U32(opt + 28)) << 32 : r.U32(opt + 28);
    const size_t directories = opt + (wide ? 112 : 96);
    const uint32_t directoryCount = r.U32(directories - 4);
    const uint32_t resourceRva = directoryCount > 2 ? r.U32(directories + 2 * 8) : 0;
    std::vector<Section> sections;
    for (uint16_t i = 0; i < sectionCount; ++i) {
        const size_t s = opt + optionalSize + i * 40u;
        sections.push_back({r.U32(s + 12), r.U32(s + 8), r.U32(s + 20), r.U32(s + 16)});
    }
    if (!r.ok) {
        error = "damaged PE headers";
        return false;
    }
    facts.Sections.clear();
    for (const Section& s : sections)
        facts.Sections.push_back({s.va, s.vsize, s.raw, s.rawSize});
    auto fileOffset = [&](uint32_t rva, uint32_t& out) {
        for (const Section& s : sections)
            if (rva >= s.va && rva - s.va < s.rawSize) {
                out = s.raw + (rva - s.va);
                return true;
            }
        return false;
    };
    facts.ResourceDataEntry = 0;
    uint32_t root;
    if (resourceRva == 0 || !fileOffset(resourceRva, root))
        return true;
    // type RCDATA (10) -> name "ZVDATA" -> first language -> data entry
    auto entries = [&](uint32_t dir, auto&& match) -> uint32_t {
        const uint16_t named = r.U16(dir + 12), ids = r.U16(dir + 14);
        for (uint32_t i = 0; i < uint32_t(named) + ids && r.ok; ++i) {
            const uint32_t e = dir + 16 + i * 8;
            if (match(r.U32(e)))
                return r.U32(e + 4);
        }
        return 0xFFFFFFFF;
    };
    auto isName = [&](uint32_t name, const char* want) {
        if (!(name & 0x80000000u))
            return false;
        const uint32_t at = root + (name & 0x7FFFFFFFu);
        const uint16_t length = r.U16(at);
        if (length != std::strlen(want))
            return false;
        for (uint16_t i = 0; i < length; ++i)
            if (r.U16(at + 2 + i * 2u) != static_cast<uint8_t>(want[i]))
                return false;
        return true;
    };
    const uint32_t type = entries(root, [](uint32_t n) { return n == 10; });
    if (type == 0xFFFFFFFF || !(type & 0x80000000u))
        return true;
    const uint32_t nameDir = entries(root + (type & 0x7FFFFFFFu), [&](uint32_t n) { return isName(n, "ZVDATA"); });
    if (nameDir == 0xFFFFFFFF || !(nameDir & 0x80000000u))
        return true;
    const uint32_t language = entries(root + (nameDir & 0x7FFFFFFFu), [](uint32_t) { return true; });
    if (language == 0xFFFFFFFF || (language & 0x80000000u))
        return true;
    const uint32_t dataEntry = root + language;
    const uint32_t dataRva = r.U32(dataEntry);
    uint32_t dataOffset;
    if (!r.ok || !fileOffset(dataRva, dataOffset))
        return true;
    facts.ResourceDataEntry = dataEntry;
    facts.ResourceFileOffset = dataOffset;
    // A filled placeholder keeps its first size in the entry's reserved
    // word, so that the program can be filled again after a rebuild of the
    // data alone.
    facts.ResourceSize = r.U32(dataEntry + 4);
    facts.ResourceCapacity = std::max(r.U32(dataEntry + 4), r.U32(dataEntry + 12));
    if (dataOffset > file.size() || file.size() - dataOffset < facts.ResourceCapacity)
        facts.ResourceDataEntry = 0;
    return true;
}

bool FileOffsetOfRva(const TPeFacts& facts, uint32_t rva, uint32_t& offset)
{
    for (const TPeSection& s : facts.Sections)
        if (rva >= s.VirtualAddress && rva - s.VirtualAddress < s.RawSize) {
            offset = s.RawOffset + (rva - s.VirtualAddress);
            return true;
        }
    return false;
}

bool PatchCrashDataResource(std::vector<uint8_t>& file, const std::vector<uint8_t>& block, std::string& error)
{
    TPeFacts facts;
    if (!ReadPeFacts(file, facts, error))
        return false;
    if (!facts.ResourceDataEntry) {
        error = "the executable has no ZVDATA placeholder resource";
        return false;
    }
    if (block.size() > facts.ResourceCapacity) {
        error = "the crash-report data (" + std::to_string(block.size()) + " bytes) exceeds the placeholder (" +
                std::to_string(facts.ResourceCapacity) + " bytes)";
        return false;
    }
    std::memcpy(file.data() + facts.ResourceFileOffset, block.data(), block.size());
    std::memset(file.data() + facts.ResourceFileOffset + block.size(), 0, facts.ResourceCapacity - block.size());
    const uint32_t size = static_cast<uint32_t>(block.size());
    std::memcpy(file.data() + facts.ResourceDataEntry + 4, &size, 4);
    std::memcpy(file.data() + facts.ResourceDataEntry + 12, &facts.ResourceCapacity, 4);
    return true;
}
