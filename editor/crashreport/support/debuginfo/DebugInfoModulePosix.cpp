#include <map>
#include <mutex>

#include "editor/crashreport/support/debuginfo/DebugInfoSource.h"

// Without a loader, module handles get their file names from the tests.
namespace {
std::mutex namesLock;
std::map<uintptr_t, std::string>& Names()
{
    static std::map<uintptr_t, std::string> names;
    return names;
}
}  // namespace

std::string DebugModuleFileName(uintptr_t module)
{
    std::lock_guard<std::mutex> lock(namesLock);
    const auto it = Names().find(module);
    return it == Names().end() ? std::string() : it->second;
}

namespace zorvik_testing {
void SetDebugModuleFileName(uintptr_t module, const std::string& fileName)
{
    std::lock_guard<std::mutex> lock(namesLock);
    Names()[module] = fileName;
}
}  // namespace zorvik_testing
