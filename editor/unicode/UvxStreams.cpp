#include "editor/unicode/UvxStreams.h"

#include <objbase.h>

#include <algorithm>
#include <cstring>

#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxErrorMessages.h"
#include "editor/unicode/UvxFiles.h"
#include "editor/unicode/UvxStringLists.h"
#include "framework/Exceptions.h"
#include "framework/WinText.h"

namespace {
constexpr uint32_t kCreateMode = 0xFFFF;

bool IsCreateMode(uint32_t mode) { return mode == kCreateMode || mode == fmCreate; }

HANDLE OpenOrCreate(const std::u16string& fileName, uint32_t mode) {
    HANDLE h = IsCreateMode(mode) ? WideFileCreate(fileName) : WideFileOpen(fileName, mode);
    if (h != INVALID_HANDLE_VALUE) return h;
    DWORD error = GetLastError();
    std::string name = WideToAnsiSys(WideExpandFileName(fileName));
    std::string reason = WideToAnsiSys(WideSysErrorMessage(error));
    if (IsCreateMode(mode)) throw EFCreateError("Cannot create file \"" + name + "\". " + reason);
    throw EFOpenError("Cannot open file \"" + name + "\". " + reason);
}
}  // namespace

TUvxFileStream::TUvxFileStream(const std::u16string& fileName, uint32_t mode)
    : THandleStream(OpenOrCreate(fileName, mode)) {}

TUvxFileStream::~TUvxFileStream() {
    if (FHandle != INVALID_HANDLE_VALUE && FHandle) CloseHandle(FHandle);
}

void TUvxMemoryStream::LoadFromFile(const std::u16string& fileName) {
    TUvxFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TUvxMemoryStream::SaveToFile(const std::u16string& fileName) {
    TUvxFileStream file(fileName, kCreateMode);
    SaveToStream(file);
}

TUvxResourceStream::TUvxResourceStream(HINSTANCE instance, const std::u16string& resName, LPCWSTR resType) {
    Initialize(instance, WC(resName), resType, WideToAnsiSys(resName));
}

TUvxResourceStream::TUvxResourceStream(HINSTANCE instance, int resId, LPCWSTR resType) {
    Initialize(instance, MAKEINTRESOURCEW(resId), resType, "#" + std::to_string(resId));
}

void TUvxResourceStream::Initialize(HINSTANCE instance, LPCWSTR name, LPCWSTR type, const std::string& shownName) {
    FResInfo = FindResourceW(instance, name, type);
    if (FResInfo) FHandle = LoadResource(instance, FResInfo);
    if (FHandle) FData = static_cast<const uint8_t*>(LockResource(FHandle));
    if (!FData) throw EResNotFound("Resource " + shownName + " not found");
    FSize = SizeofResource(instance, FResInfo);
}

TUvxResourceStream::~TUvxResourceStream() {
    if (FHandle) FreeResource(FHandle);
}

int32_t TUvxResourceStream::Read(void* buffer, int32_t count) {
    if (count <= 0 || FPosition < 0 || FPosition >= FSize) return 0;
    int64_t n = std::min<int64_t>(count, FSize - FPosition);
    std::memcpy(buffer, FData + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return static_cast<int32_t>(n);
}

int32_t TUvxResourceStream::Write(const void*, int32_t) {
    throw EStreamError("Can't write to a read-only resource stream");
}

int64_t TUvxResourceStream::Seek(int64_t offset, TSeekOrigin origin) {
    switch (origin) {
    case soBeginning: FPosition = offset; break;
    case soCurrent: FPosition += offset; break;
    case soEnd: FPosition = FSize + offset; break;
    }
    return FPosition;
}

void TUvxResourceStream::SaveToFile(const std::u16string& fileName) {
    TUvxFileStream file(fileName, kCreateMode);
    if (FSize) file.WriteBuffer(FData, static_cast<int32_t>(FSize));
}

// ---------------------------------------------------------------- lists by file

void TAnsiStrings::LoadFromFile(const std::u16string& fileName) {
    TUvxFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TAnsiStrings::SaveToFile(const std::u16string& fileName) {
    TUvxFileStream file(fileName, kCreateMode);
    SaveToStream(file);
}

void TAnsiStrings::LoadFromFileEx(const std::u16string& fileName, uint32_t codePage) {
    TUvxFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStreamEx(file, codePage);
}

void TAnsiStrings::SaveToFileEx(const std::u16string& fileName, uint32_t codePage) {
    TUvxFileStream file(fileName, kCreateMode);
    if (codePage == CP_UTF8_) file.WriteBuffer("\xEF\xBB\xBF", 3);
    SaveToStreamEx(file, codePage);
}

void TUvxStrings::LoadFromFile(const std::u16string& fileName) {
    TUvxFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    FDetectedCharSet = AutoDetectCharacterSet(file);
    file.SetPosition(0);
    LoadFromStream(file);
}

void TUvxStrings::SaveToFile(const std::u16string& fileName) const {
    TUvxFileStream file(fileName, kCreateMode);
    SaveToStream(file);
}

// ---------------------------------------------------------------- COM classes

bool ClassIsRegistered(const GUID& classId) {
    LPOLESTR progId = nullptr;
    if (FAILED(ProgIDFromCLSID(classId, &progId))) return false;
    CoTaskMemFree(progId);
    wchar_t guid[64] = {};
    StringFromGUID2(classId, guid, 64);
    std::u16string key = u"SOFTWARE\\Classes\\CLSID\\" + U16(guid);
    HKEY hkey;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, WC(key), 0, KEY_READ, &hkey) != ERROR_SUCCESS) return false;
    auto readDefault = [&](const wchar_t* sub) {
        wchar_t value[MAX_PATH + 1] = {};
        DWORD size = sizeof value - sizeof(wchar_t);
        HKEY subKey;
        if (RegOpenKeyExW(hkey, sub, 0, KEY_READ, &subKey) != ERROR_SUCCESS) return std::u16string();
        DWORD type = 0;
        LONG rc = RegQueryValueExW(subKey, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
        RegCloseKey(subKey);
        return rc == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ) ? U16(value) : std::u16string();
    };
    std::u16string path = readDefault(L"InProcServer32");
    if (path.empty()) path = readDefault(L"InProcServer");
    RegCloseKey(hkey);
    return !path.empty() && WideFileExists(path);
}
