#pragma once
// TList: a growable list of untyped pointers, the framework's plain container.
#include <functional>
#include <vector>

class TList {
public:
    TList() = default;
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;
    virtual ~TList() = default;

    int Count() const { return static_cast<int>(FItems.size()); }
    int Capacity() const { return FCapacity; }
    // Lowering the capacity below the count raises EListError.
    void SetCapacity(int capacity);
    void SetCount(int count);
    void* Get(int index) const;
    void Put(int index, void* item);
    void* operator[](int index) const { return Get(index); }

    int Add(void* item);
    void Insert(int index, void* item);
    void Delete(int index);
    int Remove(void* item);
    void* Extract(void* item);
    void Exchange(int a, int b);
    void Move(int from, int to);
    int IndexOf(const void* item) const;
    void* First() const { return Get(0); }
    void* Last() const { return Get(Count() - 1); }
    void Clear();
    // Drops the null entries.
    void Pack();
    // compare(a, b) < 0 when a goes before b.
    void Sort(const std::function<int(void*, void*)>& compare);
    void** List() { return FItems.data(); }

private:
    void Check(int index) const;
    void Grow();
    std::vector<void*> FItems;
    int FCapacity = 0;
};
