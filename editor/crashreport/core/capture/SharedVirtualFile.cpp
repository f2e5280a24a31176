#include "editor/crashreport/core/capture/SharedVirtualFile.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "editor/crashreport/core/capture/FreezeWatchdog.h"
#include "editor/crashreport/core/capture/InternalErrors.h"
#include "editor/crashreport/support/options/OptionsStream.h"
#include "framework/Streams.h"

namespace {

HANDLE Map(const std::string& name, uint32_t size)
{
    return CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size + 4, name.c_str());
}

}  // namespace

std::string VirtualFileName(uint32_t processId, uintptr_t module)
{
    char name[24];
    std::snprintf(name, sizeof name, "%08X%08X", static_cast<unsigned>(processId),
                  static_cast<unsigned>(module & 0xFFFFFFFFu));
    return name;
}

TVirtualFile CreateVirtualFile(uintptr_t module, uint32_t size)
{
    TVirtualFile file;
    if (size > 0x7FFFFFF0u)
        return file;
    const std::string name = VirtualFileName(GetCurrentProcessId(), module);
    HANDLE mapping = Map(name, size);
    if (!mapping)
        return file;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        // Opened: take the creator's size.
        void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 4);
        uint32_t stored = 0;
        if (view) {
            std::memcpy(&stored, view, 4);
            UnmapViewOfFile(view);
        }
        CloseHandle(mapping);
        size = stored;
        mapping = Map(name, size);
        if (!mapping)
            return file;
    } else if (size == 0) {
        CloseHandle(mapping);
        return file;
    }
    auto* view = static_cast<uint8_t*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (!view) {
        CloseHandle(mapping);
        return file;
    }
    std::memcpy(view, &size, 4);
    file.Mapping = mapping;
    file.Data = view + 4;
    file.Size = size;
    return file;
}

void DeleteVirtualFile(TVirtualFile& file)
{
    if (file.Data)
        UnmapViewOfFile(file.Data - 4);
    if (file.Mapping)
        CloseHandle(file.Mapping);
    file = TVirtualFile();
}

TVirtualFile& OwnVirtualFile()
{
    static TVirtualFile file;
    return file;
}

// Publishing: a byte 1 and the options as SaveToStream writes them.
void TZorvikModuleOptionsEx::StoreSharedData()
{
    const uintptr_t module = ModuleHandle();
    if (!module)
        return;
    try {
        TMemoryStream stream;
        const uint8_t published = 1;
        stream.Write(&published, 1);
        SaveToStream(stream);
        const auto size = static_cast<uint32_t>(stream.Size());
        TVirtualFile& file = OwnVirtualFile();
        DeleteVirtualFile(file);
        file = CreateVirtualFile(module, size);
        if (!file.Exists())
            return;
        if (file.Size < size) {
            // Another holder keeps a smaller file of this module open: the
            // options do not fit, and the view ends before they would.
            if (file.Size >= 1)
                file.Data[0] = 0;
            ZorvikLogWarning(TZorvikLogErrorCode::eeLogError,
                             "The options of " + ModuleName() + " need " + std::to_string(size) +
                                 " bytes; the shared area holds " + std::to_string(file.Size) + ".");
            return;
        }
        std::memcpy(file.Data, stream.Memory(), size);
    } catch (...) {
    }
}

void TZorvikModuleOptionsEx::LoadSharedData()
{
    const uintptr_t module = ModuleHandle();
    if (!module)
        return;
    TVirtualFile file = CreateVirtualFile(module, 0);
    if (!file.Exists())
        return;
    DisableSharedDataWrite();
    try {
        if (file.Size > 1 && file.Data[0] != 0) {
            TMemoryStream stream;
            stream.Write(file.Data + 1, static_cast<int32_t>(file.Size - 1));
            stream.Seek(0, soBeginning);
            LastZorvikVersion = ZorvikLogCurrentVersion;
            LoadFromStream(stream);
        }
    } catch (...) {
    }
    EnableSharedDataWrite();
    DeleteVirtualFile(file);
}
