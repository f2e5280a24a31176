#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/crashreport/support/system/DevelopmentEnvironment.h"

// Inside the environment "-R" names the product key; outside the arguments
// are not read.
TEST(DevelopmentEnvironment, RegistryKeyAndItsProductKey)
{
    const std::string standard = "\\Software\\" + std::string(DefaultRADProductKey) + "\\1.0";
    struct Case {
        bool inside;
        std::vector<std::string> arguments;
        std::string key;
    };
    const Case cases[] = {
        {false, {}, standard},
        {true, {}, standard},
        {false, {"-RMyStudio"}, standard},
        {true, {"project.dpr", "-RMyStudio"}, "\\Software\\MyStudio\\1.0"},
        {true, {"-r", "Other Studio", "-RLater"}, "\\Software\\Other Studio\\1.0"},
        {true, {"-R"}, standard},
        {true, {"-S", "R", "/RNotThis"}, standard},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        EXPECT_EQ(RADRegistryKeyFor(c.inside, c.arguments), c.key);
    }
}
