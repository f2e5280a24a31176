#pragma once
// The run-time library's per-thread record of the exception in flight: the
// class name of the exception object and one value beside it. The
// component notes an exception there so that the library's own handling of
// it reads the class it expects.
#include <cstdint>
#include <string>

struct TRuntimeExceptionInfo {
    // The class name as a length-prefixed text of at most 64 characters.
    unsigned char ClassName[65] = {};
    uintptr_t Value = 0;
};

// The calling thread's record.
TRuntimeExceptionInfo& RuntimeExceptionInfo();
// The record's class name as a string.
std::string RuntimeExceptionClassName(const TRuntimeExceptionInfo& info);

// Writes the object's class name (SafeClassName, cut to 64 characters) and
// the value into the calling thread's record.
void NoteRuntimeExceptionClass(const void* object, uintptr_t value);
