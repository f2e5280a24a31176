#include "editor/crashreport/support/debuginfo/DebugInfoSource.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

#include "editor/crashreport/support/debuginfo/DebugInfoBinary.h"
#include "editor/crashreport/support/debuginfo/DebugInfoMap.h"
#include "editor/crashreport/support/debuginfo/DebugInfoTD32.h"
#include "editor/crashreport/support/system/MemoryProbe.h"

namespace {

// The file's size first, then one read into one buffer of that size: a large
// file costs its size once. The file is opened sharing writes, so a linker
// that still writes it does not stop us (a file that shrank meanwhile fails).
template <typename Buffer>
bool ReadWholeDebugFile(const std::string& path, Buffer& data)
{
    data.clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr)
        return false;
    bool ok = false;
    if (std::fseek(f, 0, SEEK_END) == 0) {
        const long size = std::ftell(f);
        if (size >= 0 && std::fseek(f, 0, SEEK_SET) == 0) {
            try {
                data.resize(static_cast<size_t>(size));
                ok = std::fread(data.data(), 1, data.size(), f) == data.size();
            } catch (const std::bad_alloc&) {
                ok = false;
            }
        }
    }
    std::fclose(f);
    if (!ok)
        Buffer().swap(data);
    return ok;
}

}  // namespace

bool ReadDebugFile(const std::string& path, std::vector<uint8_t>& data) { return ReadWholeDebugFile(path, data); }

bool ReadDebugFile(const std::string& path, std::string& data) { return ReadWholeDebugFile(path, data); }

std::string ChangeFileExtension(const std::string& fileName, const std::string& extension)
{
    const size_t dot = fileName.find_last_of(".\\/:");
    if (dot == std::string::npos || fileName[dot] != '.')
        return fileName + extension;
    return fileName.substr(0, dot) + extension;
}

bool ModuleImageBytes(uintptr_t module, const uint8_t*& image, size_t& size)
{
    const uint8_t* base = reinterpret_cast<const uint8_t*>(module);
    uint8_t dos[64];
    if (!module || !ReadMemoryBlock(base, dos, sizeof dos) || dos[0] != 'M' || dos[1] != 'Z')
        return false;
    uint32_t pe;
    std::memcpy(&pe, dos + 60, 4);
    uint8_t header[24 + 60];
    if (pe == 0 || pe > 0x10000000 || !ReadMemoryBlock(base + pe, header, sizeof header) ||
        std::memcmp(header, "PE\0\0", 4) != 0)
        return false;
    uint32_t imageSize;
    std::memcpy(&imageSize, header + 24 + 56, 4);
    if (imageSize < pe + sizeof header || !IsValidBlockAddr(base, pe + sizeof header))
        return false;
    image = base;
    size = imageSize;
    return true;
}

std::string TZVDebugInfoSource::GetFileName() const { return DebugModuleFileName(FModule); }

namespace {

// The shared road of the three sources.
template <typename Reader>
bool LocationFrom(TZVDebugInfoSource* source, Reader& reader, uintptr_t address, TZVLocationInfo& location)
{
    const uint32_t offset = source->VAFromAddr(address);
    location.UnitName = reader.ModuleNameFromAddr(offset);
    if (location.UnitName.empty())
        return false;
    location.Address = address;
    uint32_t procedureOffset = 0, lineOffset = 0;
    location.ProcedureName = reader.ProcNameFromAddr(offset, procedureOffset);
    location.LineNumber = reader.LineNumberFromAddr(offset, lineOffset);
    if constexpr (std::is_same_v<Reader, TZVTD32InfoScanner>)
        reader.SourceNameFromAddr(offset, location.SourceName);
    else
        location.SourceName = reader.SourceNameFromAddr(offset);
    location.DebugInfo = source;
    uint32_t unused;
    location.ProcedureLineOffset = location.LineNumber - reader.LineNumberFromAddr(offset - procedureOffset, unused);
    return true;
}

}  // namespace

// --- the map file ---

TZVDebugInfoMap::TZVDebugInfoMap(uintptr_t module) : TZVDebugInfoSource(module) { InitializeSource(); }
TZVDebugInfoMap::~TZVDebugInfoMap() = default;

bool TZVDebugInfoMap::InitializeSource()
{
    const std::string name = GetFileName();
    std::string text;
    if (name.empty() || !ReadDebugFile(ChangeFileExtension(name, ".map"), text))
        return false;
    FScanner = std::make_unique<TZVMapScanner>(std::move(text));
    return true;
}

// A map without a code segment is some other file of that name.
bool TZVDebugInfoMap::ValidData() const { return FScanner && FScanner->SegmentCount() > 0; }

bool TZVDebugInfoMap::GetLocationInfo(uintptr_t address, TZVLocationInfo& location)
{
    if (!FScanner) {
        location.UnitName.clear();
        return false;
    }
    return LocationFrom(this, *FScanner, address, location);
}

// --- TD32 ---

TZVDebugInfoTD32::TZVDebugInfoTD32(uintptr_t module) : TZVDebugInfoSource(module) { InitializeSource(); }
TZVDebugInfoTD32::~TZVDebugInfoTD32() = default;

bool TZVDebugInfoTD32::InitializeSource()
{
    if (FModule == 0)
        return false;
    FImage = std::make_unique<TZVPeBorTD32Image>(FModule);
    return FImage->IsDebugInfoPresent();
}

bool TZVDebugInfoTD32::ValidData() const { return FImage && FImage->Scanner() && FImage->Scanner()->ValidData(); }

bool TZVDebugInfoTD32::GetLocationInfo(uintptr_t address, TZVLocationInfo& location)
{
    if (!ValidData()) {
        location.UnitName.clear();
        return false;
    }
    return LocationFrom(this, *FImage->Scanner(), address, location);
}

// --- compact binary data ---

TZVDebugInfoJedy::TZVDebugInfoJedy(uintptr_t module) : TZVDebugInfoSource(module) { InitializeSource(); }
TZVDebugInfoJedy::~TZVDebugInfoJedy() = default;

bool TZVDebugInfoJedy::InitializeSource()
{
    const uint8_t* block = nullptr;
    size_t blockSize = 0;
    const uint8_t* image;
    size_t size;
    if (ModuleImageBytes(FModule, image, size)) {
        auto u32 = [&](size_t at, uint32_t& v) {
            if (at > size || size - at < 4)
                return false;
            std::memcpy(&v, image + at, 4);
            return true;
        };
        uint32_t pe, word, optionalWord;
        if (u32(60, pe) && u32(static_cast<size_t>(pe) + 4, word) && u32(static_cast<size_t>(pe) + 20, optionalWord)) {
            const uint16_t sections = static_cast<uint16_t>(word >> 16);
            const size_t table = static_cast<size_t>(pe) + 24 + static_cast<uint16_t>(optionalWord);
            for (uint16_t i = 0; i < sections; ++i) {
                const size_t s = table + i * 40u;
                if (s > size || size - s < 40)
                    break;
                if (std::memcmp(image + s, "JCLDEBUG", 8) != 0)
                    continue;
                uint32_t virtualSize = 0, va = 0, rawSize = 0;
                u32(s + 8, virtualSize);
                u32(s + 12, va);
                u32(s + 16, rawSize);
                const size_t length = std::min(virtualSize, rawSize);
                if (va <= size && length <= size - va) {
                    block = image + va;
                    blockSize = length;
                }
                break;
            }
        }
    }
    if (!block) {
        const std::string name = GetFileName();
        if (name.empty() || !ReadDebugFile(ChangeFileExtension(name, ".jdbg"), FData))
            return false;
        block = FData.data();
        blockSize = FData.size();
    }
    FScanner = std::make_unique<TZVBinDebugScanner>(block, blockSize, true);
    return true;
}

bool TZVDebugInfoJedy::ValidData() const { return FScanner && FScanner->ValidFormat(); }

bool TZVDebugInfoJedy::GetLocationInfo(uintptr_t address, TZVLocationInfo& location)
{
    if (!ValidData()) {
        location.UnitName.clear();
        return false;
    }
    return LocationFrom(this, *FScanner, address, location);
}

bool AssignValidDebugInfo(uintptr_t module, std::unique_ptr<TZVDebugInfoSource>& source)
{
    if (source)
        return false;
    source = std::make_unique<TZVDebugInfoMap>(module);
    if (source->ValidData())
        return true;
    source = std::make_unique<TZVDebugInfoTD32>(module);
    if (source->ValidData())
        return true;
    source = std::make_unique<TZVDebugInfoJedy>(module);
    if (source->ValidData())
        return true;
    source.reset();
    return false;
}
