#include <gtest/gtest.h>

#include "editor/crashreport/core/capture/ModuleTexts.h"

namespace {

TEST(ModuleTexts, PrioritiesCountsSizesVersionsAndFolders)
{
    EXPECT_EQ(PriorityClassName(16384), "Below-Normal");
    EXPECT_EQ(PriorityClassName(32768), "Above-Normal");
    EXPECT_EQ(PriorityClassName(256), "Real-Time");
    EXPECT_EQ(PriorityClassName(33), "");
    const struct { int32_t base; uint32_t cls; } bases[] = {
        {0, 0}, {4, 64}, {6, 16384}, {8, 32}, {10, 32768}, {13, 128}, {23, 128}, {24, 256}};
    for (const auto& b : bases)
        EXPECT_EQ(PriorityClassFromBase(b.base), b.cls) << b.base;
    EXPECT_EQ(ThreadCountText(0), "??");
    EXPECT_EQ(ThreadCountText(12), "12");
    EXPECT_EQ(SizeText(0), "");
    EXPECT_EQ(SizeText(1536), "2 Kb");
    EXPECT_EQ(SizeText(1535), "1 Kb");
    EXPECT_EQ(ShortVersionText("6.0.20"), "6.0.x");
    EXPECT_EQ(ShortVersionText("10.0.19041.1"), "10.0.x");
    EXPECT_EQ(ShortVersionText("6.1"), "6.1");
    EXPECT_EQ(ModuleFolder("C:\\Windows\\system32\\kernel32.dll"), "C:\\Windows\\system32");
    EXPECT_EQ(ModuleFolder("C:\\Tessaly.exe"), "C:\\");
    EXPECT_EQ(ModuleFolder("\\??\\C:\\Apps\\x.dll"), "C:\\Apps");
}

}  // namespace
