#include "tools/crashdata/DebugSectionWriter.h"

#include <cxxabi.h>

#include <cstdlib>

#include "editor/crashreport/core/lookup/DebugSection.h"
#include "editor/crashreport/support/archive/BlockCipher.h"

namespace {

void WritePiece(std::vector<uint8_t>& out, std::string text, bool more, const TBlockCipher& cipher,
                uint16_t version)
{
    if (version < 502 && text.size() > 255)
        text.resize(255);
    if (version < 500) {
        for (char& c : text)
            c = static_cast<char>(c ^ OldNameKey);
    } else {
        cipher.Encrypt(text.data(), text.data(), static_cast<int32_t>(text.size()));
    }
    if (version < 502) {
        out.push_back(static_cast<uint8_t>(text.size()));
    } else if (text.size() < 127) {
        out.push_back(static_cast<uint8_t>(text.size() | (more ? 0x80 : 0)));
    } else {
        out.push_back(static_cast<uint8_t>(127 | (more ? 0x80 : 0)));
        WritePackedNumber(out, static_cast<uint32_t>(text.size()));
    }
    out.insert(out.end(), text.begin(), text.end());
}

}  // namespace

std::vector<uint8_t> WriteDebugSection(const std::vector<TUnitRows>& units, const std::string& password,
                                       uint16_t version)
{
    const TBlockCipher cipher(password);
    std::vector<uint8_t> out;
    WritePackedNumber(out, static_cast<uint32_t>(units.size()));
    uint32_t previousStart = 0;
    for (const TUnitRows& u : units) {
        WritePackedNumber(out, u.Start - previousStart);
        WritePackedNumber(out, u.Length);
        WritePiece(out, u.Name, false, cipher, version);
        WritePackedNumber(out, static_cast<uint32_t>(u.Rows.size()));
        uint32_t offset = u.Start;
        int32_t line = 0;
        for (const TLineRow& r : u.Rows) {
            WritePackedNumber(out, r.Offset - offset);
            WritePackedNumber(out, (FoldSigned(r.Line - line) << 1) | (r.ProcedureStart ? 1 : 0));
            if (r.ProcedureStart) {
                if (r.ClassName.empty() || version < 502) {
                    WritePiece(out, r.ClassName.empty() ? r.ProcedureName : r.ClassName + "." + r.ProcedureName,
                               false, cipher, version);
                } else {
                    WritePiece(out, r.ClassName, true, cipher, version);
                    WritePiece(out, r.ProcedureName, false, cipher, version);
                }
            }
            offset = r.Offset;
            line = r.Line;
        }
        previousStart = u.Start;
    }
    return out;
}

namespace {

// The position of the bracket that opens the one closing at `close`, or npos.
size_t MatchingOpen(const std::string& s, size_t close)
{
    const char c = s[close];
    const char o = c == ')' ? '(' : c == '>' ? '<' : c == ']' ? '[' : '{';
    int depth = 0;
    for (size_t i = close + 1; i-- > 0;) {
        if (s[i] == c)
            ++depth;
        else if (s[i] == o && --depth == 0)
            return i;
    }
    return std::string::npos;
}

void TrimRight(std::string& s)
{
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
}

}  // namespace

std::string DemangleName(const std::string& name)
{
    if (name.compare(0, 2, "_Z") != 0)
        return name;
    int status = 0;
    char* readable = abi::__cxa_demangle(name.c_str(), nullptr, nullptr, &status);
    if (!readable)
        return name;
    std::string result = readable;
    std::free(readable);
    return result;
}

void SplitFunctionName(const std::string& demangled, std::string& className, std::string& procedureName)
{
    std::string s = demangled;
    // " [clone .cold]" and its kin.
    for (;;) {
        TrimRight(s);
        if (s.empty() || s.back() != ']')
            break;
        const size_t open = MatchingOpen(s, s.size() - 1);
        if (open == std::string::npos || s.compare(open, 7, "[clone ") != 0)
            break;
        s.erase(open);
    }
    // Qualifiers after the parameter list, then the list itself.
    for (bool changed = true; changed;) {
        changed = false;
        TrimRight(s);
        for (const char* q : {" const", " volatile", " &&", " &", " noexcept"}) {
            const std::string t = q;
            if (s.size() > t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0) {
                s.erase(s.size() - t.size());
                changed = true;
            }
        }
    }
    if (!s.empty() && s.back() == ')') {
        const size_t open = MatchingOpen(s, s.size() - 1);
        if (open != std::string::npos && open > 0)
            s.erase(open);
    }
    // A return type before the name (templates show one) goes; then the
    // name splits at its last "::" outside brackets. "operator<" and its kin
    // hold brackets that open nothing, so the scan stops at "operator".
    size_t stop = s.size();
    size_t lastSpace = std::string::npos;
    int depth = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (depth == 0 && s.compare(i, 8, "operator") == 0 && (i == 0 || s[i - 1] == ':' || s[i - 1] == ' ')) {
            stop = i;
            break;
        }
        if (c == '(' || c == '<' || c == '[' || c == '{')
            ++depth;
        else if ((c == ')' || c == '>' || c == ']' || c == '}') && depth > 0)
            --depth;
        else if (depth == 0 && c == ' ')
            lastSpace = i;
    }
    if (lastSpace != std::string::npos && lastSpace + 1 < stop) {
        s.erase(0, lastSpace + 1);
        stop -= lastSpace + 1;
    }
    size_t split = std::string::npos;
    depth = 0;
    for (size_t i = 0; i + 1 < stop; ++i) {
        const char c = s[i];
        if (c == '(' || c == '<' || c == '[' || c == '{')
            ++depth;
        else if ((c == ')' || c == '>' || c == ']' || c == '}') && depth > 0)
            --depth;
        else if (depth == 0 && c == ':' && s[i + 1] == ':')
            split = i++;
    }
    if (split == std::string::npos) {
        className.clear();
        procedureName = s;
    } else {
        className = s.substr(0, split);
        procedureName = s.substr(split + 2);
    }
}
