#include "editor/crashreport/core/lookup/ModuleImage.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "editor/crashreport/support/system/MemoryProbe.h"

namespace {

template <class T>
bool Read(uintptr_t at, T& out)
{
    return ReadMemoryBlock(reinterpret_cast<const void*>(at), &out, sizeof out);
}

// The image's headers, when readable; the width is the program's own.
bool Headers(uintptr_t module, IMAGE_NT_HEADERS& nt, uintptr_t& ntAt)
{
    IMAGE_DOS_HEADER dos;
    if (!module || !Read(module, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew <= 0)
        return false;
    ntAt = module + static_cast<uintptr_t>(dos.e_lfanew);
    return Read(ntAt, nt) && nt.Signature == IMAGE_NT_SIGNATURE;
}

std::string ModulePath(uintptr_t module)
{
    char name[MAX_PATH + 1];
    const DWORD n = GetModuleFileNameA(reinterpret_cast<HMODULE>(module), name, MAX_PATH);
    return n == 0 || n >= MAX_PATH ? std::string() : std::string(name, n);
}

}  // namespace

TZorvikModuleType GetModuleType(uintptr_t module)
{
    IMAGE_NT_HEADERS nt;
    uintptr_t ntAt;
    if (!Headers(module, nt, ntAt))
        return TZorvikModuleType::mtUnknown;
    if (!(nt.FileHeader.Characteristics & IMAGE_FILE_DLL))
        return TZorvikModuleType::mtMainModule;
    const std::string path = ModulePath(module);
    HMODULE data = path.empty() ? nullptr : LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    bool package = false;
    if (data) {
        package = FindResourceA(data, "PACKAGEINFO", MAKEINTRESOURCEA(10)) &&
                  FindResourceA(data, "PACKAGEOPTIONS", MAKEINTRESOURCEA(10));
        FreeLibrary(data);
    }
    return package ? TZorvikModuleType::mtFrameworkPackage : TZorvikModuleType::mtOSLibrary;
}

bool ReadExportedFunctions(uintptr_t module, std::vector<TZorvikFunctionInfo>& functions)
{
    IMAGE_NT_HEADERS nt;
    uintptr_t ntAt;
    if (ModulePath(module).empty() || !Headers(module, nt, ntAt))
        return false;
    const IMAGE_DATA_DIRECTORY dir = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (!dir.VirtualAddress || !dir.Size)
        return false;
    // The directory must lie inside a section (the last one not counted).
    const uintptr_t sections = ntAt + offsetof(IMAGE_NT_HEADERS, OptionalHeader) + nt.FileHeader.SizeOfOptionalHeader;
    bool inside = false;
    for (WORD i = 0; i + 1 < nt.FileHeader.NumberOfSections; ++i) {
        IMAGE_SECTION_HEADER s;
        if (!Read(sections + i * sizeof s, s))
            return false;
        if (dir.VirtualAddress >= s.VirtualAddress && dir.VirtualAddress < s.VirtualAddress + s.Misc.VirtualSize)
            inside = true;
    }
    if (!inside)
        return false;
    IMAGE_EXPORT_DIRECTORY e;
    if (!Read(module + dir.VirtualAddress, e) || e.Characteristics != 0)
        return false;
    const uintptr_t codeStart = module + nt.OptionalHeader.BaseOfCode;
    const DWORD count = std::min(e.NumberOfFunctions, e.NumberOfNames);
    const size_t before = functions.size();
    for (DWORD i = 0; i < count; ++i) {
        DWORD nameRva = 0, functionRva = 0;
        WORD ordinal = 0;
        if (!Read(module + e.AddressOfNames + i * 4, nameRva) || !Read(module + e.AddressOfNameOrdinals + i * 2, ordinal) ||
            !Read(module + e.AddressOfFunctions + ordinal * 4u, functionRva))
            continue;
        char name[257] = {};
        const uintptr_t nameAt = module + nameRva;
        size_t n = 0;
        while (n < 256 && ReadMemoryBlock(reinterpret_cast<const void*>(nameAt + n), &name[n], 1) && name[n])
            ++n;
        name[n] = 0;
        TZorvikFunctionInfo f;
        f.Name = name;
        f.Address = module + functionRva;
        // A forwarded export points into the directory itself.
        if (functionRva >= dir.VirtualAddress && functionRva < dir.VirtualAddress + dir.Size)
            f.Address = reinterpret_cast<uintptr_t>(
                reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(module), name)));
        if (!f.Address)
            continue;
        if (f.Address < codeStart) {
            f.Size = 1;
            f.SizeKnown = true;
        }
        functions.push_back(std::move(f));
    }
    std::sort(functions.begin(), functions.end(),
              [](const TZorvikFunctionInfo& a, const TZorvikFunctionInfo& b) { return a.Address < b.Address; });
    return functions.size() > before;
}
