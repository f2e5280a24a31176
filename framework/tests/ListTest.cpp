#include <gtest/gtest.h>

#include "framework/Exceptions.h"
#include "framework/List.h"

TEST(List, GrowsInStepsAndKeepsOrder) {
    TList list;
    int values[100];
    std::vector<int> capacities;
    for (int i = 0; i < 100; ++i) {
        values[i] = i;
        list.Add(&values[i]);
        if (capacities.empty() || capacities.back() != list.Capacity()) capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
    EXPECT_EQ(list.IndexOf(&values[42]), 42);
    list.Move(0, 99);
    EXPECT_EQ(list.Last(), &values[0]);
    list.Exchange(0, 1);
    EXPECT_EQ(list.First(), &values[2]);
    EXPECT_EQ(list.Remove(&values[5]), 4);
    EXPECT_EQ(list.Extract(&values[5]), nullptr);
    list.Sort([](void* a, void* b) { return *static_cast<int*>(a) - *static_cast<int*>(b); });
    EXPECT_EQ(list[0], &values[0]);
    list.Put(1, nullptr);
    list.Insert(0, nullptr);
    list.Pack();
    EXPECT_EQ(list.Count(), 98);
    list.Clear();
    EXPECT_EQ(list.Capacity(), 0);
}

TEST(List, IndexErrors) {
    TList list;
    int v = 0;
    list.Add(&v);
    for (int bad : {-1, 1}) {
        try {
            list.Get(bad);
            ADD_FAILURE();
        } catch (const EListError& e) {
            EXPECT_EQ(std::string(e.what()), "List index out of bounds (" + std::to_string(bad) + ")");
        }
    }
    EXPECT_THROW(list.Insert(2, &v), EListError);
    EXPECT_THROW(list.SetCapacity(0), EListError);
}
