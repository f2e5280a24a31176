#include <gtest/gtest.h>

#include <stdexcept>

#include "editor/crashreport/core/report/FilterMatching.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "framework/Exceptions.h"

namespace {

TZorvikExceptionFilter Filter(const std::string& className, bool active = true, TFilterExceptionType type = fetAll)
{
    TZorvikExceptionFilter f;
    f.Active = active;
    f.ExceptionClassName = className;
    f.ExceptionType = type;
    return f;
}

using Chain = std::vector<std::string>;
const Chain ConvertError = {"EConvertError", "Exception", "exception"};
const Chain RuntimeError = {"runtime_error", "exception"};

TEST(FilterMatching, FirstActiveFittingFilterInListOrder)
{
    struct Case {
        const char* What;
        std::vector<TZorvikExceptionFilter> Filters;
        Chain Classes;
        bool Handled;
        int Expected;
    } cases[] = {
        {"lower index wins", {Filter("Exception"), Filter("EConvertError")}, ConvertError, false, 0},
        {"ancestor or class", {Filter("EAbort"), Filter("EConvertError"), Filter("Exception")}, ConvertError, false, 1},
        {"inactive skipped", {Filter("EConvertError", false), Filter("Exception")}, ConvertError, false, 1},
        {"only inactive", {Filter("EConvertError", false)}, ConvertError, false, -1},
        {"blanks and case", {Filter(" exception ")}, ConvertError, false, 0},
        {"every framework exception", {Filter(" exception ")}, RuntimeError, true, 0},
        {"handled only, unhandled", {Filter("Exception", true, fetHandled)}, ConvertError, false, -1},
        {"handled only, handled", {Filter("Exception", true, fetHandled)}, ConvertError, true, 0},
        {"unhandled only, handled", {Filter("Exception", true, fetUnhandled), Filter("EConvertError")}, ConvertError, true, 1},
        {"unhandled only, unhandled", {Filter("Exception", true, fetUnhandled)}, ConvertError, false, 0},
        {"empty name", {Filter("")}, ConvertError, false, -1},
        {"no filters", {}, ConvertError, false, -1},
    };
    for (const Case& c : cases) {
        TZorvikModuleOptions options("Tessaly.exe");
        for (const auto& f : c.Filters)
            options.ExceptionsFilters()->Add(f);
        EXPECT_EQ(FindExceptionFilter(options, TFilteredException{c.Classes, c.Handled, false}), c.Expected) << c.What;
    }
}

// An exception of a COM server is matched by the class names it carries;
// the filters' exception types do not apply to it.
TEST(FilterMatching, ComServerExceptionsMatchByTheirClassNamesAlone)
{
    TZorvikModuleOptions options("Tessaly.exe");
    options.ExceptionsFilters()->Add(Filter("EOleServerError", true, fetHandled));
    options.ExceptionsFilters()->Add(Filter("EOleError"));
    EXPECT_EQ(FindExceptionFilter(options, TFilteredException{{"EOleServerError"}, false, true}), 0);
    EXPECT_EQ(FindExceptionFilter(options, TFilteredException{{"EOleSysError", "EOleError"}, false, true}), 1);
    EXPECT_EQ(FindExceptionFilter(options, TFilteredException{{"EOther"}, false, true}), -1);
}

TEST(FilterMatching, ExceptionObjectsAreMatchedByTheirClassAndAncestors)
{
    TZorvikModuleOptions options("Tessaly.exe");
    options.ExceptionsFilters()->Add(Filter("EReadError"));
    options.ExceptionsFilters()->Add(Filter("EStreamError", true, fetUnhandled));
    options.ExceptionsFilters()->Add(Filter(" exception "));
    const EReadError read("read");
    const EWriteError write("write");
    const EConvertError convert("convert");
    const std::runtime_error runtime("runtime");
    EXPECT_EQ(FindExceptionFilter(options, &read, true), 0);
    EXPECT_EQ(FindExceptionFilter(options, &write, false), 1);
    EXPECT_EQ(FindExceptionFilter(options, &write, true), 2);
    EXPECT_EQ(FindExceptionFilter(options, &convert, true), 2);
    EXPECT_EQ(FindExceptionFilter(options, &runtime, false), 2);
    EXPECT_EQ(FindExceptionFilter(options, static_cast<const void*>(nullptr), false), -1);
}

}  // namespace
