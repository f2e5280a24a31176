#include "editor/unicode/UvxTextCharSet.h"

#include <cstdint>

#include "framework/Streams.h"

TextCharSet AutoDetectCharacterSet(TStream& stream) {
    int64_t left = stream.Size() - stream.Position();
    if (left < 2) return tcsAnsi;
    uint8_t b[3] = {};
    int32_t got = stream.Read(b, 2);
    if (got == 2 && b[0] == 0xFF && b[1] == 0xFE) return tcsUtf16LE;
    if (got == 2 && b[0] == 0xFE && b[1] == 0xFF) return tcsUtf16BE;
    stream.Seek(-got, soCurrent);
    if (left >= 3) {
        got = stream.Read(b, 3);
        if (got == 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) return tcsUtf8;
        stream.Seek(-got, soCurrent);
    }
    return tcsAnsi;
}
