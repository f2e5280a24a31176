#include <gtest/gtest.h>

#include "editor/crashreport/support/options/ExceptionFilters.h"
#include "editor/crashreport/support/options/tests/OptionsTestSupport.h"
#include "framework/Exceptions.h"

namespace {

using Chain = std::vector<std::string>;
const Chain kConvertError = {"EConvertError", "Exception", "TObject"};

TZorvikExceptionFilter Filter(const std::string& className, bool active = true, TFilterExceptionType type = fetAll,
                              const std::string& message = "")
{
    TZorvikExceptionFilter f;
    f.Active = active;
    f.ExceptionClassName = className;
    f.ExceptionMessage = message;
    f.ExceptionType = type;
    return f;
}

class ExceptionFilters : public FakeModules {};

TEST_F(ExceptionFilters, ListChangesKeepOrderAndEachPublishesOnce)
{
    CountingOptions options;
    TZorvikExceptionsFilters& list = *options.ExceptionsFilters();
    EXPECT_EQ(list.Owner(), &options);
    EXPECT_EQ(list.Add(Filter("EA")), 0);
    EXPECT_EQ(list.Add(Filter("EC")), 1);
    list.Insert(1, Filter("EB"));
    EXPECT_EQ(options.Stores, 3);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetItem(0)->ExceptionClassName, "EA");
    EXPECT_EQ(list.GetItem(1)->ExceptionClassName, "EB");
    EXPECT_EQ(list.GetItem(2)->ExceptionClassName, "EC");

    list.Delete(0);
    EXPECT_EQ(options.Stores, 4);
    EXPECT_EQ(list.GetItem(0)->ExceptionClassName, "EB");
    EXPECT_THROW(list.Delete(5), EListError);
    EXPECT_EQ(list.Count(), 2);

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(options.Stores, 5);
}

TEST_F(ExceptionFilters, FiltersOfAnotherModuleOrHeldPublishingPublishNothing)
{
    CountingOptions other("other.dll");
    other.ExceptionsFilters()->Add(Filter("EA"));
    EXPECT_EQ(other.Stores, 0);

    CountingOptions self;
    self.DisableSharedDataWrite();
    self.ExceptionsFilters()->Add(Filter("EA"));
    self.ExceptionsFilters()->Clear();
    EXPECT_EQ(self.Stores, 0);
    self.EnableSharedDataWrite();
    self.ExceptionsFilters()->Add(Filter("EA"));
    EXPECT_EQ(self.Stores, 1);
}

TEST_F(ExceptionFilters, AssignCopiesEveryFieldInOrder)
{
    CountingOptions a, b;
    TZorvikExceptionsFilters& source = *a.ExceptionsFilters();
    source.Add({false, "EFirst", "one", fetHandled, fdtMSClassic, fhtRTL, fatTerminate});
    source.Add({true, "ESecond", "", fetUnhandled, fdtZorvikLog, fhtNone, fatRestart});
    TZorvikExceptionsFilters& target = *b.ExceptionsFilters();
    target.Add(Filter("EOld"));
    target.Assign(source);
    ASSERT_EQ(target.Count(), 2);
    EXPECT_EQ(*target.GetItem(0), *source.GetItem(0));
    EXPECT_EQ(*target.GetItem(1), *source.GetItem(1));
    EXPECT_NE(target.GetItem(0), source.GetItem(0));  // records of its own

    CountingOptions empty;
    target.Assign(*empty.ExceptionsFilters());
    EXPECT_EQ(target.Count(), 0);
}

TEST_F(ExceptionFilters, FirstActiveMatchingFilterWins)
{
    CountingOptions options;
    TZorvikExceptionsFilters& list = *options.ExceptionsFilters();
    list.Add(Filter("EConvertError", false));                    // 0: inactive, skipped
    list.Add(Filter("EAbort"));                                   // 1: another class
    list.Add(Filter("EConvertError", true, fetAll, "second"));    // 2: wins
    list.Add(Filter("EConvertError", true, fetAll, "third"));     // 3: too late
    EXPECT_EQ(list.FindMatch(kConvertError, false), 2);
    EXPECT_EQ(list.FindMatch({"EAbort", "Exception"}, true), 1);
    EXPECT_EQ(list.FindMatch({"EReadError", "EStreamError", "Exception"}, false), -1);
}

TEST_F(ExceptionFilters, HandledAndUnhandledTypesMatchOnlyTheirKind)
{
    CountingOptions options;
    TZorvikExceptionsFilters& list = *options.ExceptionsFilters();
    list.Add(Filter("Exception", true, fetHandled));
    list.Add(Filter("Exception", true, fetUnhandled));
    EXPECT_EQ(list.FindMatch(kConvertError, true), 0);
    EXPECT_EQ(list.FindMatch(kConvertError, false), 1);

    // A type no version writes matches nothing rather than everything.
    list.Clear();
    list.Add(Filter("Exception", true, static_cast<TFilterExceptionType>(9)));
    EXPECT_EQ(list.FindMatch(kConvertError, true), -1);
}

TEST(FilterClassNames, AncestorsMatchTrimmedAndCaseInsensitive)
{
    const struct {
        const char* filterName;
        bool matches;
    } cases[] = {
        {"EConvertError", true}, {"Exception", true}, {" exception ", true}, {"\tEXCEPTION", true},
        {"TObject", true},       {"EConvert", false}, {"", false},           {"   ", false},
        {"Exception2", false},
    };
    for (const auto& c : cases) EXPECT_EQ(FilterNamesClass(c.filterName, kConvertError), c.matches) << c.filterName;
}

TEST(FilterDialogTypes, MapToDialogKinds)
{
    EXPECT_EQ(FilterDialogType(fdtNone, edtZorvikLog), edtNone);
    EXPECT_EQ(FilterDialogType(fdtUnchanged, edtZorvikLog), edtZorvikLog);
    EXPECT_EQ(FilterDialogType(fdtMessageBox, edtNone), edtMessageBox);
    EXPECT_EQ(FilterDialogType(fdtMSClassic, edtNone), edtMSClassic);
    EXPECT_EQ(FilterDialogType(fdtZorvikLog, edtNone), edtZorvikLog);
}

}  // namespace
