#include "editor/crashreport/support/objects/ObjectClones.h"

#include <cxxabi.h>

#include <cstdlib>
#include <new>
#include <typeinfo>

#include "editor/crashreport/support/objects/ObjectTests.h"

namespace {

// The standard exception inside a valid object, through the same test the
// run-time library makes when a handler catches std::exception.
const std::exception* AsStandardException(const void* object)
{
    TClassRef cls = SafeClassOf(object);
    if (cls == nullptr)
        return nullptr;
    void* adjusted = const_cast<void*>(object);
    if (!typeid(std::exception).__do_catch(cls, &adjusted, 1))
        return nullptr;
    return static_cast<const std::exception*>(adjusted);
}

// "St9exception" -> "std::exception", for classes outside our own names.
std::string Demangled(const char* mangled)
{
    int status = 0;
    char* plain = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string name = status == 0 && plain != nullptr ? plain : mangled;
    std::free(plain);
    return name;
}

} // namespace

TObjectClone* CloneObjectMemory(const std::exception_ptr& exception)
{
    if (!exception)
        return nullptr;
    auto* clone = new (std::nothrow) TObjectClone;
    if (clone == nullptr)
        return nullptr;
    clone->Object = exception;
    try {
        std::rethrow_exception(exception);
    } catch (const std::exception& e) {
        clone->ClassName = SafeClassName(&e);
        if (clone->ClassName.empty())
            clone->ClassName = Demangled(typeid(e).name());
        clone->Message = e.what();
    } catch (...) {
        // Not a class of the library's tree: the type of the thrown value.
        if (const std::type_info* type = abi::__cxa_current_exception_type())
            clone->ClassName = Demangled(type->name());
    }
    return clone;
}

TObjectClone* CloneObjectMemory(const void* object)
{
    if (object == nullptr || !ObjectReferenceValid(object))
        return nullptr;
    auto* clone = new (std::nothrow) TObjectClone;
    if (clone == nullptr)
        return nullptr;
    clone->ClassName = SafeClassName(object);
    if (const std::exception* e = AsStandardException(object))
        clone->Message = e->what();
    return clone;
}

void FreeObjectClone(TObjectClone*& clone)
{
    delete clone;
    clone = nullptr;
}
