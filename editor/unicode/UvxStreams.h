#pragma once
// Streams over files and resources named by wide names.
#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/Streams.h"
#include "framework/WinStreams.h"

// fmCreate (or 0xFFFF) creates the file, any other mode opens it (WideFileOpen).
// Raises EFCreateError / EFOpenError with the expanded name and the system's reason.
class TUvxFileStream : public THandleStream {
public:
    TUvxFileStream(const std::u16string& fileName, uint32_t mode);
    ~TUvxFileStream() override;
    std::string ClassName() const override { return "TUvxFileStream"; }
};

class TUvxMemoryStream : public TMemoryStream {
public:
    std::string ClassName() const override { return "TUvxMemoryStream"; }
    void LoadFromFile(const std::u16string& fileName);
    void SaveToFile(const std::u16string& fileName);
};

// A read-only view of a resource; raises EResNotFound when it is missing.
class TUvxResourceStream : public TStream {
public:
    TUvxResourceStream(HINSTANCE instance, const std::u16string& resName, LPCWSTR resType);
    TUvxResourceStream(HINSTANCE instance, int resId, LPCWSTR resType);
    ~TUvxResourceStream() override;
    std::string ClassName() const override { return "TUvxResourceStream"; }
    int32_t Read(void* buffer, int32_t count) override;
    // Raises EStreamError "Can't write to a read-only resource stream".
    int32_t Write(const void* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return FSize; }
    const uint8_t* Memory() const { return FData; }
    void SaveToFile(const std::u16string& fileName);

private:
    void Initialize(HINSTANCE instance, LPCWSTR name, LPCWSTR type, const std::string& shownName);
    HRSRC FResInfo = nullptr;
    HGLOBAL FHandle = nullptr;
    const uint8_t* FData = nullptr;
    int64_t FSize = 0;
    int64_t FPosition = 0;
};

// True when the class is registered with an in-process server file that exists.
bool ClassIsRegistered(const GUID& classId);
