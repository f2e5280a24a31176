#include "tools/crashdata/CrashDataWriter.h"

#include <cstring>
#include <ctime>

#include "editor/crashreport/support/archive/BlockCipher.h"
#include "editor/crashreport/support/archive/ZLibBuffer.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "framework/Streams.h"

namespace {

template <typename T>
void Put(std::vector<uint8_t>& out, T value)
{
    uint8_t b[sizeof(T)];
    std::memcpy(b, &value, sizeof(T));
    out.insert(out.end(), b, b + sizeof(T));
}

void PutBytes(std::vector<uint8_t>& out, const std::vector<uint8_t>& bytes)
{
    out.insert(out.end(), bytes.begin(), bytes.end());
}

}  // namespace

std::vector<uint8_t> BuildCrashDataResource(const TCrashDataParts& parts, uint32_t magic)
{
    std::vector<uint8_t> out;
    Put<uint32_t>(out, magic);
    Put<uint16_t>(out, parts.StoredVersion);
    Put<double>(out, parts.CompileDate);
    Put<uint16_t>(out, 0);
    Put<uint32_t>(out, static_cast<uint32_t>(parts.Sections.size() * 9));
    for (const TSectionRecord& s : parts.Sections) {
        out.push_back(s.Id);
        Put<uint32_t>(out, s.CodeOffset);
        Put<uint32_t>(out, s.Length);
    }
    std::vector<uint8_t> packed;
    ZCompress(parts.Options.data(), static_cast<int32_t>(parts.Options.size()), packed);
    Put<uint32_t>(out, static_cast<uint32_t>(packed.size()));
    PutBytes(out, packed);

    uint8_t check[4];
    std::memcpy(check, &magic, 4);
    TBlockCipher(parts.Password).Encrypt(check, check, 4);
    out.insert(out.end(), check, check + 4);
    std::vector<uint8_t> debug;
    Put<uint32_t>(debug, static_cast<uint32_t>(parts.Debug.size()));
    PutBytes(debug, parts.Debug);
    ZCompress(debug.data(), static_cast<int32_t>(debug.size()), packed);
    PutBytes(out, packed);
    return out;
}

std::vector<uint8_t> BuildCrashDataTrailer(const TCrashDataParts& parts, uint32_t magic)
{
    std::vector<uint8_t> out;
    Put<uint16_t>(out, parts.StoredVersion);
    Put<double>(out, parts.CompileDate);
    PutBytes(out, parts.Options);
    Put<uint32_t>(out, static_cast<uint32_t>(parts.Debug.size()));
    PutBytes(out, parts.Debug);
    const uint32_t length = static_cast<uint32_t>(out.size());
    Put<uint32_t>(out, length);
    Put<uint32_t>(out, magic);
    return out;
}

std::vector<uint8_t> DefaultOptionsStream(const std::string& moduleName)
{
    TZorvikModuleOptions options(moduleName);
    options.DisableSharedDataWrite();
    TMemoryStream stream;
    options.SaveToStream(stream);
    return stream.Bytes();
}

double CompileDateNow()
{
    const std::time_t now = std::time(nullptr);
    // The local zone's distance from UTC: the UTC fields read back as local.
    std::tm utc = *std::gmtime(&now);
    utc.tm_isdst = -1;
    const std::time_t utcAsLocal = std::mktime(&utc);
    const double localSeconds = static_cast<double>(now) + std::difftime(now, utcAsLocal);
    return 25569.0 + localSeconds / 86400.0;  // 25569: 1970-01-01
}
