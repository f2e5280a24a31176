#pragma once
// Which of the options' exception filters applies to an exception: the first
// active one, in list order, whose type and class fit.
#include <string>
#include <vector>

class TZorvikModuleOptions;

// The exception as the filters see it: its class followed by its ancestors
// (or, for an exception a COM server raised, the class names it carries),
// and whether the program handles it.
struct TFilteredException {
    std::vector<std::string> ClassChain;
    bool Handled = false;
    // The exception came from a COM server: only its class names count, not
    // the filters' exception types.
    bool ActiveX = false;
};

// The index of the first matching filter; -1 when none matches.
int FindExceptionFilter(const TZorvikModuleOptions& options, const TFilteredException& exception);
// The same for an exception object, whose class and ancestors are tested by
// name (the object is tested before use: a bad pointer matches nothing).
int FindExceptionFilter(const TZorvikModuleOptions& options, const void* exceptionObject, bool handled);
