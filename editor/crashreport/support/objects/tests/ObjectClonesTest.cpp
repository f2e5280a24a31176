#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>

#include "editor/crashreport/support/objects/ObjectClones.h"
#include "editor/crashreport/support/objects/RuntimeExceptionInfo.h"
#include "framework/Exceptions.h"

namespace {

struct Mixin {
    virtual ~Mixin() = default;
};
// The standard exception is the second base: its part lies after the first.
class EMixedError : public Mixin, public std::runtime_error {
public:
    EMixedError() : std::runtime_error("from the second base") {}
};

class EAClassWhoseNameIsLongerThanSixtyFourCharactersAndSoIsCutWhenNoted : public Exception {
public:
    using Exception::Exception;
};

// The exception of a handler that has ended: its object is gone unless
// something keeps it.
std::exception_ptr Caught(void (*raise)())
{
    try {
        raise();
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

} // namespace

TEST(ObjectClones, AnExceptionOutlivesItsHandler)
{
    TObjectClone* clone = CloneObjectMemory(Caught([] { throw EConvertError("'x' is not a number"); }));
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->ClassName, "EConvertError");
    EXPECT_EQ(clone->Message, "'x' is not a number");
    // The object itself is still there, with its class.
    try {
        std::rethrow_exception(clone->Object);
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'x' is not a number");
    }
    FreeObjectClone(clone);
    EXPECT_EQ(clone, nullptr);
    FreeObjectClone(clone);  // a cleared reference is left alone
}

TEST(ObjectClones, NamesAndMessagesOfEveryKindOfThrownValue)
{
    const struct {
        void (*raise)();
        const char* className;
        const char* message;
    } cases[] = {
        {[] { throw std::out_of_range("index 7"); }, "out_of_range", "index 7"},
        {[] { throw EMixedError(); }, "EMixedError", "from the second base"},
        {[] { throw 42; }, "int", ""},
        {[] { throw 2.5; }, "double", ""},
    };
    for (const auto& c : cases) {
        TObjectClone* clone = CloneObjectMemory(Caught(c.raise));
        ASSERT_NE(clone, nullptr) << c.className;
        EXPECT_EQ(clone->ClassName, c.className);
        EXPECT_EQ(clone->Message, c.message) << c.className;
        FreeObjectClone(clone);
    }
    EXPECT_EQ(CloneObjectMemory(std::exception_ptr()), nullptr);
}

TEST(ObjectClones, ABarePointerGivesCopiesOnlyOfAValidObject)
{
    TObjectClone* clone = nullptr;
    {
        EMixedError mixed;
        Mixin* part = &mixed;
        clone = CloneObjectMemory(static_cast<const void*>(part));
    }
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->ClassName, "EMixedError");
    EXPECT_EQ(clone->Message, "from the second base");
    EXPECT_FALSE(clone->Object);
    FreeObjectClone(clone);

    const std::string text = "a string, not an object";
    EXPECT_EQ(CloneObjectMemory(static_cast<const void*>(text.c_str())), nullptr);
    EXPECT_EQ(CloneObjectMemory(static_cast<const void*>(nullptr)), nullptr);
}

TEST(RuntimeExceptionInfo, TheClassIsNotedForTheCallingThreadOnly)
{
    EAbort abort("a");
    NoteRuntimeExceptionClass(&abort, 0x1234);
    EXPECT_EQ(RuntimeExceptionClassName(RuntimeExceptionInfo()), "EAbort");
    EXPECT_EQ(RuntimeExceptionInfo().Value, 0x1234u);
    std::string other = "unset";
    std::thread([&] { other = RuntimeExceptionClassName(RuntimeExceptionInfo()); }).join();
    EXPECT_EQ(other, "");

    EAClassWhoseNameIsLongerThanSixtyFourCharactersAndSoIsCutWhenNoted longName("l");
    NoteRuntimeExceptionClass(&longName, 1);
    EXPECT_EQ(RuntimeExceptionClassName(RuntimeExceptionInfo()),
              std::string("EAClassWhoseNameIsLongerThanSixtyFourCharactersAndSoIsCutWhenNoted").substr(0, 64));
    // Not an object: no name.
    const char* text = "not an object";
    NoteRuntimeExceptionClass(text, 2);
    EXPECT_EQ(RuntimeExceptionClassName(RuntimeExceptionInfo()), "");
    EXPECT_EQ(RuntimeExceptionInfo().Value, 2u);
}
