// Untrusted input for the decoders: zlib streams, Base64 texts and the entry
// names of archives.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/crashreport/support/archive/Base64.h"
#include "editor/crashreport/support/archive/ZLibBuffer.h"
#include "editor/crashreport/support/archive/ZipExtractor.h"
#include "editor/crashreport/support/files/LocalFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1 << 20))
        return 0;
    std::vector<uint8_t> out;
    try {
        ZDecompress(data, int32_t(size), out);
    } catch (const EZLibError&) {
    }

    const char* text = reinterpret_cast<const char*>(data);
    int32_t decoded = CalcDecodedSize(text, int32_t(size));
    std::vector<uint8_t> buffer(size_t(decoded) + 4, 0xA5);
    if (Base64Decode(text, int32_t(size), buffer.data()) != decoded)
        std::abort();
    for (size_t i = size_t(decoded); i < buffer.size(); ++i)
        if (buffer[i] != 0xA5)
            std::abort();

    std::string path;
    if (SafeEntryPath(std::string(text, size), path)) {
        std::string wrapped = std::string(1, PathDelim) + path + PathDelim;
        if (!path.empty() && path[0] == PathDelim)
            std::abort();
        if (wrapped.find(std::string(1, PathDelim) + ".." + PathDelim) != std::string::npos)
            std::abort();
    }
    return 0;
}
