#include "framework/Streams.h"

#include <algorithm>
#include <cstring>

#include "framework/Exceptions.h"

int64_t TStream::Size() {
    int64_t pos = Seek(0, soCurrent);
    int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::SetSize(int64_t) { throw EStreamError("Stream size cannot be changed"); }

void TStream::ReadBuffer(void* buffer, int32_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int32_t count) {
    if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::vector<uint8_t> buf(static_cast<size_t>(std::min<int64_t>(count, 1 << 20)) + 1);
    int64_t left = count;
    while (left > 0) {
        int32_t n = static_cast<int32_t>(std::min<int64_t>(left, static_cast<int64_t>(buf.size())));
        source.ReadBuffer(buf.data(), n);
        WriteBuffer(buf.data(), n);
        left -= n;
    }
    return count;
}

int32_t TMemoryStream::Read(void* buffer, int32_t count) {
    if (count <= 0 || FPosition >= Size()) return 0;
    int32_t n = static_cast<int32_t>(std::min<int64_t>(count, Size() - FPosition));
    std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int32_t TMemoryStream::Write(const void* buffer, int32_t count) {
    if (count <= 0) return 0;
    int64_t end = FPosition + count;
    if (end > Size()) FData.resize(static_cast<size_t>(end));
    std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
    FPosition = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    switch (origin) {
        case soBeginning: FPosition = offset; break;
        case soCurrent: FPosition += offset; break;
        case soEnd: FPosition = Size() + offset; break;
    }
    if (FPosition < 0) FPosition = 0;
    return FPosition;
}

void TMemoryStream::SetSize(int64_t newSize) {
    FData.resize(static_cast<size_t>(std::max<int64_t>(newSize, 0)));
    if (FPosition > newSize) FPosition = newSize;
}

void TMemoryStream::Clear() {
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    int64_t n = source.Size();
    FData.resize(static_cast<size_t>(n));
    if (n) source.ReadBuffer(FData.data(), static_cast<int32_t>(n));
    FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream& dest) {
    if (!FData.empty()) dest.WriteBuffer(FData.data(), static_cast<int32_t>(FData.size()));
}
