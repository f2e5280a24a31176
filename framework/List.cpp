#include "framework/List.h"

#include <algorithm>
#include <string>

#include "framework/Exceptions.h"

namespace {
[[noreturn]] void ListIndexError(int index) {
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}
}  // namespace

void TList::Check(int index) const {
    if (index < 0 || index >= Count()) ListIndexError(index);
}

// The same steps as the string lists: a quarter above 64, 16 from 9 to 64, 4 below.
void TList::Grow() {
    int delta = FCapacity > 64 ? FCapacity / 4 : FCapacity > 8 ? 16 : 4;
    SetCapacity(FCapacity + delta);
}

void TList::SetCapacity(int capacity) {
    if (capacity < Count()) throw EListError("List capacity out of bounds (" + std::to_string(capacity) + ")");
    FCapacity = capacity;
    FItems.reserve(static_cast<size_t>(capacity));
}

void TList::SetCount(int count) {
    if (count < 0) throw EListError("List count out of bounds (" + std::to_string(count) + ")");
    if (count > FCapacity) SetCapacity(count);
    FItems.resize(static_cast<size_t>(count), nullptr);
}

void* TList::Get(int index) const {
    Check(index);
    return FItems[static_cast<size_t>(index)];
}

void TList::Put(int index, void* item) {
    Check(index);
    FItems[static_cast<size_t>(index)] = item;
}

int TList::Add(void* item) {
    int n = Count();
    Insert(n, item);
    return n;
}

void TList::Insert(int index, void* item) {
    if (index < 0 || index > Count()) ListIndexError(index);
    if (Count() == FCapacity) Grow();
    FItems.insert(FItems.begin() + index, item);
}

void TList::Delete(int index) {
    Check(index);
    FItems.erase(FItems.begin() + index);
}

int TList::Remove(void* item) {
    int i = IndexOf(item);
    if (i >= 0) Delete(i);
    return i;
}

void* TList::Extract(void* item) {
    int i = IndexOf(item);
    if (i < 0) return nullptr;
    Delete(i);
    return item;
}

void TList::Exchange(int a, int b) {
    Check(a);
    Check(b);
    std::swap(FItems[static_cast<size_t>(a)], FItems[static_cast<size_t>(b)]);
}

void TList::Move(int from, int to) {
    if (from == to) return;
    Check(to);
    void* item = Get(from);
    FItems.erase(FItems.begin() + from);
    FItems.insert(FItems.begin() + to, item);
}

int TList::IndexOf(const void* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TList::Clear() {
    FItems.clear();
    FItems.shrink_to_fit();
    FCapacity = 0;
}

void TList::Pack() { FItems.erase(std::remove(FItems.begin(), FItems.end(), nullptr), FItems.end()); }

void TList::Sort(const std::function<int(void*, void*)>& compare) {
    std::stable_sort(FItems.begin(), FItems.end(), [&](void* a, void* b) { return compare(a, b) < 0; });
}
