#include "editor/crashreport/support/system/DevelopmentEnvironment.h"

const char* const DefaultRADProductKey = "Tessaly Studio";

namespace {
const char* const RADVersion = "1.0";
}  // namespace

std::string RADRegistryKeyFor(bool insideIDE, const std::vector<std::string>& arguments)
{
    std::string product = DefaultRADProductKey;
    if (insideIDE) {
        for (size_t i = 0; i < arguments.size(); ++i) {
            const std::string& a = arguments[i];
            if (a.size() < 2 || a[0] != '-' || (a[1] != 'R' && a[1] != 'r'))
                continue;
            const std::string rest = a.size() > 2 ? a.substr(2) : (i + 1 < arguments.size() ? arguments[i + 1] : "");
            if (!rest.empty())
                product = rest;
            break;
        }
    }
    return "\\Software\\" + product + "\\" + RADVersion;
}
