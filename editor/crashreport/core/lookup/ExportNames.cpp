#include "editor/crashreport/core/lookup/ExportNames.h"

#include <vector>

namespace {

std::vector<std::string> SplitAtDots(const std::string& s)
{
    std::vector<std::string> parts(1);
    for (char c : s) {
        if (c == '.')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

void UnderscoreForAt(std::string& procedure)
{
    if (!procedure.empty() && procedure[0] == '@')
        procedure[0] = '_';
}

TZorvikDebugDetail FromParts(const std::vector<std::string>& parts, TZorvikDebugInfo& info)
{
    if (parts.size() == 2) {
        info.UnitName = parts[0] + UnitSourceExtension;
        info.ClassName.clear();
        info.ProcedureName = parts[1];
    } else if (parts.size() == 3) {
        info.UnitName = parts[0] + UnitSourceExtension;
        info.ClassName = parts[1];
        info.ProcedureName = parts[2];
    } else {
        return ddModule;
    }
    UnderscoreForAt(info.ProcedureName);
    return ddUnitAndProcedure;
}

}  // namespace

TZorvikDebugDetail ReadExportName(const std::string& n, TZorvikDebugInfo& info)
{
    if (n.size() > 1 && n[0] == '@' && n[1] != '$' && n.find('$') != std::string::npos) {
        std::string s = n.substr(0, n.find('$'));
        if (!s.empty() && s.back() == '@')
            s.pop_back();
        s.erase(0, 1);
        std::string dotted;
        for (size_t i = 0; i < s.size(); ++i) {
            if (s[i] != '@') {
                dotted += s[i];
            } else if (i + 1 < s.size() && s[i + 1] == '@') {
                dotted += "._";  // in "@@" the second "@" is a name's own
                ++i;
            } else {
                dotted += '.';
            }
        }
        return FromParts(SplitAtDots(dotted), info);
    }
    if (!n.empty() && n[0] != '@' && n.find('.') != std::string::npos)
        return FromParts(SplitAtDots(n.substr(0, n.find('@'))), info);
    if (!n.empty() && n[0] != '?') {
        info.ProcedureName = n;
        UnderscoreForAt(info.ProcedureName);
        return ddProcedure;
    }
    return ddModule;
}
