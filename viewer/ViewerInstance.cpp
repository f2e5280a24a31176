#include "viewer/ViewerInstance.h"

#include "framework/SysUtils.h"

std::string ReplaceChar(const std::string& text, char from, char to) {
    std::string r = text;
    for (char& c : r)
        if (c == from) c = to;
    return r;
}

std::string InstanceName(const std::string& programPath) { return "One instance of " + ReplaceChar(programPath, '\\', '.'); }

int32_t ContextFromArguments(const std::vector<std::string>& args) {
    return args.size() == 1 ? StrToInt(args[0]) : 0;
}
