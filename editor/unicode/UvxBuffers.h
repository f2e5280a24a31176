#pragma once
// Growable character buffers and a buffered read-only view of a stream.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Streams.h"

template <class Ch>
class TBufferedString {
public:
    using String = std::basic_string<Ch>;
    void Clear();
    void AddChar(Ch c);
    void AddBuffer(const Ch* p, int count);
    // The text up to the first 0 character.
    String Value() const { return String(FBuffer.c_str()); }
    Ch* BuffPtr() { return FBuffer.data(); }
    int Capacity() const { return static_cast<int>(FBuffer.size()); }

protected:
    void GrowTo(size_t capacity) { FBuffer.resize(capacity, Ch(0)); }
    String FBuffer;          // its length is the capacity
    size_t FLastWriteIndex = 0;
};

class TBufferedAnsiString : public TBufferedString<char> {
public:
    void AddString(const std::string& s);
};

class TBufferedWideString : public TBufferedString<char16_t> {
public:
    void AddString(const std::u16string& s);
};

// Reads the source through a buffer; the source's size is taken once, at creation.
class TBufferedStreamReader : public TStream {
public:
    TBufferedStreamReader(TStream& stream, int32_t bufferSize);
    std::string ClassName() const override { return "TBufferedStreamReader"; }
    int32_t Read(void* buffer, int32_t count) override;
    // Raises EUvxInternalError: the view is read-only.
    int32_t Write(const void* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return FSize; }

private:
    TStream& FStream;
    int64_t FSize;
    int32_t FBufferSize;
    std::vector<uint8_t> FBuffer;
    int64_t FBufferStart;
    int64_t FPosition = 0;
};
