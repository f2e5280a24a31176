#include "editor/crashreport/support/hooking/ProcedureHooks.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "editor/crashreport/support/hooking/AsmSize.h"
#include "editor/crashreport/support/hooking/Trampoline.h"
#include "editor/crashreport/support/system/MemoryProbe.h"

namespace {

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

uint64_t AddressOf(const void* p) { return reinterpret_cast<uintptr_t>(p); }

std::vector<std::unique_ptr<THookedProcedure>>& Procedures() {
    static std::vector<std::unique_ptr<THookedProcedure>> list;
    return list;
}

// Import stubs are followed to the code they jump to.
void* Resolved(void* address) {
    return reinterpret_cast<void*>(ConvertAddress(reinterpret_cast<uintptr_t>(address)));
}

}  // namespace

std::string HookMessage(const std::string& pattern, const std::string& name) {
    const size_t at = pattern.find("%s");
    return at == std::string::npos ? pattern : pattern.substr(0, at) + name + pattern.substr(at + 2);
}

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

bool JumpToMem(void* at, const void* target) {
    const std::vector<uint8_t> jump = JumpBytes(AddressOf(at), AddressOf(target), kProgramCodeWidth);
    return jump.size() == kNearJumpSize && WriteCode(at, jump.data(), jump.size());
}

const THookedProcedure* FindHookedProcedure(void* address) {
    for (const auto& p : Procedures())
        if (p->Procedure == address || p->Trampoline == address)
            return p.get();
    return nullptr;
}

// In 64-bit programs the trampoline is placed within 2 GiB of the procedure
// where there is room, so that the jump over the procedure keeps its five
// bytes and the moved bytes keep their relative operands. A replacement
// farther away than that is reached through an absolute jump after the
// trampoline (the relay); with no room near the procedure, the procedure gets
// the absolute jump itself (14 bytes), and moved code whose relative operands
// no longer reach from the trampoline is refused.
void* HookProcedureEx(void* procedure, void* newProcedure, const std::string& name) {
    if (procedure == nullptr)
        throw EProcNull(HookMessage("Cannot hook a null procedure (\"%s\").", name));
    procedure = Resolved(procedure);
    newProcedure = Resolved(newProcedure);
    if (IsSharedAreaAddress(procedure))
        throw ESharedArea(
            HookMessage("Cannot hook the module \"%s\" located into the shared-area.", ModuleFileOf(procedure)));
    const auto fail = [&] { return EHookingError(HookMessage("Cannot hook the procedure \"%s\".", name)); };
    for (const auto& p : Procedures())
        if (p->Procedure == procedure)
            return p->Trampoline;

    constexpr TCodeWidth width = kProgramCodeWidth;
    const uint64_t proc = AddressOf(procedure), replacement = AddressOf(newProcedure);
    auto* trampoline = static_cast<uint8_t*>(AllocateCode(procedure));
    if (trampoline == nullptr)
        throw fail();
    const uint64_t tramp = AddressOf(trampoline);
    const bool replacementNear = WithinRelativeReach(proc + kNearJumpSize, replacement, width);
    const bool trampolineNear = WithinRelativeReach(proc + kNearJumpSize, tramp, width) &&
                                WithinRelativeReach(proc + kNearJumpSize, tramp + kCodeBlockSize, width);
    const TTrampolineSite site{proc, tramp, replacementNear || trampolineNear ? kNearJumpSize : kAbsoluteJumpSize,
                               width};

    const auto* code = static_cast<const uint8_t*>(procedure);
    TTrampolinePlan plan;
    if (PlanTrampoline(code, ReadableLength(code, 32), plan, site) != TTrampolineFault::None) {
        FreeCode(trampoline);
        throw fail();
    }
    std::vector<uint8_t> bytes = BuildTrampoline(code, plan);
    std::vector<uint8_t> patch;
    if (replacementNear || !trampolineNear) {
        patch = JumpBytes(proc, replacement, width);
    } else {
        const uint64_t relay = tramp + bytes.size();
        const std::vector<uint8_t> relayJump = JumpBytes(relay, replacement, width);
        bytes.insert(bytes.end(), relayJump.begin(), relayJump.end());
        patch = JumpBytes(proc, relay, width);
    }
    if (bytes.size() > kCodeBlockSize || patch.size() > static_cast<size_t>(plan.Copied)) {
        FreeCode(trampoline);
        throw fail();
    }
    // Through the code-write routine, which flushes the instruction cache.
    if (!WriteCode(trampoline, bytes.data(), bytes.size())) {
        FreeCode(trampoline);
        throw fail();
    }

    auto entry = std::make_unique<THookedProcedure>();
    entry->Procedure = procedure;
    entry->Trampoline = trampoline;
    entry->TrampolineSize = plan.Size;
    entry->SavedBytes.assign(code, code + plan.Copied);
    entry->Copied = plan.Copied;
    if (!WriteCode(procedure, patch.data(), patch.size())) {
        FreeCode(trampoline);
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
        FreeCode(p.Trampoline);
        list.erase(it);
        return true;
    }
    return false;
}

void UndoProcedureHooks() {
    auto& procedures = Procedures();
    while (!procedures.empty())
        UnhookProcedure(procedures.back()->Procedure);
}
