#include "framework/WinStreams.h"

#include "framework/Exceptions.h"

std::string SysErrorMessage(DWORD code) {
    char* text = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string s = n && text ? std::string(text, n) : std::string();
    if (text) LocalFree(text);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ' || s.back() == '.')) s.pop_back();
    if (!s.empty()) s += '.';
    return s;
}

void RaiseLastOSError() {
    DWORD code = GetLastError();
    std::string msg = "System Error.  Code: " + std::to_string(code) + ".\r\n" + SysErrorMessage(code);
    throw EOSError(msg, code);
}

int32_t THandleStream::Read(void* buffer, int32_t count) {
    DWORD done = 0;
    if (count <= 0 || !ReadFile(FHandle, buffer, static_cast<DWORD>(count), &done, nullptr)) return 0;
    return static_cast<int32_t>(done);
}

int32_t THandleStream::Write(const void* buffer, int32_t count) {
    DWORD done = 0;
    if (count <= 0 || !WriteFile(FHandle, buffer, static_cast<DWORD>(count), &done, nullptr)) return 0;
    return static_cast<int32_t>(done);
}

int64_t THandleStream::Seek(int64_t offset, TSeekOrigin origin) {
    LARGE_INTEGER dist, pos;
    dist.QuadPart = offset;
    if (!SetFilePointerEx(FHandle, dist, &pos, static_cast<DWORD>(origin))) return -1;
    return pos.QuadPart;
}

void THandleStream::SetSize(int64_t newSize) {
    int64_t pos = Position();
    Seek(newSize, soBeginning);
    if (!SetEndOfFile(FHandle)) RaiseLastOSError();
    if (pos < newSize) Seek(pos, soBeginning);
}

void TFileStream::ModeToFlags(uint16_t mode, DWORD& access, DWORD& share, DWORD& disposition) {
    if (mode == fmCreate) {
        access = GENERIC_READ | GENERIC_WRITE;
        share = FILE_SHARE_READ;
        disposition = CREATE_ALWAYS;
        return;
    }
    static const DWORD accesses[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
    access = accesses[(mode & 3) < 3 ? (mode & 3) : 0];
    switch (mode & 0xF0) {
        case fmShareExclusive: share = 0; break;
        case fmShareDenyWrite: share = FILE_SHARE_READ; break;
        case fmShareDenyRead: share = FILE_SHARE_WRITE; break;
        default: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    }
    disposition = OPEN_EXISTING;
}

TFileStream::TFileStream(const std::string& fileName, uint16_t mode) : THandleStream(INVALID_HANDLE_VALUE), FFileName(fileName) {
    DWORD access, share, disposition;
    ModeToFlags(mode, access, share, disposition);
    FHandle = CreateFileA(fileName.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (FHandle == INVALID_HANDLE_VALUE) {
        std::string reason = SysErrorMessage(GetLastError());
        if (mode == fmCreate) throw EFCreateError("Cannot create file \"" + fileName + "\". " + reason);
        throw EFOpenError("Cannot open file \"" + fileName + "\". " + reason);
    }
}

TFileStream::~TFileStream() {
    if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
}

TResourceStream::TResourceStream(HINSTANCE instance, const std::string& name, const char* type) {
    Open(instance, name.c_str(), type, name);
}

TResourceStream::TResourceStream(HINSTANCE instance, int id, const char* type) {
    Open(instance, MAKEINTRESOURCEA(id), type, std::to_string(id));
}

void TResourceStream::Open(HINSTANCE instance, const char* name, const char* type, const std::string& shown) {
    HRSRC info = FindResourceA(instance, name, type);
    HGLOBAL global = info ? LoadResource(instance, info) : nullptr;
    if (!global) throw EResNotFound("Resource " + shown + " not found");
    FData = static_cast<const uint8_t*>(LockResource(global));
    FSize = SizeofResource(instance, info);
}

int32_t TResourceStream::Read(void* buffer, int32_t count) {
    if (count <= 0 || FPosition >= FSize) return 0;
    int64_t n = std::min<int64_t>(count, FSize - FPosition);
    memcpy(buffer, FData + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return static_cast<int32_t>(n);
}

int32_t TResourceStream::Write(const void*, int32_t) { throw EStreamError("Can't write to a read-only resource stream"); }

int64_t TResourceStream::Seek(int64_t offset, TSeekOrigin origin) {
    switch (origin) {
        case soBeginning: FPosition = offset; break;
        case soCurrent: FPosition += offset; break;
        case soEnd: FPosition = FSize + offset; break;
    }
    if (FPosition < 0) FPosition = 0;
    return FPosition;
}
