#include "editor/crashreport/support/debuginfo/DebugModuleNames.h"

#include <map>
#include <mutex>

#include "editor/crashreport/support/debuginfo/DebugInfoSource.h"

namespace {
std::mutex namesLock;
std::map<uintptr_t, std::string>& Names()
{
    static std::map<uintptr_t, std::string> names;
    return names;
}
}  // namespace

bool GivenDebugModuleFileName(uintptr_t module, std::string& fileName)
{
    std::lock_guard<std::mutex> lock(namesLock);
    const auto it = Names().find(module);
    if (it == Names().end())
        return false;
    fileName = it->second;
    return true;
}

namespace zorvik_testing {
void SetDebugModuleFileName(uintptr_t module, const std::string& fileName)
{
    std::lock_guard<std::mutex> lock(namesLock);
    Names()[module] = fileName;
}
}  // namespace zorvik_testing
