#include "editor/crashreport/support/objects/RuntimeExceptionInfo.h"

#include <cstring>

#include "editor/crashreport/support/objects/ObjectTests.h"

TRuntimeExceptionInfo& RuntimeExceptionInfo()
{
    static thread_local TRuntimeExceptionInfo info;
    return info;
}

std::string RuntimeExceptionClassName(const TRuntimeExceptionInfo& info)
{
    return std::string(reinterpret_cast<const char*>(info.ClassName + 1), info.ClassName[0]);
}

void NoteRuntimeExceptionClass(const void* object, uintptr_t value)
{
    std::string name = SafeClassName(object);
    if (name.size() > 64)
        name.resize(64);
    TRuntimeExceptionInfo& info = RuntimeExceptionInfo();
    info.ClassName[0] = static_cast<unsigned char>(name.size());
    std::memcpy(info.ClassName + 1, name.data(), name.size());
    info.Value = value;
}
