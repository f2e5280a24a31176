#include <algorithm>
#include <cstdint>
#include <vector>

#include "editor/crashreport/core/report/CpuSection.h"
#include "editor/crashreport/support/disasm/DisAsm.h"
#include "editor/crashreport/support/hooking/AsmSize.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/texts/CommonStrings.h"
#include "framework/SysUtils.h"

// The listing reaches 70 bytes to either side of the exception address: at
// most ten instructions before it, the procedure that holds it, and up to
// ten instructions after it (or the first return or far jump).
namespace {

constexpr uintptr_t Reach = 70;
constexpr int MaxBefore = 10;
constexpr int MaxAfter = 10;
// Zero bytes behind the window: the decoder may look at a few bytes past an
// instruction's longest form before it gives up on it.
constexpr size_t Padding = 2 * TDisAsm::MaxInstructionSize + 2;

bool ByteReadable(const TReportMemory& memory, uintptr_t address)
{
    return memory.Readable && memory.Readable(address, 1);
}

// The bytes from `first` to `last`, with room behind for the decoder, which
// trusts the bytes it is given.
class TCodeWindow {
public:
    TCodeWindow(const TReportMemory& memory, uintptr_t first, uintptr_t last) : FFirst(first), FLast(last)
    {
        FBytes.assign(last - first + 1 + Padding, 0);
        for (uintptr_t a = first; a <= last; ++a) {
            uint8_t b = 0;
            if (memory.Read && memory.Read(a, &b, 1))
                FBytes[a - first] = b;
        }
    }
    const uint8_t* At(uintptr_t address) const { return FBytes.data() + (address - FFirst); }
    int32_t Available(uintptr_t address) const { return static_cast<int32_t>(FLast + 1 - address); }

private:
    uintptr_t FFirst;
    uintptr_t FLast;
    std::vector<uint8_t> FBytes;
};

int32_t InstructionSize(const TCodeWindow& code, uintptr_t address)
{
    int32_t size = 1;
    if (!GetAsmSize(code.At(address), code.Available(address), size) || size < 1)
        size = 1;
    return size;
}

bool ShownDetail(TZorvikDebugDetail d)
{
    return d == ddProcedure || d == ddUnitAndProcedure || d == ddSourceCode;
}

// "Unit.Class.Procedure" (parts that are empty left out).
std::string DottedName(const TZorvikDebugInfo& info)
{
    std::string name;
    for (const std::string& part : {WithoutFileExtension(info.UnitName), info.ClassName, info.ProcedureName}) {
        if (part.empty())
            continue;
        if (!name.empty())
            name += ".";
        name += part;
    }
    return name;
}

std::string SymbolOf(const TReportMemory& memory, uintptr_t address)
{
    if (memory.Convert)
        address = memory.Convert(address);
    TZorvikDebugInfo info;
    if (memory.Resolve)
        memory.Resolve(address, info);
    if (ShownDetail(info.DebugDetail)) {
        std::string symbol = DottedName(info);
        if (info.LineOffset > 1)
            symbol += " (Line=" + std::to_string(info.Line) + ")";
        return symbol;
    }
    return memory.ObjectClassName ? memory.ObjectClassName(address) : "";
}

// The characters at a readable address, up to 32, as the immediate's note.
bool TextAt(const TReportMemory& memory, uintptr_t address, std::string& text)
{
    if (!ByteReadable(memory, address))
        return false;
    text.clear();
    for (int i = 0; i < 32; ++i) {
        uint8_t b = 0;
        if (!ByteReadable(memory, address + i) || !memory.Read(address + i, &b, 1))
            return true;
        if (b == 0)
            return true;
        text += b < 32 ? '.' : static_cast<char>(b);
    }
    text += "...";
    return true;
}

}  // namespace

TAssemblerSection BuildAssemblerSection(const TReportFacts& facts, const TZorvikModuleOptions& options)
{
    const std::string label = options.GetCustomizedExpandedTexts(mtDialog_AsmHeader);
    std::vector<std::string> lines;
    const TReportMemory& memory = facts.Memory;
    const uintptr_t a = facts.ExceptionAddress;

    if (memory.Readable && memory.Read && memory.Readable(a, 4)) {
        uintptr_t first = a >= Reach ? a - Reach : 0;
        while (first < a && !ByteReadable(memory, first))
            ++first;
        // Near the top of the address space the window ends at A.
        const uintptr_t room = UINTPTR_MAX - a;
        uintptr_t last = room > Reach + Padding ? a + Reach : a;
        while (last > a && !ByteReadable(memory, last))
            --last;
        const TCodeWindow code(memory, first, last);

        // The first start from which the instructions land exactly on A.
        uintptr_t start = a;
        int before = 0;
        for (uintptr_t s = first; s <= a; ++s) {
            uintptr_t p = s;
            int n = 0;
            while (p < a) {
                const uintptr_t next = p + static_cast<uintptr_t>(InstructionSize(code, p));
                if (next < p)
                    break;  // past the end of the address space
                p = next;
                ++n;
            }
            if (p == a) {
                start = s;
                before = n;
                break;
            }
        }
        for (; before > MaxBefore; --before)
            start += InstructionSize(code, start);

        // The decoder speaks 32-bit addresses; the high half is the fault's.
        const uintptr_t high = static_cast<uintptr_t>(static_cast<uint64_t>(a) & ~uint64_t(0xFFFFFFFF));
        TDisAsm disasm;
        auto addressSymbol = [&](uint32_t, uint32_t, uint32_t target, std::string& text) {
            const std::string symbol = SymbolOf(memory, high | target);
            if (!symbol.empty())
                text = symbol;
        };
        disasm.OnAddress = addressSymbol;
        disasm.OnJumpTarget = addressSymbol;
        disasm.OnCallTarget = addressSymbol;
        disasm.OnImmediate = [&](uint32_t, uint32_t, int32_t, std::string& text, bool) {
            int64_t value = 0;
            std::string note;
            if (TryStrToInt64(text, value) && value > 0 && TextAt(memory, static_cast<uintptr_t>(value), note))
                text += "  ; '" + note + "'";
        };

        std::string lastName, lastLine;
        bool anyComment = false;
        size_t dropped = 0;
        int after = 0;
        for (uintptr_t p = start; p <= last;) {
            TZorvikDebugInfo info;
            if (memory.Resolve)
                memory.Resolve(p, info);
            std::string name, lineText;
            if (ShownDetail(info.DebugDetail)) {
                name = DottedName(info) + " ";
                lineText = "Line=" + std::to_string(info.Line) + " - Offset=" + std::to_string(info.LineOffset);
            }
            std::string comment;
            const bool newName = name != lastName;
            if (newName)
                comment = name;
            if (lineText != lastLine)
                comment += comment.empty() ? lineText : "(" + lineText + ")";
            if (newName && !name.empty() && p <= a)
                dropped = lines.size();
            lastName = name;
            lastLine = lineText;
            if (!comment.empty()) {
                if (anyComment)
                    lines.push_back(";");
                lines.push_back("; " + comment);
                lines.push_back("; " + std::string(comment.size(), '-'));
                anyComment = true;
            }

            int32_t size = 0;
            std::string text = disasm.GetInstruction(code.At(p), static_cast<uint32_t>(p), size);
            if (size < 1)
                size = 1;
            std::string line = IntToHex(static_cast<int64_t>(p), 8) + "  " + text;
            if (p == a) {
                if (line.find("  ; ") == std::string::npos)
                    line += "  ; ";
                line += "<-- EXCEPTION";
            }
            lines.push_back(line);
            if (p > a) {
                ++after;
                const uint8_t opcode = *code.At(p);
                if (after >= MaxAfter || (opcode >= 0xC2 && opcode <= 0xCB))
                    break;
            }
            if (p + static_cast<uintptr_t>(size) < p)
                break;  // the end of the address space
            p += static_cast<uintptr_t>(size);
        }
        lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(dropped));
        if (!lines.empty() && lines.front() == ";")
            lines.erase(lines.begin());

        // The comments of instruction lines start in one column.
        size_t width = 0;
        for (const std::string& line : lines)
            width = std::max(width, Trim(line.substr(0, line.find(';'))).size());
        width += 2;
        for (std::string& line : lines) {
            const size_t semicolon = line.find(';');
            if (semicolon != std::string::npos && semicolon > 0 && semicolon < width) {
                std::string head = line.substr(0, semicolon);
                head.resize(width, ' ');
                line = head + line.substr(semicolon);
            }
        }
    }

    size_t longest = label.size() + 1;
    for (const std::string& line : lines)
        longest = std::max(longest, line.size());
    TAssemblerSection section;
    section.Header = label + ":\r\n" + std::string(longest, '-');
    for (size_t i = 0; i < lines.size(); ++i)
        section.Text += (i ? "\r\n" : "") + lines[i];
    return section;
}
