#pragma once
// Tests of objects and classes the crash-report component cannot trust: an
// exception may carry a dangling or foreign pointer. Nothing here faults on
// a garbage pointer; classes are compared by name, so a class of another
// module (with a run-time library of its own) matches ours of the same name.
//
// A class reference is the run-time type record of a polymorphic class
// (&typeid(T)); an object is a pointer to a polymorphic object, whose first
// word leads through its virtual table to that record.
#include <initializer_list>
#include <string>
#include <typeinfo>

using TClassRef = const std::type_info*;

// The record is readable, is one of the library's class-type records and
// carries a readable, printable name.
bool ClassReferenceValid(TClassRef classRef);
// The object's table and class record are readable and valid.
bool ObjectReferenceValid(const void* object);
// The object's class, or null when the object does not pass the test.
TClassRef SafeClassOf(const void* object);

// The class's name as the source writes it ("EAbort"); "" when invalid.
std::string SafeClassNameOf(TClassRef classRef);
// The object's class name; "" when the object is not valid.
std::string SafeClassName(const void* object);

// True when the class or one of its ancestors is called `name` (trimmed,
// compared without case). The walk stops at the first invalid record.
bool ClassDescendsFromName(TClassRef classRef, const std::string& name);
bool ObjectDescendsFromName(const void* object, const std::string& name);
bool ObjectDescendsFromClass(const void* object, TClassRef classRef);
bool ObjectDescendsFromAny(const void* object, std::initializer_list<TClassRef> classRefs);

// The same walks for pointers already known to be good: no tests at all.
bool ClassDescendsFromNameUnchecked(TClassRef classRef, const std::string& name);
bool ObjectDescendsFromNameUnchecked(const void* object, const std::string& name);

// A valid object that is not (and does not descend from) EAbort: the silent
// abort is never reported.
bool ExceptionObjectReportable(const void* object);
