#pragma once
// Streams: the abstract TStream and the in-memory TMemoryStream. The Windows
// streams (handle, file, resource) are in WinStreams.h.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Classes.h"

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };

class TStream : public TObject {
public:
    std::string ClassName() const override { return "TStream"; }
    virtual int32_t Read(void* buffer, int32_t count) = 0;
    virtual int32_t Write(const void* buffer, int32_t count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t pos) { Seek(pos, soBeginning); }
    virtual int64_t Size();
    virtual void SetSize(int64_t newSize);

    // Read or write exactly count bytes, or raise EReadError / EWriteError.
    void ReadBuffer(void* buffer, int32_t count);
    void WriteBuffer(const void* buffer, int32_t count);
    // Copies count bytes from source (all of it from its start when count is 0).
    int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
public:
    std::string ClassName() const override { return "TMemoryStream"; }
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(FData.size()); }
    void SetSize(int64_t newSize) override;
    void Clear();
    void LoadFromStream(TStream& source);
    void SaveToStream(TStream& dest);
    uint8_t* Memory() { return FData.data(); }
    const std::vector<uint8_t>& Bytes() const { return FData; }

private:
    std::vector<uint8_t> FData;
    int64_t FPosition = 0;
};
