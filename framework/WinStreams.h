#pragma once
// Streams over Win32 handles: files by handle or by (8-bit) name, and
// resources of a module.
#include <windows.h>

#include <string>

#include "framework/Streams.h"

// Open modes of TFileStream: one access mode or'ed with one share mode.
enum : uint16_t {
    fmCreate = 0xFF00,
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareCompat = 0x0000,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030,
    fmShareDenyNone = 0x0040,
};

class THandleStream : public TStream {
public:
    explicit THandleStream(HANDLE handle) : FHandle(handle) {}
    std::string ClassName() const override { return "THandleStream"; }
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t newSize) override;
    HANDLE Handle() const { return FHandle; }

protected:
    HANDLE FHandle;
};

class TFileStream : public THandleStream {
public:
    // Raises EFCreateError or EFOpenError with the system's reason.
    TFileStream(const std::string& fileName, uint16_t mode);
    ~TFileStream() override;
    std::string ClassName() const override { return "TFileStream"; }
    const std::string& FileName() const { return FFileName; }

protected:
    // For subclasses that open the handle themselves (wide names).
    TFileStream(HANDLE handle, std::string fileName) : THandleStream(handle), FFileName(std::move(fileName)) {}
    static void ModeToFlags(uint16_t mode, DWORD& access, DWORD& share, DWORD& disposition);

private:
    std::string FFileName;
};

// A read-only stream over a resource; raises EResNotFound when it is missing.
class TResourceStream : public TStream {
public:
    TResourceStream(HINSTANCE instance, const std::string& name, const char* type);
    TResourceStream(HINSTANCE instance, int id, const char* type);
    std::string ClassName() const override { return "TResourceStream"; }
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    const uint8_t* Memory() const { return FData; }

private:
    void Open(HINSTANCE instance, const char* name, const char* type, const std::string& shown);
    const uint8_t* FData = nullptr;
    int64_t FSize = 0;
    int64_t FPosition = 0;
};

// The system's text for an error code, without the trailing line break.
std::string SysErrorMessage(DWORD code);
// Raises EOSError for GetLastError().
[[noreturn]] void RaiseLastOSError();
