#include "editor/unicode/UvxCommandLine.h"

std::u16string NextWideParam(const std::u16string& commandLine, size_t& pos) {
    const std::u16string& s = commandLine;
    size_t n = s.size();
    for (;;) {
        while (pos < n && s[pos] >= 1 && s[pos] <= 32) ++pos;
        if (pos + 1 < n && s[pos] == u'"' && s[pos + 1] == u'"') {
            pos += 2;
            continue;
        }
        break;
    }
    std::u16string arg;
    while (pos < n && s[pos] > 32) {
        if (s[pos] == u'"') {
            ++pos;
            while (pos < n && s[pos] != u'"') arg += s[pos++];
            if (pos < n) ++pos;
        } else {
            arg += s[pos++];
        }
    }
    return arg;
}

int WideParamCountOf(const std::u16string& commandLine) {
    size_t pos = 0;
    NextWideParam(commandLine, pos);
    int count = 0;
    while (!NextWideParam(commandLine, pos).empty()) ++count;
    return count;
}

std::u16string WideParamStrOf(const std::u16string& commandLine, int index) {
    if (index < 0) return {};
    size_t pos = 0;
    std::u16string arg;
    for (int i = 0; i <= index; ++i) {
        arg = NextWideParam(commandLine, pos);
        if (arg.empty()) break;
    }
    return arg;
}
