#include "tools/crashdata/ExeLineTable.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

namespace {

std::string BaseName(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool ParseHex(const std::string& s, uint64_t& v)
{
    if (s.size() < 3 || s.size() > 18 || s[0] != '0' || s[1] != 'x')
        return false;
    char* end = nullptr;
    v = std::strtoull(s.c_str() + 2, &end, 16);
    return !*end;
}

std::string Quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

struct Row {
    uint64_t address;
    bool end;  // end of a sequence
};

}  // namespace

bool RunCommand(const std::string& command, std::string& output)
{
    output.clear();
    FILE* p = popen(command.c_str(), "r");
    if (!p)
        return false;
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, p)) > 0)
        output.append(buffer, n);
    return pclose(p) == 0;
}

std::vector<TOuterFrame> ParseAddr2LineOutput(const std::string& text)
{
    std::vector<TOuterFrame> frames;
    std::istringstream in(text);
    std::string line, function;
    bool haveFunction = false;
    while (std::getline(in, line)) {
        uint64_t address;
        if (line.size() >= 3 && line[0] == '0' && line[1] == 'x' && ParseHex(line, address)) {
            frames.push_back({address, "", "", 0});
            haveFunction = false;
            continue;
        }
        if (frames.empty())
            continue;
        if (!haveFunction) {
            function = line;
            haveFunction = true;
            continue;
        }
        // "file:line" or "file:line (discriminator n)"; the last pair wins.
        haveFunction = false;
        std::string location = line.substr(0, line.find(" ("));
        const size_t colon = location.rfind(':');
        TOuterFrame& f = frames.back();
        f.Function = function == "??" ? "" : DemangleName(function);
        f.File = colon == std::string::npos ? "" : BaseName(location.substr(0, colon));
        if (f.File == "??")
            f.File.clear();
        f.Line = colon == std::string::npos ? 0 : std::atoi(location.c_str() + colon + 1);
    }
    return frames;
}

bool ReadExeLineTable(const std::string& toolPrefix, const std::string& exe, uint64_t imageBase,
                      std::vector<TUnitRows>& units, std::string& error)
{
    std::string text;
    if (!RunCommand(toolPrefix + "objdump --dwarf=decodedline " + Quote(exe), text)) {
        error = "objdump could not read the line table";
        return false;
    }
    // Sequences of rows; a row whose line is "-" ends its sequence.
    std::vector<std::vector<Row>> sequences(1);
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string file, number, address;
        uint64_t a;
        if (!(fields >> file >> number >> address) || !ParseHex(address, a))
            continue;
        const bool end = number == "-";
        if (!end && number.find_first_not_of("0123456789") != std::string::npos)
            continue;
        sequences.back().push_back({a, end});
        if (end)
            sequences.emplace_back();
    }
    // Function starts where no row of the line table stands: the place where
    // one function ends and the next begins must be a row of its own.
    std::vector<TExeSymbol> symbols;
    if (!ReadExeSymbols(toolPrefix, exe, symbols, error))
        return false;
    std::vector<uint64_t> functionStarts;
    for (const TExeSymbol& sym : symbols)
        functionStarts.push_back(sym.Address);
    std::sort(functionStarts.begin(), functionStarts.end());
    // Every instruction start as well: inlined code ends where it ends, not
    // always where a row of the line table stands.
    std::vector<uint64_t> extra = functionStarts;
    {
        std::string listing;
        if (!RunCommand(toolPrefix + "objdump -d --no-show-raw-insn " + Quote(exe), listing)) {
            error = "objdump could not disassemble";
            return false;
        }
        std::istringstream lines(listing);
        std::string l;
        while (std::getline(lines, l)) {
            const size_t colon = l.find(':');
            if (l.size() < 4 || l[0] != ' ' || colon == std::string::npos || colon > 20)
                continue;
            char* end = nullptr;
            const unsigned long long a = std::strtoull(l.c_str(), &end, 16);
            if (end && *end == ':')
                extra.push_back(a);
        }
        std::sort(extra.begin(), extra.end());
        extra.erase(std::unique(extra.begin(), extra.end()), extra.end());
    }
    // Functions that no sequence covers at all, up to the next function:
    // split-off cold code whose places exist only as the call lines of the
    // code inlined there. Each gets a sequence of its own; addr2line names
    // its rows like any other.
    {
        std::vector<std::pair<uint64_t, uint64_t>> ranges;
        for (const auto& seq : sequences)
            if (seq.size() >= 2 && seq.back().end)
                ranges.emplace_back(seq.front().address, seq.back().address);
        std::sort(ranges.begin(), ranges.end());
        std::vector<std::vector<Row>> added;
        for (size_t i = 0; i + 1 < functionStarts.size(); ++i) {
            const uint64_t start = functionStarts[i], next = functionStarts[i + 1];
            if (next <= start)
                continue;
            auto r = std::upper_bound(ranges.begin(), ranges.end(), std::make_pair(start, UINT64_MAX));
            const bool covered = r != ranges.begin() && (r - 1)->second > start;
            const uint64_t nextRange = r == ranges.end() ? UINT64_MAX : r->first;
            if (!covered && next <= nextRange && next - start < 0x10000)
                added.push_back({Row{start, false}, Row{next, true}});
        }
        sequences.insert(sequences.end(), added.begin(), added.end());
    }
    std::sort(sequences.begin(), sequences.end(), [](const std::vector<Row>& a, const std::vector<Row>& b) {
        return (a.empty() ? 0 : a.front().address) < (b.empty() ? 0 : b.front().address);
    });
    uint64_t previousEnd = 0;
    for (auto& seq : sequences) {
        if (seq.size() < 2 || !seq.back().end)
            continue;
        const uint64_t first = seq.front().address, end = seq.back().address;
        // A function whose first rows come later than its start (split-off
        // cold code) begins the sequence, when no other sequence holds it.
        auto before = std::upper_bound(functionStarts.begin(), functionStarts.end(), first);
        if (before != functionStarts.begin() && *(before - 1) < first && *(before - 1) >= previousEnd &&
            first - *(before - 1) < 0x100)
            seq.insert(seq.begin(), Row{*(before - 1), false});
        previousEnd = std::max(previousEnd, end);
        auto from = std::upper_bound(extra.begin(), extra.end(), seq.front().address);
        auto to = std::lower_bound(extra.begin(), extra.end(), end);
        if (from >= to)
            continue;
        std::vector<Row> merged;
        merged.reserve(seq.size() + (to - from));
        auto f = from;
        for (const Row& r : seq) {
            while (f != to && *f < r.address) {
                if (merged.empty() || merged.back().address != *f)
                    merged.push_back({*f, false});
                ++f;
            }
            merged.push_back(r);
        }
        seq = std::move(merged);
    }

    const uint64_t codeStart = imageBase + 0x1000;
    std::vector<uint64_t> addresses;
    std::vector<std::vector<Row>> kept;
    for (auto& s : sequences) {
        // Code that the linker dropped keeps its rows at address 0.
        if (s.size() < 2 || !s.back().end || s.front().address < codeStart)
            continue;
        for (const Row& r : s)
            if (!r.end)
                addresses.push_back(r.address);
        kept.push_back(std::move(s));
    }
    std::sort(addresses.begin(), addresses.end());
    addresses.erase(std::unique(addresses.begin(), addresses.end()), addresses.end());

    char tmp[] = "/tmp/crashdata-XXXXXX";
    const int fd = mkstemp(tmp);
    if (fd < 0) {
        error = "no temporary file";
        return false;
    }
    FILE* f = fdopen(fd, "w");
    for (uint64_t a : addresses)
        std::fprintf(f, "0x%08llx\n", static_cast<unsigned long long>(a));
    std::fclose(f);
    const bool ran = RunCommand(toolPrefix + "addr2line -a -f -i -e " + Quote(exe) + " < " + tmp, text);
    std::remove(tmp);
    if (!ran) {
        error = "addr2line failed";
        return false;
    }
    std::map<uint64_t, TOuterFrame> where;
    for (TOuterFrame& fr : ParseAddr2LineOutput(text))
        where[fr.Address] = std::move(fr);

    // Rows of every sequence, in address order; a unit per run of one file.
    struct Piece {
        uint64_t start, end;  // end exclusive
        std::string file;
        std::vector<TLineRow> rows;
    };
    std::vector<Piece> pieces;
    for (const auto& s : kept) {
        Piece* current = nullptr;
        std::string previousFunction;
        for (size_t i = 0; i + 1 < s.size(); ++i) {
            const uint64_t a = s[i].address;
            if (i > 0 && s[i - 1].address == a)
                continue;  // further rows of one address say the same
            uint64_t next = a;
            for (size_t j = i + 1; j < s.size() && next == a; ++j)
                next = s[j].address;
            if (next == a)
                continue;
            const auto w = where.find(a);
            if (w == where.end() || w->second.File.empty() || w->second.Function.empty()) {
                current = nullptr;
                continue;
            }
            const TOuterFrame& fr = w->second;
            if (!current || current->file != fr.File || current->end != a) {
                pieces.push_back({a, a, fr.File, {}});
                current = &pieces.back();
                previousFunction.clear();
            }
            current->end = next;
            const bool start = fr.Function != previousFunction;
            if (!start && !current->rows.empty() && current->rows.back().Line == fr.Line)
                continue;
            TLineRow row;
            row.Offset = static_cast<uint32_t>(a - codeStart);
            row.Line = fr.Line;
            row.ProcedureStart = start;
            if (start)
                SplitFunctionName(fr.Function, row.ClassName, row.ProcedureName);
            current->rows.push_back(std::move(row));
            previousFunction = fr.Function;
        }
    }
    std::sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) { return a.start < b.start; });
    units.clear();
    uint64_t covered = 0;
    for (Piece& p : pieces) {
        if (p.rows.empty() || p.start < covered)
            continue;  // overlapping code of another sequence
        TUnitRows u;
        u.Start = static_cast<uint32_t>(p.start - codeStart);
        u.Length = static_cast<uint32_t>(p.end - p.start);
        u.Name = p.file;
        u.Rows = std::move(p.rows);
        units.push_back(std::move(u));
        covered = p.end;
    }
    return true;
}

bool ReadExeSymbols(const std::string& toolPrefix, const std::string& exe, std::vector<TExeSymbol>& symbols,
                    std::string& error)
{
    std::string text;
    if (!RunCommand(toolPrefix + "nm -C -n --defined-only " + Quote(exe), text)) {
        error = "nm could not read the symbols";
        return false;
    }
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        // "address kind name", the address 8 or 16 digits wide.
        const size_t blank = line.find(' ');
        if (blank == std::string::npos || blank < 8 || line.size() < blank + 4 || line[blank + 2] != ' ')
            continue;
        const char kind = line[blank + 1];
        if (kind != 'T' && kind != 't')
            continue;
        TExeSymbol s;
        s.Address = std::strtoull(line.substr(0, blank).c_str(), nullptr, 16);
        s.Name = line.substr(blank + 3);
        symbols.push_back(std::move(s));
    }
    return true;
}
