#include "editor/crashreport/core/lookup/AddressLookup.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <mutex>

#include "editor/crashreport/core/lookup/CrashDataBlock.h"
#include "editor/crashreport/core/lookup/DebugSection.h"
#include "editor/crashreport/core/lookup/ExportNames.h"
#include "editor/crashreport/core/lookup/ModuleImage.h"
#include "editor/crashreport/support/debuginfo/DebugInfoSource.h"
#include "editor/crashreport/support/hooking/Hooking.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/system/MemoryProbe.h"
#include "editor/crashreport/support/system/ModuleHandles.h"

namespace {

TModulePasswordRequest passwordRequest;
TModuleOptionsMaker optionsMaker;
std::vector<std::string> componentUnits;

bool ResourceBytes(uintptr_t module, const uint8_t*& data, size_t& size)
{
    const HMODULE h = reinterpret_cast<HMODULE>(module);
    HRSRC info = FindResourceA(h, "ZVDATA", MAKEINTRESOURCEA(10));
    if (!info)
        return false;
    HGLOBAL loaded = LoadResource(h, info);
    const void* p = loaded ? LockResource(loaded) : nullptr;
    size = SizeofResource(h, info);
    data = static_cast<const uint8_t*>(p);
    return p && size >= 4;
}

std::string ModulePath(uintptr_t module)
{
    char buffer[MAX_PATH + 1];
    const DWORD n = GetModuleFileNameA(reinterpret_cast<HMODULE>(module), buffer, MAX_PATH);
    return n == 0 || n >= MAX_PATH ? std::string() : std::string(buffer, n);
}

// The appended block of a module file; false when the file has none.
bool TrailerBytes(const std::string& path, std::vector<uint8_t>& block)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    bool ok = false;
    LARGE_INTEGER size;
    uint8_t last8[8];
    DWORD read = 0;
    if (GetFileSizeEx(f, &size) && size.QuadPart >= 8) {
        LARGE_INTEGER at;
        at.QuadPart = size.QuadPart - 8;
        if (SetFilePointerEx(f, at, nullptr, FILE_BEGIN) && ReadFile(f, last8, 8, &read, nullptr) && read == 8) {
            const int64_t length = CrashDataTrailerLength(last8);
            if (length >= 0 && length <= size.QuadPart - 8) {
                at.QuadPart = size.QuadPart - 8 - length;
                block.resize(static_cast<size_t>(length));
                ok = SetFilePointerEx(f, at, nullptr, FILE_BEGIN) &&
                     (length == 0 || (ReadFile(f, block.data(), static_cast<DWORD>(length), &read, nullptr) &&
                                      read == static_cast<DWORD>(length)));
            }
        }
    }
    CloseHandle(f);
    return ok;
}

uintptr_t ModuleOfAddress(uintptr_t address)
{
    MEMORY_BASIC_INFORMATION m;
    if (!VirtualQuery(reinterpret_cast<void*>(address), &m, sizeof m) || !m.AllocationBase)
        return 0;
    const uint8_t* base = static_cast<const uint8_t*>(m.AllocationBase);
    uint8_t mz[2];
    if (!ReadMemoryBlock(base, mz, 2) || mz[0] != 'M' || mz[1] != 'Z')
        return 0;
    char name[MAX_PATH];
    if (!GetModuleFileNameA(reinterpret_cast<HMODULE>(const_cast<uint8_t*>(base)), name, MAX_PATH))
        return 0;
    return reinterpret_cast<uintptr_t>(base);
}

void ReadVersionFacts(const std::string& path, std::string& description, std::string& version)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0)
        return;
    std::vector<uint8_t> data(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data()))
        return;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
        const std::string v = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                              std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                              std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                              std::to_string(LOWORD(fixed->dwFileVersionLS));
        version = v == "0.0.0.0" ? "" : v;
    }
    struct Translation {
        WORD language, codePage;
    }* translation = nullptr;
    if (VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) &&
        translation && length >= sizeof(Translation)) {
        char key[64];
        wsprintfA(key, "\\StringFileInfo\\%04x%04x\\FileDescription", translation->language, translation->codePage);
        char* text = nullptr;
        if (VerQueryValueA(data.data(), key, reinterpret_cast<void**>(&text), &length) && text && length)
            description.assign(text, strnlen(text, length));
    }
}

void FileFacts(TZorvikModuleInfo& m)
{
    WIN32_FILE_ATTRIBUTE_DATA a;
    if (GetFileAttributesExA(m.Path.c_str(), GetFileExInfoStandard, &a))
        m.Size = a.nFileSizeLow;
    m.Modified = ModuleFileDate(m.Path);
    ReadVersionFacts(m.Path, m.Description, m.Version);
}

// Code bytes of a module at a code offset, read only when readable.
TCodeReader CodeOf(uintptr_t module)
{
    return [module](uint32_t offset, uint8_t* bytes, uint32_t count) {
        const uintptr_t at = module + ModuleCodeBase + offset;
        return ReadMemoryBlock(reinterpret_cast<const void*>(at), bytes, count);
    };
}

}  // namespace

double ModuleFileDate(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA a;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &a))
        return 0;
    FILETIME local;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&a.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &st))
        return 0;
    ULARGE_INTEGER t;
    t.LowPart = local.dwLowDateTime;
    t.HighPart = local.dwHighDateTime;
    // 100 ns ticks from 1601 to days from 1899-12-30.
    return static_cast<double>(t.QuadPart) / 864000000000.0 - 109205.0;
}

TZorvikModulesList& ZorvikModules()
{
    static TZorvikModulesList list;
    return list;
}

void SetModulePasswordRequest(TModulePasswordRequest request) { passwordRequest = std::move(request); }

void SetComponentUnitNames(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    componentUnits = std::move(names);
}

extern "C" {
__declspec(dllexport) uint8_t ShowZorvikLogUnits = 0;
}

bool IsZorvikLogModule(uintptr_t module)
{
    const uint8_t* data;
    size_t size;
    if (ResourceBytes(module, data, size)) {
        uint32_t magic;
        std::memcpy(&magic, data, 4);
        if (IsZorvikDataMagic(magic))
            return true;
    }
    std::vector<uint8_t> block;
    return TrailerBytes(ModulePath(module), block);
}

uint16_t GetZorvikLogModuleVersion(uintptr_t module)
{
    const uint8_t* data;
    size_t size;
    if (ResourceBytes(module, data, size))
        return CrashDataStoredVersion(data, size);
    std::vector<uint8_t> block;
    if (TrailerBytes(ModulePath(module), block) && block.size() >= 2)
        return static_cast<uint16_t>(block[0] | (block[1] << 8));
    return 0;
}

bool IsCurrentZorvikModule(uintptr_t module)
{
    return IsZorvikLogModule(module) && MapZorvikDataVersion(GetZorvikLogModuleVersion(module)) >= ZorvikDataVersion;
}

void* FindDataSectionAddress(uint8_t id)
{
    const uintptr_t module = CurrentModuleHandle();
    const uint8_t* data;
    size_t size;
    uint32_t offset;
    if (!ResourceBytes(module, data, size) || !FindCrashDataSection(data, size, id, offset))
        return nullptr;
    return reinterpret_cast<void*>(module + ModuleCodeBase + offset);
}

void* HookSectionMethod(uint8_t id, void* replacement)
{
    void* routine = FindDataSectionAddress(id);
    if (!routine || !replacement)
        return nullptr;
    return HookProcedureEx(routine, replacement, "SymbolID = " + std::to_string(id));
}

void* HookMethod(uint8_t id, const std::string& library, const std::string& exportName, void* replacement)
{
    void* routine = FindDataSectionAddress(id);
    if (!routine) {
        HMODULE h = GetModuleHandleA(library.c_str());
        routine = h ? reinterpret_cast<void*>(GetProcAddress(h, exportName.c_str())) : nullptr;
    }
    if (!routine || !replacement)
        return routine;
    return HookProcedureEx(routine, replacement, "SymbolID = " + std::to_string(id));
}

void SetModuleOptionsMaker(TModuleOptionsMaker maker) { optionsMaker = std::move(maker); }

TZorvikModuleInfo* AddModuleInfo(uintptr_t module, const std::string& path, bool full)
{
    TZorvikModulesList& list = ZorvikModules();
    const bool light = !full || list.BuildRunning;
    auto m = std::make_unique<TZorvikModuleInfo>();
    m->Handle = module;
    m->Path = path;
    m->Light = light;
    FileFacts(*m);
    m->ModuleType = GetModuleType(module);
    if (!light && m->ModuleType != TZorvikModuleType::mtMainModule)
        ReadExportedFunctions(module, m->Functions);
    m->Unlocked = true;
    m->Options = optionsMaker ? optionsMaker(path) : std::make_unique<TZorvikModuleOptions>(path);
    m->Options->DisableSharedDataWrite();

    // The process's own program, not any module without the DLL flag.
    const bool main = reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr)) == module;
    TCrashDataLoad load;
    bool present = false;
    try {
        const uint8_t* data;
        size_t size;
        const TPasswordRequest request = [module](int attempt, std::string& password) {
            if (passwordRequest)
                return passwordRequest(module, attempt, password);
            password.clear();
            return attempt == 1;
        };
        std::vector<uint8_t> block;
        if (ResourceBytes(module, data, size))
            present = LoadCrashDataResource(data, size, light, main, m->Options.get(), request, load);
        else if (TrailerBytes(path, block))
            present = LoadCrashDataTrailer(block.data(), block.size(), light, m->Options.get(), load);
    } catch (...) {
        present = false;
    }
    if (present) {
        m->DataVersion = load.Version;
        m->CompileDate = load.CompileDate;
        m->Unlocked = load.Unlocked;
        m->Password = load.Password;
        if (load.HasDebug)
            m->DebugStream =
                std::make_unique<TDebugSection>(std::move(load.Debug), load.Version, load.Unlocked, load.Password);
        if (!main)
            m->Options->LoadSharedData();
    } else {
        m->DataVersion = ZorvikDataVersion;
        m->CompileDate = 0;
        if (!light)
            AssignValidDebugInfo(module, m->DebugSource);
    }
    m->Options->EnableSharedDataWrite();
    return list.Add(std::move(m));
}

TZorvikModuleInfo* ModuleInfoByAddr(uintptr_t address)
{
    const uintptr_t module = ModuleOfAddress(address);
    if (!module)
        return nullptr;
    TZorvikModulesList& list = ZorvikModules();
    if (TZorvikModuleInfo* m = list.Find(module)) {
        if (!m->Light || list.BuildRunning)
            return m;
        list.Delete(module);
    }
    return AddModuleInfo(module, ModulePath(module), true);
}

bool GetSourceInfoByAddr(uintptr_t address, TZorvikDebugInfo& info)
{
    TZorvikModuleInfo* m = ModuleInfoByAddr(address);
    if (!m || !m->DebugStream)
        return false;
    const uint32_t offset = static_cast<uint32_t>(address - m->Handle - ModuleCodeBase);
    if (address < m->Handle + ModuleCodeBase || !m->DebugStream->Lookup(offset, CodeOf(m->Handle), info))
        return false;
    info.Address = address;
    if (!ShowZorvikLogUnits && std::binary_search(componentUnits.begin(), componentUnits.end(), info.UnitName)) {
        info.DebugDetail = ddModule;
        info.UnitName.clear();
        info.ClassName.clear();
        info.ProcedureName.clear();
        info.Line = 0;
        info.LineOffset = 0;
    }
    return true;
}

namespace {

std::string FileNameOnly(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithoutExtension(const std::string& name)
{
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

void GetDebugInfoByAddr(uintptr_t address, uint32_t threadId, TZorvikDebugInfo& info, bool exceptionRow,
                        uint8_t threadKind)
{
    info = TZorvikDebugInfo();
    info.ModuleInfo = ModuleInfoByAddr(address);
    info.ThreadID = threadId;
    info.ThreadKind = threadKind;
    info.ExceptionRow = exceptionRow;
    info.LeakRow = false;
    if (GetSourceInfoByAddr(address, info)) {
        info.ModuleInfo = ModuleInfoByAddr(address);
        return;
    }
    TZorvikModuleInfo* m = info.ModuleInfo;
    TZVLocationInfo location;
    if (m && m->DebugSource && m->DebugSource->GetLocationInfo(address, location)) {
        info.Address = address;
        info.UnitName = FileNameOnly(!location.SourceName.empty() ? location.SourceName : location.UnitName);
        std::vector<std::string> parts(1);
        for (char c : location.ProcedureName) {
            if (c == '.')
                parts.emplace_back();
            else
                parts.back() += c;
        }
        if (parts.size() >= 3) {
            info.ClassName = parts[1];
            info.ProcedureName = parts[2];
        } else if (parts.size() == 2) {
            if (parts[0] == WithoutExtension(info.UnitName)) {
                info.ProcedureName = parts[1];
            } else {
                info.ClassName = parts[0];
                info.ProcedureName = parts[1];
            }
        } else {
            info.ProcedureName = parts[0];
        }
        if (!info.ProcedureName.empty() && info.ProcedureName[0] == '@')
            info.ProcedureName[0] = '_';
        info.Line = location.LineNumber;
        info.LineOffset = location.ProcedureLineOffset;
        info.DebugDetail = info.Line != 0                 ? ddSourceCode
                           : !info.UnitName.empty()       ? ddUnitAndProcedure
                           : !info.ProcedureName.empty()  ? ddProcedure
                                                          : ddModule;
        return;
    }
    info.DebugDetail = ddNone;
    info.Address = address;
    info.Line = 0;
    if (!m)
        return;
    info.DebugDetail = ddModule;
    if (m->Functions.empty())
        return;
    if (TZorvikFunctionInfo* f = FindExportedFunction(m->Functions, address, nullptr)) {
        TZorvikDebugInfo named;
        const TZorvikDebugDetail detail = ReadExportName(f->Name, named);
        if (detail != ddModule) {
            info.UnitName = named.UnitName;
            info.ClassName = named.ClassName;
            info.ProcedureName = named.ProcedureName;
            info.DebugDetail = detail;
        }
    }
}

void ResolveAddress(uintptr_t address, TZorvikDebugInfo& info)
{
    GetDebugInfoByAddr(address, 0, info, false, 1);
    if (info.DebugDetail > ddModule || !info.ModuleInfo || info.ModuleInfo->DebugSource)
        return;
    if (AssignValidDebugInfo(info.ModuleInfo->Handle, info.ModuleInfo->DebugSource))
        GetDebugInfoByAddr(address, 0, info, false, 1);
}

void GetFileVersionTexts(const std::string& fileName, std::string& description, std::string& version)
{
    description.clear();
    version.clear();
    ReadVersionFacts(fileName, description, version);
}
