#include "editor/unicode/UvxBuffers.h"

#include <algorithm>
#include <cstring>

#include "editor/unicode/UvxErrors.h"

template <class Ch>
void TBufferedString<Ch>::Clear() {
    FLastWriteIndex = 0;
    std::fill(FBuffer.begin(), FBuffer.end(), Ch(0));
}

template <class Ch>
void TBufferedString<Ch>::AddChar(Ch c) {
    ++FLastWriteIndex;
    if (FLastWriteIndex > FBuffer.size())
        GrowTo(FBuffer.size() + std::clamp<size_t>(FBuffer.size(), 32, 256));
    FBuffer[FLastWriteIndex - 1] = c;
}

template <class Ch>
void TBufferedString<Ch>::AddBuffer(const Ch* p, int count) {
    for (int i = 0; i < count && p[i]; ++i) AddChar(p[i]);
}

template class TBufferedString<char>;
template class TBufferedString<char16_t>;

void TBufferedAnsiString::AddString(const std::string& s) {
    if (s.empty()) return;
    if (FLastWriteIndex + s.size() > FBuffer.size()) {
        size_t delta = std::max<size_t>(FBuffer.size() / 2, 8);
        GrowTo(FBuffer.size() + delta * (s.size() / delta + 1));
    }
    std::memcpy(FBuffer.data() + FLastWriteIndex, s.data(), s.size());
    FLastWriteIndex += s.size();
}

void TBufferedWideString::AddString(const std::u16string& s) {
    for (char16_t c : s) AddChar(c);
}

TBufferedStreamReader::TBufferedStreamReader(TStream& stream, int32_t bufferSize)
    : FStream(stream), FSize(stream.Size()), FBufferSize(std::max(bufferSize, 1)),
      FBuffer(static_cast<size_t>(FBufferSize)), FBufferStart(-static_cast<int64_t>(FBufferSize)) {}

int32_t TBufferedStreamReader::Read(void* buffer, int32_t count) {
    if (FPosition < 0 || count < 0 || FPosition >= FSize) return 0;
    int64_t n = std::min<int64_t>(count, FSize - FPosition);
    auto* out = static_cast<uint8_t*>(buffer);
    int64_t done = 0;
    if (FPosition >= FBufferStart && FPosition < FBufferStart + FBufferSize) {
        done = std::min<int64_t>(n, FBufferStart + FBufferSize - FPosition);
        std::memcpy(out, FBuffer.data() + (FPosition - FBufferStart), static_cast<size_t>(done));
    }
    int64_t rest = n - done;
    if (rest > 0) {
        FStream.SetPosition(FPosition + done);
        int64_t whole = rest - rest % FBufferSize;
        if (whole > 0) {
            FStream.ReadBuffer(out + done, static_cast<int32_t>(whole));
            done += whole;
        }
        if (rest % FBufferSize) {
            try {
                FBufferStart = FStream.Position();
                FStream.Read(FBuffer.data(), FBufferSize);
            } catch (...) {
                FBufferStart = -static_cast<int64_t>(FBufferSize);
                throw;
            }
            std::memcpy(out + done, FBuffer.data(), static_cast<size_t>(rest % FBufferSize));
        }
    }
    FPosition += n;
    return static_cast<int32_t>(n);
}

int32_t TBufferedStreamReader::Write(const void*, int32_t) {
    throw EUvxInternalError("Internal Error: class can not write.");
}

int64_t TBufferedStreamReader::Seek(int64_t offset, TSeekOrigin origin) {
    switch (origin) {
    case soBeginning: FPosition = offset; break;
    case soCurrent: FPosition += offset; break;
    case soEnd: FPosition = FSize + offset; break;
    }
    return FPosition;
}
