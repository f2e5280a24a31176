#include "editor/crashreport/core/report/FilterMatching.h"

#include <functional>

#include "editor/crashreport/support/objects/ObjectTests.h"
#include "editor/crashreport/support/options/ModuleOptions.h"

namespace {

bool TypeFits(TFilterExceptionType type, bool handled)
{
    switch (type) {
    case fetAll: return true;
    case fetHandled: return handled;
    case fetUnhandled: return !handled;
    }
    return false;
}

int FirstMatch(const TZorvikModuleOptions& options, bool handled, bool activeX,
               const std::function<bool(const std::string&)>& namesClass)
{
    const TZorvikExceptionsFilters* filters = options.ExceptionsFilters();
    if (filters == nullptr)
        return -1;
    for (int i = 0; i < filters->Count(); ++i) {
        const TZorvikExceptionFilter* filter = filters->GetItem(i);
        if (filter == nullptr || !filter->Active)
            continue;
        if (!activeX && !TypeFits(filter->ExceptionType, handled))
            continue;
        if (namesClass(filter->ExceptionClassName))
            return i;
    }
    return -1;
}

}  // namespace

int FindExceptionFilter(const TZorvikModuleOptions& options, const TFilteredException& exception)
{
    return FirstMatch(options, exception.Handled, exception.ActiveX, [&](const std::string& name) {
        return FilterNamesClass(name, exception.ClassChain);
    });
}

int FindExceptionFilter(const TZorvikModuleOptions& options, const void* exceptionObject, bool handled)
{
    if (exceptionObject == nullptr)
        return -1;
    return FirstMatch(options, handled, false,
                      [&](const std::string& name) { return ObjectDescendsFromName(exceptionObject, name); });
}
