#include <gtest/gtest.h>

#include "editor/crashreport/support/objects/EventProperties.h"
#include "framework/Classes.h"
#include "framework/TypeInfo.h"

namespace {
class TWithEvent : public TPersistent {
public:
    std::string OnClick = "FormClick";
    std::string Caption = "c";
    const TClassInfo* ClassInfo() const override
    {
        static const TClassInfo info{"TWithEvent", nullptr,
                                     {published::Event<TWithEvent>("OnClick", &TWithEvent::OnClick),
                                      published::String<TWithEvent>("Caption", &TWithEvent::Caption)}};
        return &info;
    }
};
} // namespace

TEST(EventProperties, TheHandlerIsReplacedAndTheOldOneKept)
{
    TWithEvent object;
    std::string old = "untouched";
    EXPECT_TRUE(ReplaceMethodProperty(object, "onclick", "ZorvikClick", old));
    EXPECT_EQ(old, "FormClick");
    EXPECT_EQ(object.OnClick, "ZorvikClick");

    // Already ours: the kept handler is not overwritten by our own.
    EXPECT_FALSE(ReplaceMethodProperty(object, "OnClick", "ZorvikClick", old));
    EXPECT_EQ(old, "FormClick");

    // Not an event, or no such property: nothing changes.
    EXPECT_FALSE(ReplaceMethodProperty(object, "Caption", "x", old));
    EXPECT_FALSE(ReplaceMethodProperty(object, "OnMissing", "x", old));
    EXPECT_EQ(object.Caption, "c");
    TPersistent plain;
    EXPECT_FALSE(ReplaceMethodProperty(plain, "OnClick", "x", old));
    EXPECT_EQ(old, "FormClick");
}
