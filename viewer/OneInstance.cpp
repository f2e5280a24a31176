#include "viewer/OneInstance.h"

#include <cstdint>
#include <cstring>

#include "framework/Exceptions.h"

TOneInstance OneInstance;

TOneInstance::~TOneInstance() {
    if (Mapping_) CloseHandle(Mapping_);
}

HWND TOneInstance::Find(const std::string& name) {
    if (Mapping_) throw Exception("");
    Mapping_ = OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str());
    if (!Mapping_) return nullptr;
    void* view = MapViewOfFile(Mapping_, FILE_MAP_READ, 0, 0, 4);
    if (!view) throw Exception("");
    // The block holds the handle as 32 bits, whatever the reader's width;
    // window handles are 32-bit values, widened by sign extension.
    int32_t value;
    std::memcpy(&value, view, sizeof value);
    UnmapViewOfFile(view);
    CloseHandle(Mapping_);
    Mapping_ = nullptr;
    return reinterpret_cast<HWND>(static_cast<intptr_t>(value));
}

void TOneInstance::Register(const std::string& name, HWND window) {
    if (Mapping_) throw Exception("");
    Mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4, name.c_str());
    if (!Mapping_) throw Exception("");
    void* view = MapViewOfFile(Mapping_, FILE_MAP_WRITE, 0, 0, 4);
    if (!view) throw Exception("");
    const int32_t value = static_cast<int32_t>(reinterpret_cast<intptr_t>(window));
    std::memcpy(view, &value, sizeof value);
    UnmapViewOfFile(view);
}
