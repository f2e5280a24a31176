#include <gtest/gtest.h>

#include "editor/crashreport/core/capture/FilterCache.h"

namespace {

TFilterDecision Decision(int32_t handlers)
{
    TFilterDecision d;
    d.FirstHandlerKind = 1;
    d.Handlers = handlers;
    d.RaiseKind = 2;
    d.Handled = handlers > 0;
    return d;
}

TEST(FilterCache, AHitNeedsAllThreeKeys)
{
    TFilterCache cache;
    TFilterDecision d;
    EXPECT_FALSE(cache.Lookup(0, 0, 0, d));
    cache.Store(0x10, 0x400, 0x900, Decision(3));
    ASSERT_TRUE(cache.Lookup(0x10, 0x400, 0x900, d));
    EXPECT_EQ(d.Handlers, 3);
    EXPECT_EQ(d.FirstHandlerKind, 1);
    EXPECT_EQ(d.RaiseKind, 2);
    EXPECT_TRUE(d.Handled);
    EXPECT_FALSE(cache.Lookup(0x11, 0x400, 0x900, d));
    EXPECT_FALSE(cache.Lookup(0x10, 0x401, 0x900, d));
    EXPECT_FALSE(cache.Lookup(0x10, 0x400, 0x901, d));
    // No object: class 0 is a key like any other.
    cache.Store(0, 0x400, 0x900, Decision(0));
    ASSERT_TRUE(cache.Lookup(0, 0x400, 0x900, d));
    EXPECT_FALSE(d.Handled);
}

TEST(FilterCache, TheEleventhDecisionPushesOutTheOldest)
{
    TFilterCache cache;
    for (int i = 1; i <= 11; ++i)
        cache.Store(static_cast<uintptr_t>(i), 0x400, 0x900, Decision(i));
    EXPECT_EQ(cache.Count(), 10u);
    TFilterDecision d;
    EXPECT_FALSE(cache.Lookup(1, 0x400, 0x900, d));
    for (int i = 2; i <= 11; ++i) {
        ASSERT_TRUE(cache.Lookup(static_cast<uintptr_t>(i), 0x400, 0x900, d)) << i;
        EXPECT_EQ(d.Handlers, i);
    }
    // The first of two equal records answers.
    cache.Store(5, 0x400, 0x900, Decision(99));
    ASSERT_TRUE(cache.Lookup(5, 0x400, 0x900, d));
    EXPECT_EQ(d.Handlers, 5);
    cache.Clear();
    EXPECT_EQ(cache.Count(), 0u);
    EXPECT_FALSE(cache.Lookup(11, 0x400, 0x900, d));
}

}  // namespace
