#include "editor/crashreport/support/Hooking.h"

#include <cstring>
#include <memory>

#include "editor/crashreport/support/AsmSize.h"
#include "editor/crashreport/support/MemoryProbe.h"
#include "editor/crashreport/support/Trampoline.h"
#include "framework/SysUtils.h"

namespace {

// The hook messages carry one name in place of their "%s".
std::string FormatOne(const std::string& pattern, const std::string& arg) {
    const size_t at = pattern.find("%s");
    return at == std::string::npos ? pattern : pattern.substr(0, at) + arg + pattern.substr(at + 2);
}

// The Windows 9x family keeps system modules in a shared area above 2 GB
// that no process may patch.
bool IsWin9x() { return (GetVersion() & 0x80000000u) != 0; }

// How many of the `wanted` bytes from address can be read, page by page.
int32_t ReadableLength(const void* address, int32_t wanted) {
    const uintptr_t base = reinterpret_cast<uintptr_t>(address);
    int32_t length = 0;
    while (length < wanted) {
        const uintptr_t at = base + static_cast<uint32_t>(length);
        const int32_t chunk = static_cast<int32_t>(std::min<uint64_t>(wanted - length, 4096 - (at & 4095)));
        if (!IsValidBlockAddr(reinterpret_cast<const void*>(at), static_cast<size_t>(chunk)))
            break;
        length += chunk;
    }
    return length;
}

bool IsReadable(const void* address, int32_t size) {
    return address != nullptr && IsValidBlockAddr(address, static_cast<size_t>(size));
}

std::string ModuleFileOf(const void* address) {
    MEMORY_BASIC_INFORMATION mbi;
    char path[MAX_PATH] = "";
    if (VirtualQuery(address, &mbi, sizeof(mbi)) != 0 && mbi.AllocationBase != nullptr)
        GetModuleFileNameA(static_cast<HMODULE>(mbi.AllocationBase), path, MAX_PATH);
    return path;
}

bool InsideLoadedModule(const void* address) { return !ModuleFileOf(address).empty(); }

std::vector<std::unique_ptr<THookedProcedure>>& Procedures() {
    static std::vector<std::unique_ptr<THookedProcedure>> list;
    return list;
}

// One patched import entry.
struct TImportHook {
    HMODULE Module;
    std::string Library;
    void* Replaced;
    void* NewProcedure;
};

std::vector<TImportHook>& ImportHooks() {
    static std::vector<TImportHook> list;
    return list;
}

THookedMethodsList* gMethods = nullptr;

// Library names in import tables are written as the linker saw them
// ("KERNEL32.dll"); a name given without its extension matches as well.
bool SameLibrary(const char* imported, const std::string& wanted) {
    return SameText(imported, wanted) || SameText(imported, wanted + ".dll");
}

// Patches the entries of module's import table that import from library and
// hold `match`; returns how many were written.
int PatchImports(HMODULE module, const std::string& library, void* match, uint32_t matchStub,
                 void* newProcedure, bool record) {
    auto* base = reinterpret_cast<uint8_t*>(module);
    if (!IsReadable(base, sizeof(IMAGE_DOS_HEADER)))
        return 0;
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE || dos->e_lfanew <= 0)
        return 0;
    // The headers and table entries of the program's own kind: a 32-bit
    // program's entries are 4 bytes, a 64-bit program's 8.
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (!IsReadable(nt, sizeof(IMAGE_NT_HEADERS)) || nt->Signature != IMAGE_NT_SIGNATURE ||
        nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR_MAGIC)
        return 0;
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0)
        return 0;
    int patched = 0;
    for (auto* desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
         IsReadable(desc, sizeof(*desc)) && desc->Name != 0; ++desc) {
        const char* name = reinterpret_cast<const char*>(base + desc->Name);
        if (!IsReadable(name, 1) || !SameLibrary(name, library))
            continue;
        for (auto* entry = reinterpret_cast<uintptr_t*>(base + desc->FirstThunk);
             IsReadable(entry, sizeof *entry) && *entry != 0; ++entry) {
            bool hit = *entry == reinterpret_cast<uintptr_t>(match);
            if (!hit && matchStub != 0) {
                const auto* stub = reinterpret_cast<const uint8_t*>(static_cast<uintptr_t>(*entry));
                hit = IsReadable(stub, 10) && stub[0] == 0x68 && stub[5] == 0xE9 &&
                      *reinterpret_cast<const uint32_t*>(stub + 1) == matchStub;
            }
            if (!hit)
                continue;
            const uintptr_t value = reinterpret_cast<uintptr_t>(newProcedure);
            if (!WriteCode(entry, &value, sizeof value))
                continue;
            ++patched;
            if (record)
                ImportHooks().push_back({module, library, match, newProcedure});
        }
    }
    return patched;
}

// One module's import table: raises as the hooks' callers expect.
bool HookModuleImports(HMODULE module, const std::string& library, const std::string& procName,
                       void* procedure, void* newProcedure, bool noError) {
    const std::string fullName = library + "." + procName;
    if (procedure == nullptr)
        throw EProcNull(FormatOne("Cannot hook a null procedure (\"%s\").", fullName));
    if (IsWin9x() && reinterpret_cast<uintptr_t>(module) >= 0x80000000u)
        throw ESharedArea(
            FormatOne("Cannot hook the module \"%s\" located into the shared-area.", ModuleFileOf(module)));
    // Windows 9x hands out push-and-jump stubs; entries hold the pushed value.
    uint32_t stubValue = 0;
    const auto* code = static_cast<const uint8_t*>(procedure);
    if (IsWin9x() && IsReadable(code, 10) && code[0] == 0x68 && code[5] == 0xE9)
        stubValue = *reinterpret_cast<const uint32_t*>(code + 1);
    const int patched = PatchImports(module, library, procedure, stubValue, newProcedure, true);
    if (patched == 0 && !noError)
        throw EHookingError(FormatOne("Cannot hook the procedure \"%s\".", fullName));
    return patched > 0;
}

void* ProcedureOf(const std::string& library, const std::string& procName) {
    HMODULE lib = GetModuleHandleA(library.c_str());
    return lib ? reinterpret_cast<void*>(GetProcAddress(lib, procName.c_str())) : nullptr;
}

// Import stubs are followed to the code they jump to.
void* Resolved(void* address) {
    return reinterpret_cast<void*>(ConvertAddress(reinterpret_cast<uintptr_t>(address)));
}

HMODULE ModuleNamed(const std::string& name) { return GetModuleHandleA(name.empty() ? nullptr : name.c_str()); }

}  // namespace

bool GetAsmSize(const void* code, int32_t& size) {
    return GetAsmSize(static_cast<const uint8_t*>(code), ReadableLength(code, 16), size);
}

int32_t GetFunctionSize(const void* code, int32_t maximum) {
    if (maximum <= 0)
        return 0;
    // The last instruction may start just before the maximum: 15 more bytes.
    const int32_t wanted = static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(maximum) + 15, INT32_MAX));
    return GetFunctionSize(static_cast<const uint8_t*>(code), ReadableLength(code, wanted), maximum);
}

bool WriteCode(void* at, const void* bytes, size_t count) {
    DWORD old = 0;
    if (!VirtualProtect(at, count, PAGE_EXECUTE_READWRITE, &old))
        return false;
    std::memcpy(at, bytes, count);
    DWORD ignored = 0;
    VirtualProtect(at, count, old, &ignored);
    FlushInstructionCache(GetCurrentProcess(), at, count);
    return true;
}

void JumpToMem(void* at, const void* target) {
    uint8_t jump[5];
    WriteJumpBytes(jump, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(at)),
                   static_cast<uint32_t>(reinterpret_cast<uintptr_t>(target)));
    WriteCode(at, jump, sizeof(jump));
}

const THookedProcedure* FindHookedProcedure(void* address) {
    for (const auto& p : Procedures())
        if (p->Procedure == address || p->Trampoline == address)
            return p.get();
    return nullptr;
}

void* HookProcedureEx(void* procedure, void* newProcedure, const std::string& name) {
    if (procedure == nullptr)
        throw EProcNull(FormatOne("Cannot hook a null procedure (\"%s\").", name));
    procedure = Resolved(procedure);
    newProcedure = Resolved(newProcedure);
    if (IsWin9x() && reinterpret_cast<uintptr_t>(procedure) >= 0x80000000u)
        throw ESharedArea(
            FormatOne("Cannot hook the module \"%s\" located into the shared-area.", ModuleFileOf(procedure)));
    const auto fail = [&] { return EHookingError(FormatOne("Cannot hook the procedure \"%s\".", name)); };
    for (const auto& p : Procedures())
        if (p->Procedure == procedure)
            return p->Trampoline;

    const auto* code = static_cast<const uint8_t*>(procedure);
    TTrampolinePlan plan;
    if (PlanTrampoline(code, ReadableLength(code, 32), plan) != TTrampolineFault::None)
        throw fail();
    auto* trampoline = static_cast<uint8_t*>(
        VirtualAlloc(nullptr, static_cast<SIZE_T>(plan.Size), MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    if (trampoline == nullptr)
        throw fail();
    const std::vector<uint8_t> bytes =
        BuildTrampoline(code, plan, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(procedure)),
                        static_cast<uint32_t>(reinterpret_cast<uintptr_t>(trampoline)));
    std::memcpy(trampoline, bytes.data(), bytes.size());
    FlushInstructionCache(GetCurrentProcess(), trampoline, bytes.size());

    auto entry = std::make_unique<THookedProcedure>();
    entry->Procedure = procedure;
    entry->Trampoline = trampoline;
    entry->TrampolineSize = plan.Size;
    entry->SavedBytes.assign(code, code + plan.Copied);
    entry->Copied = plan.Copied;

    uint8_t jump[5];
    WriteJumpBytes(jump, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(procedure)),
                   static_cast<uint32_t>(reinterpret_cast<uintptr_t>(newProcedure)));
    if (!WriteCode(procedure, jump, sizeof(jump))) {
        VirtualFree(trampoline, 0, MEM_RELEASE);
        throw fail();
    }
    Procedures().push_back(std::move(entry));
    return trampoline;
}

bool UnhookProcedure(void* address) {
    auto& list = Procedures();
    for (auto it = list.begin(); it != list.end(); ++it) {
        THookedProcedure& p = **it;
        if (p.Procedure != address && p.Trampoline != address)
            continue;
        WriteCode(p.Procedure, p.SavedBytes.data(), p.SavedBytes.size());
        VirtualFree(p.Trampoline, 0, MEM_RELEASE);
        list.erase(it);
        return true;
    }
    return false;
}

THookedMethodsList::THookedMethodsList() { InitializeCriticalSection(&FLock); }

THookedMethodsList::~THookedMethodsList() {
    EnterCriticalSection(&FLock);
    while (Count() > 0) {
        auto* first = static_cast<THookedMethod*>(Get(0));
        if (!Unhook(first->Table, first->Index)) {
            delete first;
            Delete(0);
        }
    }
    LeaveCriticalSection(&FLock);
    DeleteCriticalSection(&FLock);
}

THookedMethod* THookedMethodsList::Find(void** table, int32_t index) const {
    for (int i = 0; i < Count(); ++i) {
        auto* m = static_cast<THookedMethod*>(Get(i));
        if (m->Table == table && m->Index == index)
            return m;
    }
    return nullptr;
}

void* THookedMethodsList::Hook(void** table, int32_t index, void* newCode) {
    EnterCriticalSection(&FLock);
    void** slot = table + index;
    void* result = nullptr;
    if (*slot != newCode) {
        void* previous = *slot;
        // Only tables inside a loaded module are patched; a slot we could
        // not write is no hook, and nothing is recorded for it.
        if (InsideLoadedModule(slot) && WriteCode(slot, &newCode, sizeof(newCode))) {
            Add(new THookedMethod{table, previous, index});
            result = previous;
        }
    } else {
        THookedMethod* m = Find(table, index);
        result = m ? m->Previous : *slot;
    }
    LeaveCriticalSection(&FLock);
    return result;
}

bool THookedMethodsList::Unhook(void** table, int32_t index) {
    EnterCriticalSection(&FLock);
    bool done = false;
    if (THookedMethod* m = Find(table, index)) {
        void** slot = table + index;
        if (InsideLoadedModule(slot))
            WriteCode(slot, &m->Previous, sizeof(m->Previous));
        Remove(m);
        delete m;
        done = true;
    }
    LeaveCriticalSection(&FLock);
    return done;
}

void* HookVirtualMethod(void* methodTable, int32_t index, void* newCode) {
    if (gMethods == nullptr)
        return nullptr;
    return gMethods->Hook(static_cast<void**>(methodTable), index, newCode);
}

bool UnhookVirtualMethod(void* methodTable, int32_t index) {
    return gMethods != nullptr && gMethods->Unhook(static_cast<void**>(methodTable), index);
}

void* HookDllProcedureEx(const std::string& moduleName, const std::string& libraryName,
                         const std::string& procName, void* newProcedure) {
    void* procedure = ProcedureOf(libraryName, procName);
    HMODULE module = ModuleNamed(moduleName);
    if (module == nullptr && procedure != nullptr)
        throw EHookingError(FormatOne("Cannot hook the procedure \"%s\".", libraryName + "." + procName));
    HookModuleImports(module, libraryName, procName, procedure, newProcedure, false);
    return procedure;
}

bool TryHookDllProcedureEx(const std::vector<std::string>& moduleNames, const std::string& libraryName,
                           bool noError, void*& replaced, void* newProcedure, const std::string& procName) {
    void* procedure = ProcedureOf(libraryName, procName);
    replaced = procedure;
    bool any = false;
    for (const std::string& name : moduleNames) {
        HMODULE module = ModuleNamed(name);
        if (module != nullptr && HookModuleImports(module, libraryName, procName, procedure, newProcedure, noError))
            any = true;
    }
    return any;
}

void CreateHookLists() {
    if (gMethods == nullptr)
        gMethods = new THookedMethodsList();
}

void UndoAllHooks() {
    std::vector<TImportHook> imports;
    imports.swap(ImportHooks());
    for (const TImportHook& h : imports)
        PatchImports(h.Module, h.Library, h.NewProcedure, 0, h.Replaced, false);
    delete gMethods;
    gMethods = nullptr;
    auto& procedures = Procedures();
    while (!procedures.empty())
        UnhookProcedure(procedures.back()->Procedure);
}
