#pragma once
// The guarded wrapper in which every own step of the crash-report component
// runs: a failing step is reported through Ecore::CriticalError under its section
// name instead of escaping into the program it is meant to watch.
#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>

#include "framework/Exceptions.h"

// The internal-error reporter; empty until the core installs its own. It
// lives in the namespace of its unit: <windows.h> has an enumerator of the
// same name at global scope, and a unit may need both.
namespace Ecore {
extern std::function<void(const std::string&)> CriticalError;
}

// Errors SafeExec lets pass unchanged (EIgnoreException): a test on the
// error; empty means none. Set it with IgnoreExceptionsOf<E>().
extern std::function<bool(const Exception&)> EIgnoreException;

template <class E>
void IgnoreExceptionsOf()
{
    EIgnoreException = [](const Exception& e) { return dynamic_cast<const E*>(&e) != nullptr; };
}

// Runs proc(data) guarded; the report names the step by proc's address.
void SafeExecAt(void (*proc)(void*), void* data, const char* sectionName);

namespace safe_exec_detail {
template <class F>
void Invoke(void* f) { (*static_cast<F*>(f))(); }
}

// Runs a callable guarded. The reported address is that of the step's own
// trampoline, which the map file resolves to the callable's type.
template <class F>
void SafeExec(F&& step, const char* sectionName)
{
    using Step = std::remove_reference_t<F>;
    SafeExecAt(&safe_exec_detail::Invoke<Step>, const_cast<void*>(static_cast<const void*>(&step)), sectionName);
}

// The text Ecore::CriticalError receives: "<section> (Address: XXXXXXXX)".
std::string CriticalErrorText(const char* sectionName, uintptr_t address);

// A nesting counter for the start and end of a unit: only the first start and
// the last end do work; both run guarded under "<unit>.Init" / "<unit>.Done".
class TUnitLifetime {
public:
    explicit TUnitLifetime(std::string unitName) : FName(std::move(unitName)) {}
    // Runs `init` guarded when this is the first start; true if it ran.
    bool Start(const std::function<void()>& init);
    // Runs `done` guarded when this ends the last start; true if it ran.
    bool Finish(const std::function<void()>& done);
    int Count() const { return FCount; }
private:
    std::string FName;
    int FCount = 0;
};
