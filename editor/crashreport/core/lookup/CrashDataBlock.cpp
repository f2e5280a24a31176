#include "editor/crashreport/core/lookup/CrashDataBlock.h"

#include <cstring>
#include <memory>

#include "editor/crashreport/support/archive/BlockCipher.h"
#include "editor/crashreport/support/archive/ZLibBuffer.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/options/OptionsStream.h"
#include "framework/Streams.h"

namespace {

// A bounded little-endian reader over the block.
struct Cursor {
    const uint8_t* d;
    size_t size;
    size_t p = 0;
    bool Take(void* out, size_t n)
    {
        if (n > size - p)
            return false;
        std::memcpy(out, d + p, n);
        p += n;
        return true;
    }
    bool U16(uint16_t& v) { return Take(&v, 2); }
    bool U32(uint32_t& v) { return Take(&v, 4); }
    bool Skip(size_t n)
    {
        if (n > size - p)
            return false;
        p += n;
        return true;
    }
};

std::unique_ptr<TMemoryStream> StreamOf(const uint8_t* data, size_t size)
{
    auto s = std::make_unique<TMemoryStream>();
    if (size)
        s->WriteBuffer(data, static_cast<int32_t>(size));
    s->SetPosition(0);
    return s;
}

// Loads the options written by `version` from the stream's position.
void LoadOptions(TZorvikModuleOptions* options, TStream& stream, uint16_t version)
{
    const uint16_t saved = LastZorvikVersion;
    LastZorvikVersion = version;
    try {
        // The stream must be read even when nobody wants the options: the
        // debug information follows it.
        if (options) {
            options->LoadFromStream(stream);
        } else {
            TZorvikModuleOptions scratch("");
            scratch.DisableSharedDataWrite();
            scratch.LoadFromStream(stream);
        }
    } catch (...) {
        LastZorvikVersion = saved;
        throw;
    }
    LastZorvikVersion = saved;
}

// A 4-byte length and that many bytes of the stream; none when the length is
// 0 or less. Raises EReadError when the stream holds fewer.
void ReadDebugBytes(TStream& stream, TCrashDataLoad& out)
{
    int32_t length = 0;
    stream.ReadBuffer(&length, 4);
    out.Debug.clear();
    out.HasDebug = false;
    if (length <= 0)
        return;
    if (length > stream.Size() - stream.Position())
        throw EReadError("The debug information is cut short");
    out.Debug.resize(length);
    stream.ReadBuffer(out.Debug.data(), length);
    out.HasDebug = true;
}

bool KeyMatches(const std::string& password, const uint8_t enciphered[4], uint32_t magic)
{
    uint8_t plain[4];
    TBlockCipher(password).Decrypt(enciphered, plain, 4);
    uint32_t value;
    std::memcpy(&value, plain, 4);
    return value == magic;
}

}  // namespace

uint16_t CrashDataStoredVersion(const uint8_t* data, size_t size)
{
    Cursor c{data, size};
    uint32_t magic;
    uint16_t version;
    if (!c.U32(magic) || !IsZorvikDataMagic(magic) || !c.U16(version))
        return 0;
    return version;
}

bool LoadCrashDataResource(const uint8_t* data, size_t size, bool light, bool mainModule,
                           TZorvikModuleOptions* options, const TPasswordRequest& password, TCrashDataLoad& out)
{
    TCrashDataLoad r;
    // Options go into a copy first, so that rejected data changes nothing.
    std::unique_ptr<TZorvikModuleOptions> staged;
    if (options) {
        staged = std::make_unique<TZorvikModuleOptions>("");
        staged->DisableSharedDataWrite();
        staged->Assign(options);
    }
    try {
        Cursor c{data, size};
        uint32_t magic;
        uint16_t stored;
        if (!c.U32(magic) || !IsZorvikDataMagic(magic) || !c.U16(stored))
            return false;
        r.Version = MapZorvikDataVersion(stored);
        if (r.Version > ZorvikDataVersion)
            return false;
        if (!c.Take(&r.CompileDate, 8))
            return false;
        if (r.Version >= 6000 && !c.Skip(2))
            return false;

        if (r.Version < 450) {
            auto s = StreamOf(data + c.p, size - c.p);
            LoadOptions(staged.get(), *s, r.Version);
            if (!light)
                ReadDebugBytes(*s, r);
        } else if (r.Version < 500) {
            std::vector<uint8_t> inflated;
            ZDecompress(data + c.p, static_cast<int32_t>(size - c.p), inflated);
            auto s = StreamOf(inflated.data(), inflated.size());
            LoadOptions(staged.get(), *s, r.Version);
            if (!light)
                ReadDebugBytes(*s, r);
        } else {
            uint32_t tableLength, optionsLength;
            if (!c.U32(tableLength) || !c.Skip(tableLength) || !c.U32(optionsLength) || optionsLength > size - c.p)
                return false;
            std::vector<uint8_t> inflated;
            ZDecompress(data + c.p, static_cast<int32_t>(optionsLength), inflated);
            if (inflated.empty())
                return false;
            c.p += optionsLength;
            auto s = StreamOf(inflated.data(), inflated.size());
            LoadOptions(staged.get(), *s, r.Version);
            if (!light) {
                uint8_t check[4];
                if (!c.Take(check, 4))
                    return false;
                std::string word;
                if (password)
                    password(1, word);
                r.Unlocked = KeyMatches(word, check, magic);
                if (!r.Unlocked && !mainModule && password && password(2, word))
                    r.Unlocked = KeyMatches(word, check, magic);
                r.Password = word;
                std::vector<uint8_t> debug;
                ZDecompress(data + c.p, static_cast<int32_t>(size - c.p), debug);
                auto d = StreamOf(debug.data(), debug.size());
                ReadDebugBytes(*d, r);
            }
        }
    } catch (...) {
        return false;
    }
    if (options)
        options->Assign(staged.get());
    out = std::move(r);
    return true;
}

int64_t CrashDataTrailerLength(const uint8_t* last8)
{
    uint32_t length, magic;
    std::memcpy(&length, last8, 4);
    std::memcpy(&magic, last8 + 4, 4);
    return IsZorvikDataMagic(magic) ? static_cast<int64_t>(length) : -1;
}

bool LoadCrashDataTrailer(const uint8_t* block, size_t size, bool light, TZorvikModuleOptions* options,
                          TCrashDataLoad& out)
{
    TCrashDataLoad r;
    std::unique_ptr<TZorvikModuleOptions> staged;
    if (options) {
        staged = std::make_unique<TZorvikModuleOptions>("");
        staged->DisableSharedDataWrite();
        staged->Assign(options);
    }
    try {
        Cursor c{block, size};
        uint16_t stored;
        if (!c.U16(stored) || !c.Take(&r.CompileDate, 8))
            return false;
        r.Version = MapZorvikDataVersion(stored);
        if (r.Version > ZorvikDataVersion)
            return false;
        auto s = StreamOf(block + c.p, size - c.p);
        LoadOptions(staged.get(), *s, r.Version);
        if (!light)
            ReadDebugBytes(*s, r);
    } catch (...) {
        return false;
    }
    if (options)
        options->Assign(staged.get());
    out = std::move(r);
    return true;
}

bool FindCrashDataSection(const uint8_t* data, size_t size, uint8_t id, uint32_t& codeOffset)
{
    Cursor c{data, size};
    uint32_t magic, tableLength;
    if (!c.U32(magic) || !IsZorvikDataMagic(magic) || !c.Skip(2 + 8 + 2) || !c.U32(tableLength))
        return false;
    const size_t end = c.p + (tableLength < size - c.p ? tableLength : size - c.p);
    while (end - c.p >= 9) {
        uint8_t record[9];
        c.Take(record, 9);
        if (record[0] == id) {
            std::memcpy(&codeOffset, record + 1, 4);
            return true;
        }
    }
    return false;
}
