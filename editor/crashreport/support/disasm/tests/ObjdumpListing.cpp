#include "editor/crashreport/support/disasm/tests/ObjdumpListing.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace {

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return std::string();
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string FirstWord(const std::string& text) {
    std::string t = Trim(text);
    return t.substr(0, t.find(' '));
}

bool IsHexDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
}
bool IsDecDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

std::string HexText(uint32_t v) {
    static const char digits[] = "0123456789abcdef";
    std::string s;
    do {
        s.insert(s.begin(), digits[v & 0xF]);
        v >>= 4;
    } while (v != 0);
    return s;
}

// A number in either notation: "$1C", "0x1c", "1c" (branch targets of
// objdump), "3" (plain decimal). Returns false when text is none of them.
bool ParseNumber(const std::string& text, bool bareHex, uint32_t& value) {
    std::string digits;
    int base = 10;
    if (text.size() > 1 && text[0] == '$') {
        digits = text.substr(1);
        base = 16;
    } else if (text.size() > 2 && text[0] == '0' && text[1] == 'x') {
        digits = text.substr(2);
        base = 16;
    } else if (bareHex && IsHexDigits(text)) {
        digits = text;
        base = 16;
    } else if (IsDecDigits(text)) {
        digits = text;
    } else {
        return false;
    }
    if ((base == 16 && !IsHexDigits(digits)) || digits.size() > 16)
        return false;
    value = static_cast<uint32_t>(std::stoull(digits, nullptr, base));
    return true;
}

bool IsRegisterName(const std::string& s) {
    static const std::set<std::string> names = {
        "eax", "ecx", "edx", "ebx", "esp", "ebp", "esi", "edi", "eiz",
        "ax", "cx", "dx", "bx", "sp", "bp", "si", "di"};
    return names.count(s) != 0;
}

// "[ebx+ecx*4+0x10]" and kin: registers sorted, displacements summed.
std::string NormaliseMemory(const std::string& segment, const std::string& inner) {
    std::vector<std::string> registers;
    uint32_t sum = 0;
    size_t i = 0;
    while (i < inner.size()) {
        bool negative = false;
        if (inner[i] == '+' || inner[i] == '-') {
            negative = inner[i] == '-';
            ++i;
        }
        size_t end = inner.find_first_of("+-", i);
        if (end == std::string::npos)
            end = inner.size();
        std::string term = inner.substr(i, end - i);
        i = end;
        uint32_t value = 0;
        if (ParseNumber(term, false, value)) {
            sum += negative ? 0 - value : value;
            continue;
        }
        size_t star = term.find('*');
        std::string reg = term.substr(0, star);
        std::string scale = star == std::string::npos ? "1" : term.substr(star + 1);
        if (reg == "eiz")
            continue;
        registers.push_back(scale == "1" ? reg : reg + "*" + scale);
    }
    std::sort(registers.begin(), registers.end());
    // 16-bit addressing wraps at 64 KB; objdump prints its displacements signed.
    for (const std::string& r : registers)
        if (r.size() == 2 || (r.size() > 2 && r[2] == '*'))
            sum &= 0xFFFF;
    std::string out = segment == "ds" || segment.empty() ? "" : segment + ":";
    out += "[";
    for (size_t k = 0; k < registers.size(); ++k)
        out += (k ? "+" : "") + registers[k];
    if (sum != 0 || registers.empty())
        out += (registers.empty() ? "#" : "+#") + HexText(sum);
    return out + "]";
}

std::string NormaliseOperand(std::string op, bool objdump, bool branch) {
    op.erase(std::remove(op.begin(), op.end(), ' '), op.end());
    if (op == "st(0)")
        return "st";
    // Our control, debug and test registers are "C0", "D7", "T6".
    if (!objdump && op.size() == 2 && (op[0] == 'c' || op[0] == 'd' || op[0] == 't') && op[1] >= '0' && op[1] <= '7')
        return op.substr(0, 1) + "r" + op.substr(1);
    size_t open = op.find('[');
    if (open != std::string::npos) {
        size_t close = op.find(']', open);
        std::string segment = open > 0 && op[open - 1] == ':' ? op.substr(0, open - 1) : std::string();
        return NormaliseMemory(segment, op.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1));
    }
    // objdump's absolute addresses: "ds:0x453014", "fs:0x0".
    size_t colon = op.find(':');
    if (objdump && colon == 2 && !IsRegisterName(op.substr(colon + 1))) {
        uint32_t v = 0;
        if (ParseNumber(op.substr(colon + 1), false, v))
            return NormaliseMemory(op.substr(0, 2), op.substr(colon + 1));
    }
    // A whole number, signed in our notation ("+$1C", "-$01").
    bool negative = false;
    std::string body = op;
    if (!objdump && body.size() > 1 && (body[0] == '+' || body[0] == '-') && body[1] == '$') {
        negative = body[0] == '-';
        body = body.substr(1);
    }
    uint32_t value = 0;
    if (ParseNumber(body, objdump && branch, value))
        return "#" + HexText(negative ? 0 - value : value);
    // Numbers inside a far pointer "$0010:$00401000" / "0x10:0x401000".
    if (colon != std::string::npos) {
        uint32_t a = 0, b = 0;
        if (ParseNumber(op.substr(0, colon), false, a) && ParseNumber(op.substr(colon + 1), false, b))
            return "#" + HexText(a) + ":#" + HexText(b);
    }
    return op;
}

std::string RemoveSizeKeywords(std::string s) {
    static const char* const keywords[] = {"xmmword ptr", "dword ptr", "fword ptr", "qword ptr", "tbyte ptr",
                                           "word ptr", "byte ptr"};
    for (const char* k : keywords) {
        const std::string key = k;
        for (size_t p; (p = s.find(key)) != std::string::npos;)
            s.erase(p, key.size());
    }
    return s;
}

// 8 or 16 when a size keyword or a register says so, else 32.
int OperationWidth(const std::string& operands) {
    if (operands.find("dword ptr") == std::string::npos && operands.find("word ptr") != std::string::npos)
        return 16;
    if (operands.find("byte ptr") != std::string::npos)
        return 8;
    std::string word;
    int width = 32;
    for (size_t i = 0; i <= operands.size(); ++i) {
        char c = i < operands.size() ? operands[i] : ',';
        if (std::isalnum(static_cast<unsigned char>(c))) {
            word += c;
            continue;
        }
        static const std::set<std::string> r8 = {"al", "cl", "dl", "bl", "ah", "ch", "dh", "bh"};
        static const std::set<std::string> r16 = {"ax", "cx", "dx", "bx", "sp", "bp", "si", "di"};
        if (r8.count(word))
            return 8;
        if (r16.count(word) && c != ']' && c != '+' && c != '*')
            width = 16;
        word.clear();
    }
    return width;
}

// objdump names some conditions otherwise ("je" where we say "jz").
std::string OurConditionName(const std::string& m) {
    static const std::pair<const char*, const char*> aliases[] = {
        {"e", "z"}, {"ne", "nz"}, {"ae", "nb"}, {"a", "nbe"}, {"ge", "nl"}, {"g", "nle"},
        {"c", "b"}, {"nc", "nb"}, {"nae", "b"}, {"na", "be"}, {"pe", "p"}, {"po", "np"},
        {"nge", "l"}, {"ng", "le"}};
    for (const char* prefix : {"cmov", "set", "j"}) {
        const std::string p = prefix;
        if (m.compare(0, p.size(), p) != 0)
            continue;
        const std::string cc = m.substr(p.size());
        for (const auto& [from, to] : aliases)
            if (cc == from)
                return p + to;
        return m;
    }
    return m;
}

bool IsBranch(const std::string& m) {
    return m[0] == 'j' || m == "call" || m.compare(0, 4, "loop") == 0;
}

NormalInstruction Normalise(const std::string& raw, bool objdump) {
    std::string text = Lower(raw);
    if (objdump) {
        for (size_t lt; (lt = text.find('<')) != std::string::npos;) {
            size_t gt = text.find('>', lt);
            text.erase(lt, gt == std::string::npos ? std::string::npos : gt - lt + 1);
        }
    }
    text = Trim(text);
    NormalInstruction n;
    size_t space = text.find(' ');
    n.mnemonic = text.substr(0, space);
    if (objdump) {
        n.mnemonic = OurConditionName(n.mnemonic);
        if (n.mnemonic == "fwait")
            n.mnemonic = "wait";
        else if (n.mnemonic == "jmpw" || n.mnemonic == "callw")
            n.mnemonic.pop_back();
    }
    if (space == std::string::npos)
        return n;
    std::string operands = text.substr(space + 1);
    n.width = OperationWidth(operands);
    operands = Trim(RemoveSizeKeywords(operands));
    const bool branch = IsBranch(n.mnemonic);
    size_t start = 0;
    while (start <= operands.size() && !operands.empty()) {
        size_t comma = operands.find(',', start);
        std::string op = Trim(operands.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        n.operands.push_back(NormaliseOperand(op, objdump, branch));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return n;
}

bool SameNumber(const std::string& a, const std::string& b, int width) {
    if (a.size() < 2 || b.size() < 2 || a[0] != '#' || b[0] != '#')
        return false;
    if (!IsHexDigits(a.substr(1)) || !IsHexDigits(b.substr(1)))
        return false;
    const uint32_t x = static_cast<uint32_t>(std::stoul(a.substr(1), nullptr, 16));
    const uint32_t y = static_cast<uint32_t>(std::stoul(b.substr(1), nullptr, 16));
    const uint32_t mask = width == 8 ? 0xFF : width == 16 ? 0xFFFF : 0xFFFFFFFF;
    return (x & mask) == (y & mask);
}

} // namespace

std::vector<ListedInstruction> ParseObjdumpListing(std::istream& in) {
    std::vector<ListedInstruction> list;
    std::string line;
    while (std::getline(in, line)) {
        size_t colon = line.find(":\t");
        if (colon == std::string::npos)
            continue;
        std::string address = Trim(line.substr(0, colon));
        if (!IsHexDigits(address))
            continue;
        size_t bytesEnd = line.find('\t', colon + 2);
        std::string bytes = line.substr(colon + 2, bytesEnd == std::string::npos ? std::string::npos : bytesEnd - colon - 2);
        ListedInstruction item;
        item.address = static_cast<uint32_t>(std::stoul(address, nullptr, 16));
        for (size_t p = 0; p + 1 < bytes.size(); p += 3) {
            if (!std::isxdigit(static_cast<unsigned char>(bytes[p])))
                break;
            item.bytes.push_back(static_cast<uint8_t>(std::stoul(bytes.substr(p, 2), nullptr, 16)));
        }
        if (bytesEnd == std::string::npos) {
            // Continuation of a long instruction.
            if (!list.empty())
                list.back().bytes.insert(list.back().bytes.end(), item.bytes.begin(), item.bytes.end());
            continue;
        }
        item.text = Trim(line.substr(bytesEnd + 1));
        list.push_back(std::move(item));
    }
    return list;
}

bool ObjdumpUndecoded(const std::string& text) {
    return text.empty() || text.rfind("(bad)") != std::string::npos || text.compare(0, 5, ".byte") == 0;
}

bool ObjdumpHasPrefix(const std::string& text) {
    static const std::set<std::string> prefixes = {
        "lock", "rep", "repz", "repnz", "repe", "repne", "cs", "ds", "es", "ss", "fs", "gs",
        "data16", "data32", "addr16", "addr32", "bnd", "notrack", "xacquire", "xrelease"};
    return prefixes.count(FirstWord(text)) != 0;
}

bool ObjdumpOnlyPrefixes(const std::string& text) {
    std::string rest = Trim(text);
    if (rest.empty())
        return false;
    while (!rest.empty()) {
        std::string word = FirstWord(rest);
        if (!ObjdumpHasPrefix(word))
            return false;
        rest = Trim(rest.substr(word.size()));
    }
    return true;
}

bool IsLonePrefix(const std::string& ours) {
    return ours == "lock" || ours == "rep" || ours == "repne" || ours == "wait";
}

NormalInstruction NormaliseOurs(const std::string& text) { return Normalise(text, false); }
NormalInstruction NormaliseObjdump(const std::string& text) { return Normalise(text, true); }

bool SameInstruction(const NormalInstruction& a, const NormalInstruction& b) {
    if (a.mnemonic != b.mnemonic || a.operands.size() != b.operands.size())
        return false;
    for (size_t i = 0; i < a.operands.size(); ++i)
        if (a.operands[i] != b.operands[i] && !SameNumber(a.operands[i], b.operands[i], std::min(a.width, b.width)))
            return false;
    return true;
}

std::string ToString(const NormalInstruction& n) {
    std::string s = n.mnemonic;
    for (size_t i = 0; i < n.operands.size(); ++i)
        s += (i ? "," : " ") + n.operands[i];
    return s;
}
