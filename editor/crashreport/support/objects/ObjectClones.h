#pragma once
// Keeping an exception object for a report that outlives the object: the
// run-time library frees a thrown object once its handler ends, while the
// report is still being built and shown.
#include <exception>
#include <string>

// What a clone keeps: the object itself while it is held through an
// exception pointer, and in any case a copy of its class name and message.
struct TObjectClone {
    std::exception_ptr Object;   // null when cloned from a bare pointer
    std::string ClassName;       // as SafeClassName gives it
    std::string Message;         // what() of a standard exception, else ""
};

// Null for a null pointer. The exception pointer keeps the object alive for
// as long as the clone lives; the name and message are copied as well.
TObjectClone* CloneObjectMemory(const std::exception_ptr& exception);
// Null for null or for a pointer that is not a valid object; else copies of
// the object's class name and, for a standard exception, its message.
TObjectClone* CloneObjectMemory(const void* object);
// Frees a clone and clears the reference; a null reference is left alone.
void FreeObjectClone(TObjectClone*& clone);
