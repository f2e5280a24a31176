#include "editor/crashreport/core/capture/StackScan.h"

#include <cstring>

namespace {

int32_t Signed32(const uint8_t* b)
{
    int32_t v;
    std::memcpy(&v, b, 4);
    return v;
}

bool Shown(TZorvikDebugDetail d) { return d == ddProcedure || d == ddUnitAndProcedure || d == ddSourceCode; }

}  // namespace

bool FindCallBefore(uintptr_t w, const TScanMemory& memory, TCallSite& site)
{
    if (w < 7)
        return false;
    // b[7 - k] is the byte k places before w.
    uint8_t b[7];
    if (!memory.Read(w - 7, b, 7))
        return false;
    auto before = [&](int k) { return b[7 - k]; };
    site = TCallSite();

    // call rel32
    if (before(5) == 0xE8) {
        site.Site = w - 5;
        site.Relative = true;
        site.Target = w + static_cast<intptr_t>(Signed32(&b[3]));
        return true;
    }
    // call reg
    if (before(2) == 0xFF && before(1) >= 0xD0 && before(1) <= 0xD7) {
        site.Site = w - 2;
        return true;
    }
    // call [reg] (not the forms that need a SIB byte or a displacement)
    if (before(2) == 0xFF && ((before(1) >= 0x10 && before(1) <= 0x13) || before(1) == 0x16 || before(1) == 0x17)) {
        site.Site = w - 2;
        return true;
    }
    // call [reg + disp8], counted only behind a load into a register
    if (before(3) == 0xFF && before(2) >= 0x50 && before(2) <= 0x57 && before(2) != 0x54) {
        if (before(5) == 0x8B || before(6) == 0x8B) {
            site.Site = w - 3;
            return true;
        }
    }
    // call [reg + disp32] with a small displacement
    if (before(6) == 0xFF && before(5) >= 0x90 && before(5) <= 0x97 && before(5) != 0x94) {
        const int32_t d = Signed32(&b[3]);
        if (d >= -0x4000 && d <= 0x4000) {
            site.Site = w - 6;
            return true;
        }
    }
    // call [esp], [esp + disp8], [esp + disp32]
    if (before(3) == 0xFF && before(2) == 0x14 && before(1) == 0x24) {
        site.Site = w - 3;
        return true;
    }
    if (before(4) == 0xFF && before(3) == 0x54 && before(2) == 0x24) {
        site.Site = w - 4;
        return true;
    }
    if (before(7) == 0xFF && before(6) == 0x94 && before(5) == 0x24) {
        site.Site = w - 7;
        return true;
    }
    // call [absolute pointer] (in 64-bit code the pointer is addressed from
    // the next instruction); the pointer must be readable
    if (before(6) == 0xFF && before(5) == 0x15) {
        const uintptr_t slot = memory.RipRelative ? w + static_cast<intptr_t>(Signed32(&b[3]))
                                                  : static_cast<uintptr_t>(static_cast<uint32_t>(Signed32(&b[3])));
        if (memory.Readable(slot, memory.WordSize)) {
            site.Site = w - 6;
            return true;
        }
    }
    return false;
}

bool TStackScanner::AddStackRow(TZorvikStackList& list, uintptr_t address, bool exceptionRow,
                                TScanParameters& p)
{
    if (list.Rows.size() >= MaxStackRows)
        return false;
    TZorvikDebugInfo row;
    if (FLookup)
        FLookup(address, exceptionRow, row);
    row.Address = address;
    row.ThreadID = p.ThreadId;
    row.ThreadKind = p.ThreadKind;
    row.ExceptionRow = exceptionRow;
    if (!(p.DetailSet & DetailBit(row.DebugDetail)))
        return false;
    bool add = true;
    if (p.StartLevel != -1) {
        add = p.Accepted >= p.StartLevel && p.Added < p.MaximumRows;
    }
    ++p.Accepted;
    if (!add)
        return false;
    ++p.Added;
    list.Rows.push_back(std::move(row));
    return true;
}

void TStackScanner::ScanStack(TZorvikStackList& list, uintptr_t firstAddress, uintptr_t stackStart,
                              uintptr_t stackEnd, TScanParameters& p)
{
    const size_t first = list.Rows.size();
    if (firstAddress)
        AddStackRow(list, firstAddress, true, p);
    if (stackEnd > stackStart && stackEnd - stackStart > MaxScannedStack)
        stackEnd = stackStart + MaxScannedStack;
    const size_t word = FMemory.WordSize;
    const size_t blockWords = 400 / 4;
    uintptr_t coveredTo = 0;  // readable up to here (exclusive)
    for (uintptr_t at = stackStart; at <= stackEnd && at >= stackStart; at += word) {
        if (at + word > coveredTo) {
            if (FMemory.Readable(at, blockWords * word))
                coveredTo = at + blockWords * word;
            else if (FMemory.Readable(at, word))
                coveredTo = at + word;
            else
                continue;
        }
        uintptr_t w = 0;
        if (!FMemory.Read(at, &w, word)) {
            coveredTo = 0;
            continue;
        }
        if (word == 4)
            w = static_cast<uint32_t>(w);
        TCallSite site;
        if (!FindCallBefore(w, FMemory, site))
            continue;
        if (site.Relative) {
            uint8_t firstByte;
            if (!FMemory.Read(site.Target, &firstByte, 1))
                continue;
            if (p.FollowCalls) {
                const uintptr_t target = FMemory.Convert ? FMemory.Convert(site.Target) : site.Target;
                uint8_t code[5];
                if (FMemory.Read(target, code, 5) && code[0] != 0xE8)
                    AddStackRow(list, target, false, p);
            }
        }
        AddStackRow(list, site.Site, false, p);
    }
    CleanStackRows(list, first);
}

void CleanStackRows(TZorvikStackList& list, size_t first)
{
    std::vector<TZorvikDebugInfo>& rows = list.Rows;
    const size_t n = rows.size();
    // Repeated return addresses.
    auto nextShown = [&](size_t from, const TZorvikModuleInfo* module) -> size_t {
        for (size_t j = from; j < n; ++j)
            if (Shown(rows[j].DebugDetail) && rows[j].ModuleInfo == module)
                return j;
        return n;
    };
    if (n >= 2) {
        for (size_t i = n - 1; i-- > first;) {
            if (!Shown(rows[i].DebugDetail))
                continue;
            size_t j = nextShown(i + 1, rows[i].ModuleInfo);
            if (j == n)
                continue;
            if (rows[j].Address != rows[i].Address) {
                j = nextShown(j + 1, rows[i].ModuleInfo);
                if (j == n)
                    continue;
            }
            // The exception's own row stays (it marks the exception thread's
            // block); the scan's row of the same call site goes instead.
            if (rows[j].Address == rows[i].Address)
                (rows[i].ExceptionRow ? rows[j] : rows[i]).DebugDetail = ddNone;
        }
    }
    // Rows stranded between a call target (a procedure's first line) and the
    // row of the same procedure that called on from it.
    for (size_t c = n; c-- > 1;) {
        const TZorvikDebugInfo& target = rows[c];
        if (target.DebugDetail != ddSourceCode || target.LineOffset != 0)
            continue;
        auto sameStack = [&](const TZorvikDebugInfo& r) {
            return r.ThreadID == target.ThreadID && r.ThreadKind == target.ThreadKind;
        };
        auto foreign = [&](const TZorvikDebugInfo& r) {
            return (r.UnitName != target.UnitName || r.ClassName != target.ClassName ||
                    r.ProcedureName != target.ProcedureName || r.LineOffset == 0) &&
                   sameStack(r);
        };
        size_t i = c - 1;
        while (i > 0 && foreign(rows[i]))
            --i;
        // The walk ends without a caller at the list's first row and at the
        // rows of another stack: nothing is hidden then.
        if (foreign(rows[i]) || !sameStack(rows[i]))
            continue;
        for (size_t k = i + 1; k < c; ++k)
            rows[k].DebugDetail = ddNone;
    }
}
