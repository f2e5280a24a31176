#include "framework/StringList.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "framework/Streams.h"
#include "framework/SysUtils.h"

void TStrings::Put(int index, const std::string& s) {
    TObject* obj = GetObject(index);
    Delete(index);
    Insert(index, s);
    PutObject(index, obj);
}

TObject* TStrings::GetObject(int) const { return nullptr; }
void TStrings::PutObject(int, TObject*) {}

int TStrings::Add(const std::string& s) {
    int n = Count();
    Insert(n, s);
    return n;
}

int TStrings::AddObject(const std::string& s, TObject* obj) {
    int i = Add(s);
    PutObject(i, obj);
    return i;
}

void TStrings::AddStrings(const TStrings& other) {
    for (int i = 0; i < other.Count(); ++i) AddObject(other.Get(i), other.GetObject(i));
}

int TStrings::CompareStrings(const std::string& a, const std::string& b) const {
    return CaseSensitive ? a.compare(b) : CompareText(a, b);
}

int TStrings::IndexOf(const std::string& s) const {
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Get(i), s) == 0) return i;
    return -1;
}

int TStrings::IndexOfName(const std::string& name) const {
    for (int i = 0; i < Count(); ++i) {
        std::string line = Get(i);
        size_t eq = line.find('=');
        if (eq != std::string::npos && CompareStrings(line.substr(0, eq), name) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* obj) const {
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == obj) return i;
    return -1;
}

void TStrings::Move(int from, int to) {
    if (from == to) return;
    std::string s = Get(from);
    TObject* obj = GetObject(from);
    Delete(from);
    Insert(to, s);
    PutObject(to, obj);
}

void TStrings::Exchange(int a, int b) {
    std::string sa = Get(a), sb = Get(b);
    TObject *oa = GetObject(a), *ob = GetObject(b);
    Put(a, sb);
    PutObject(a, ob);
    Put(b, sa);
    PutObject(b, oa);
}

void TStrings::Assign(const TPersistent* source) {
    if (auto* other = dynamic_cast<const TStrings*>(source)) {
        if (other == this) return;
        Clear();
        AddStrings(*other);
        return;
    }
    TPersistent::Assign(source);
}

std::string TStrings::Text() const {
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        out += Get(i);
        out += "\r\n";
    }
    return out;
}

void TStrings::SetText(const std::string& text) {
    Clear();
    size_t i = 0, n = text.size();
    while (i < n) {
        size_t start = i;
        while (i < n && text[i] != '\r' && text[i] != '\n') ++i;
        Add(text.substr(start, i - start));
        if (i < n && text[i] == '\r') ++i;
        if (i < n && text[i] == '\n') ++i;
    }
}

std::string TStrings::CommaText() const {
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        if (i) out += ',';
        std::string s = Get(i);
        bool quote = s.empty() || s.find_first_of(" ,\"") != std::string::npos;
        if (!quote) {
            out += s;
            continue;
        }
        out += '"';
        for (char c : s) {
            if (c == '"') out += '"';
            out += c;
        }
        out += '"';
    }
    return out;
}

void TStrings::SetCommaText(const std::string& text) {
    Clear();
    size_t i = 0, n = text.size();
    auto skipBlanks = [&] { while (i < n && static_cast<unsigned char>(text[i]) <= ' ') ++i; };
    skipBlanks();
    while (i < n) {
        std::string item;
        if (text[i] == '"') {
            ++i;
            while (i < n) {
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            while (i < n && text[i] != ',' && static_cast<unsigned char>(text[i]) > ' ') item += text[i++];
        }
        Add(item);
        skipBlanks();
        if (i < n && text[i] == ',') {
            ++i;
            skipBlanks();
            if (i >= n) Add("");  // a trailing comma ends with an empty item
        }
    }
}

std::string TStrings::Names(int index) const {
    std::string line = Get(index);
    size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

std::string TStrings::Values(const std::string& name) const {
    int i = IndexOfName(name);
    if (i < 0) return {};
    std::string line = Get(i);
    return line.substr(line.find('=') + 1);
}

void TStrings::SetValues(const std::string& name, const std::string& value) {
    int i = IndexOfName(name);
    if (value.empty()) {
        if (i >= 0) Delete(i);
        return;
    }
    if (i < 0) Add(name + "=" + value);
    else Put(i, name + "=" + value);
}

void TStrings::LoadFromStream(TStream& stream) {
    int64_t size = stream.Size() - stream.Position();
    std::string text(static_cast<size_t>(std::max<int64_t>(size, 0)), '\0');
    if (!text.empty()) stream.ReadBuffer(text.data(), static_cast<int32_t>(text.size()));
    SetText(text);
}

void TStrings::SaveToStream(TStream& stream) const {
    std::string text = Text();
    if (!text.empty()) stream.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
}

TStringList::~TStringList() { Clear(); }

void TStringList::Check(int index) const {
    if (index < 0 || index >= Count())
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

std::string TStringList::Get(int index) const {
    Check(index);
    return FItems[index].s;
}

void TStringList::Put(int index, const std::string& s) {
    if (FSorted) throw EStringListError("Operation not allowed on sorted list");
    Check(index);
    FItems[index].s = s;
    if (OnChange) OnChange(this);
}

TObject* TStringList::GetObject(int index) const {
    Check(index);
    return FItems[index].obj;
}

void TStringList::PutObject(int index, TObject* obj) {
    Check(index);
    FItems[index].obj = obj;
}

void TStringList::Insert(int index, const std::string& s) {
    if (FSorted) throw EStringListError("Operation not allowed on sorted list");
    if (index < 0 || index > Count())
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    FItems.insert(FItems.begin() + index, Item{s, nullptr});
    if (OnChange) OnChange(this);
}

void TStringList::Delete(int index) {
    Check(index);
    if (OwnsObjects) delete FItems[index].obj;
    FItems.erase(FItems.begin() + index);
    if (OnChange) OnChange(this);
}

void TStringList::Clear() {
    if (OwnsObjects)
        for (auto& it : FItems) delete it.obj;
    FItems.clear();
    if (OnChange) OnChange(this);
}

int TStringList::Add(const std::string& s) {
    if (!FSorted) {
        FItems.push_back(Item{s, nullptr});
        if (OnChange) OnChange(this);
        return Count() - 1;
    }
    int index;
    if (Find(s, index)) {
        if (Duplicates == TDuplicates::dupIgnore) return index;
        if (Duplicates == TDuplicates::dupError) throw EStringListError("String list does not allow duplicates");
        // Equal items keep the order in which they came.
        while (index < Count() && CompareStrings(FItems[index].s, s) == 0) ++index;
    }
    FItems.insert(FItems.begin() + index, Item{s, nullptr});
    if (OnChange) OnChange(this);
    return index;
}

int TStringList::IndexOf(const std::string& s) const {
    if (!FSorted) return TStrings::IndexOf(s);
    int index;
    return Find(s, index) ? index : -1;
}

bool TStringList::Find(const std::string& s, int& index) const {
    int lo = 0, hi = Count();
    while (lo < hi) {  // lower bound: the first item not less than s
        int mid = lo + (hi - lo) / 2;
        if (CompareStrings(FItems[mid].s, s) < 0) lo = mid + 1;
        else hi = mid;
    }
    index = lo;
    return lo < Count() && CompareStrings(FItems[lo].s, s) == 0;
}

void TStringList::Sort() {
    std::stable_sort(FItems.begin(), FItems.end(),
                     [this](const Item& a, const Item& b) { return CompareStrings(a.s, b.s) < 0; });
    if (OnChange) OnChange(this);
}

void TStringList::CustomSort(const std::function<int(TStringList&, int, int)>& compare) {
    // Sort a permutation, then apply it, so compare sees the list as it was.
    std::vector<int> order(FItems.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
    std::vector<Item> sorted;
    sorted.reserve(FItems.size());
    for (int i : order) sorted.push_back(FItems[i]);
    FItems = std::move(sorted);
    if (OnChange) OnChange(this);
}

void TStringList::SetSorted(bool value) {
    if (value && !FSorted) Sort();
    FSorted = value;
}
