#include "editor/crashreport/support/system/EnvVariables.h"

namespace {
bool IsNameChar(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
} // namespace

std::string ExpandEnvVars(const std::string& text, const std::function<std::string(const std::string&)>& lookup)
{
    std::string result;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '%') {
            result += text[i++];
            continue;
        }
        size_t end = i + 1;
        while (end < text.size() && IsNameChar(text[end]))
            ++end;
        if (end < text.size() && text[end] == '%') {
            // Scanning goes on after the value: a value's own "%" is not expanded.
            result += lookup(text.substr(i + 1, end - i - 1));
            i = end + 1;
        } else {
            result += text[i++];
        }
    }
    return result;
}
