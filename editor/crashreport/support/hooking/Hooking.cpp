#include "editor/crashreport/support/hooking/Hooking.h"

#include <cstring>
#include <memory>

#include "editor/crashreport/support/system/MemoryProbe.h"
#include "framework/SysUtils.h"

namespace {

// The Windows 9x family keeps system modules in a shared area above 2 GB
// that no process may patch.
bool IsWin9x() { return (GetVersion() & 0x80000000u) != 0; }

bool IsReadable(const void* address, int32_t size) {
    return address != nullptr && IsValidBlockAddr(address, static_cast<size_t>(size));
}

bool InsideLoadedModule(const void* address) { return !ModuleFileOf(address).empty(); }

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
        throw EProcNull(HookMessage("Cannot hook a null procedure (\"%s\").", fullName));
    if (IsSharedAreaAddress(module))
        throw ESharedArea(
            HookMessage("Cannot hook the module \"%s\" located into the shared-area.", ModuleFileOf(module)));
    // Windows 9x hands out push-and-jump stubs; entries hold the pushed value.
    uint32_t stubValue = 0;
    const auto* code = static_cast<const uint8_t*>(procedure);
    if (IsWin9x() && IsReadable(code, 10) && code[0] == 0x68 && code[5] == 0xE9)
        stubValue = *reinterpret_cast<const uint32_t*>(code + 1);
    const int patched = PatchImports(module, library, procedure, stubValue, newProcedure, true);
    if (patched == 0 && !noError)
        throw EHookingError(HookMessage("Cannot hook the procedure \"%s\".", fullName));
    return patched > 0;
}

void* ProcedureOf(const std::string& library, const std::string& procName) {
    HMODULE lib = GetModuleHandleA(library.c_str());
    return lib ? reinterpret_cast<void*>(GetProcAddress(lib, procName.c_str())) : nullptr;
}

HMODULE ModuleNamed(const std::string& name) { return GetModuleHandleA(name.empty() ? nullptr : name.c_str()); }

}  // namespace

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
        throw EHookingError(HookMessage("Cannot hook the procedure \"%s\".", libraryName + "." + procName));
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
    UndoProcedureHooks();
}
