#include <gtest/gtest.h>

#include "editor/crashreport/support/system/EnvVariables.h"

TEST(EnvVariables, ReferencesExpandAndStrayPercentsStay)
{
    auto lookup = [](const std::string& name) -> std::string {
        if (name == "TIME") return "12:00:00";
        if (name == "LOOP") return "%TIME%";
        return "";
    };
    EXPECT_EQ(ExpandEnvVars("%TIME% and 100%", lookup), "12:00:00 and 100%");
    EXPECT_EQ(ExpandEnvVars("%LOOP%", lookup), "%TIME%");  // values are not expanded again
    EXPECT_EQ(ExpandEnvVars("[%UNKNOWN%]", lookup), "[]");
    EXPECT_EQ(ExpandEnvVars("%a b% %%", lookup), "%a b% ");
    EXPECT_EQ(ExpandEnvVars("50% %TIME%", lookup), "50% 12:00:00");
}

TEST(EnvVariables, TheProcessEnvironmentAndItsStandIns)
{
    EXPECT_FALSE(GetEnvVariable("PATH").empty());
    EXPECT_FALSE(GetEnvVariable("date").empty());
    EXPECT_FALSE(GetEnvVariable("TIME").empty());
    EXPECT_FALSE(GetEnvVariable("Cd").empty());
    EXPECT_EQ(GetEnvVariable("TQ_SURELY_NOT_DEFINED"), "");
    EXPECT_EQ(ExpandEnvVars("<%TQ_SURELY_NOT_DEFINED%>"), "<>");
    EXPECT_EQ(ExpandEnvVars("%NO_SUCH_X%x"), "x");
}
