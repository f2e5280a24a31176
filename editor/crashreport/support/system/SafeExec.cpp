#include "editor/crashreport/support/system/SafeExec.h"

#include <cstdio>
#include <new>

namespace Ecore {
std::function<void(const std::string&)> CriticalError;
}
std::function<bool(const Exception&)> EIgnoreException;

std::string CriticalErrorText(const char* sectionName, uintptr_t address)
{
    char hex[32];
    std::snprintf(hex, sizeof hex, "%08llX", static_cast<unsigned long long>(address));
    return std::string(sectionName) + " (Address: " + hex + ")";
}

namespace {

[[noreturn]] void Report(void (*proc)(void*), const char* sectionName, const std::string& message)
{
    if (Ecore::CriticalError) {
        // Copied first: the reporter may itself be replaced while it runs.
        auto reporter = Ecore::CriticalError;
        reporter(CriticalErrorText(sectionName, reinterpret_cast<uintptr_t>(proc)));
        throw EAbort("Operation aborted");
    }
    throw Exception(std::string("Critical error at: \"") + sectionName + "\"\r\nError: \"" + message + "\".");
}

} // namespace

void SafeExecAt(void (*proc)(void*), void* data, const char* sectionName)
{
    try {
        proc(data);
    } catch (const Exception& e) {
        if (EIgnoreException && EIgnoreException(e))
            throw;
        Report(proc, sectionName, e.Message);
    } catch (const std::bad_alloc&) {
        // Memory exhaustion is the framework's own out-of-memory error.
        Report(proc, sectionName, OutOfMemoryMessage());
    } catch (const std::exception&) {
        Report(proc, sectionName, "General internal error.");
    }
    // Anything else (not a class of the library at all) passes unchanged.
}

bool TUnitLifetime::Start(const std::function<void()>& init)
{
    if (FCount++ > 0)
        return false;
    SafeExec(init, (FName + ".Init").c_str());
    return true;
}

bool TUnitLifetime::Finish(const std::function<void()>& done)
{
    if (FCount == 0 || --FCount > 0)
        return false;
    SafeExec(done, (FName + ".Done").c_str());
    return true;
}
