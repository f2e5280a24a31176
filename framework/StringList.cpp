#include "framework/StringList.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "framework/Filer.h"
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

void TStrings::InsertObject(int index, const std::string& s, TObject* obj) {
    Insert(index, s);
    PutObject(index, obj);
}

bool TStrings::Equals(const TStrings& other) const {
    if (Count() != other.Count()) return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != other.Get(i)) return false;
    return true;
}

void TStrings::BeginUpdate() {
    if (FUpdateCount == 0) SetUpdateState(true);  // told before the count rises, so OnChanging runs once
    ++FUpdateCount;
}

void TStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::AddStrings(const TStrings& other) {
    UpdateScope scope(*this);
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
        size_t eq = line.find(NameValueSeparator);
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
    UpdateScope scope(*this);
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

// The comma text is the delimited text with ',' and '"', whatever the list's own settings.
std::string TStrings::CommaText() const { return JoinDelimited(',', '"'); }
void TStrings::SetCommaText(const std::string& text) { SplitDelimited(text, ',', '"'); }
std::string TStrings::DelimitedText() const { return JoinDelimited(Delimiter, QuoteChar); }
void TStrings::SetDelimitedText(const std::string& text) { SplitDelimited(text, Delimiter, QuoteChar); }

std::string TStrings::Names(int index) const {
    std::string line = Get(index);
    size_t eq = line.find(NameValueSeparator);
    return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

std::string TStrings::Values(const std::string& name) const {
    int i = IndexOfName(name);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

std::string TStrings::ValueFromIndex(int index) const {
    std::string line = Get(index);
    size_t eq = line.find(NameValueSeparator);
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

std::string TStrings::JoinDelimited(char delim, char quote) const {
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        if (i) out += delim;
        std::string s = Get(i);
        bool needsQuotes = s.empty() || s.find(delim) != std::string::npos || s.find(quote) != std::string::npos ||
                     std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
        if (!needsQuotes) {
            out += s;
            continue;
        }
        out += quote;
        for (char c : s) {
            if (c == quote) out += quote;
            out += c;
        }
        out += quote;
    }
    return out;
}

void TStrings::SplitDelimited(const std::string& text, char delim, char quote) {
    UpdateScope scope(*this);
    Clear();
    size_t i = 0, n = text.size();
    auto skipBlanks = [&] { while (i < n && static_cast<unsigned char>(text[i]) <= ' ') ++i; };
    skipBlanks();
    while (i < n) {
        std::string item;
        if (text[i] == quote) {
            ++i;
            while (i < n) {
                if (text[i] == quote) {
                    if (i + 1 < n && text[i + 1] == quote) {
                        item += quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            while (i < n && text[i] != delim && static_cast<unsigned char>(text[i]) > ' ') item += text[i++];
        }
        Add(item);
        skipBlanks();
        if (i < n && text[i] == delim) {
            ++i;
            skipBlanks();
            if (i >= n) Add("");  // a trailing delimiter ends with an empty item
        }
    }
}

void TStrings::DefineProperties(TFiler* filer) {
    filer->DefineProperty(
        "Strings",
        [this](TReader& reader) {
            reader.ReadListBegin();
            UpdateScope scope(*this);
            Clear();
            while (!reader.EndOfList()) Add(reader.ReadString());
            reader.ReadListEnd();
        },
        [this](TWriter& writer) {
            writer.WriteListBegin();
            for (int i = 0; i < Count(); ++i) writer.WriteString(Get(i));
            writer.WriteListEnd();
        },
        Count() > 0);
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

TStringList::~TStringList() {
    OnChange = nullptr;
    OnChanging = nullptr;
    Clear();
}

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
    Changing();
    FItems[index].s = s;
    Changed();
}

TObject* TStringList::GetObject(int index) const {
    Check(index);
    return FItems[index].obj;
}

void TStringList::PutObject(int index, TObject* obj) {
    Check(index);
    Changing();
    FItems[index].obj = obj;
    Changed();
}

void TStringList::Insert(int index, const std::string& s) {
    if (FSorted) throw EStringListError("Operation not allowed on sorted list");
    if (index < 0 || index > Count())
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    Changing();
    FItems.insert(FItems.begin() + index, Item{s, nullptr});
    Changed();
}

void TStringList::Delete(int index) {
    Check(index);
    Changing();
    TObject* obj = FItems[index].obj;
    FItems.erase(FItems.begin() + index);
    if (OwnsObjects) delete obj;
    Changed();
}

void TStringList::Clear() {
    if (FItems.empty()) return;
    Changing();
    std::vector<Item> old = std::move(FItems);
    FItems.clear();
    if (OwnsObjects)
        for (auto& it : old) delete it.obj;
    Changed();
}

int TStringList::Add(const std::string& s) {
    if (!FSorted) {
        Changing();
        FItems.push_back(Item{s, nullptr});
        Changed();
        return Count() - 1;
    }
    int index;
    if (Find(s, index)) {
        if (Duplicates == TDuplicates::dupIgnore) return index;
        if (Duplicates == TDuplicates::dupError) throw EStringListError("String list does not allow duplicates");
        // Equal items keep the order in which they came.
        while (index < Count() && CompareStrings(FItems[index].s, s) == 0) ++index;
    }
    Changing();
    FItems.insert(FItems.begin() + index, Item{s, nullptr});
    Changed();
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
    if (FSorted || Count() < 2) return;
    Changing();
    std::stable_sort(FItems.begin(), FItems.end(),
                     [this](const Item& a, const Item& b) { return CompareStrings(a.s, b.s) < 0; });
    Changed();
}

void TStringList::CustomSort(const std::function<int(TStringList&, int, int)>& compare) {
    if (FSorted || Count() < 2) return;
    Changing();
    // Sort a permutation, then apply it, so compare sees the list as it was.
    std::vector<int> order(FItems.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
    std::vector<Item> sorted;
    sorted.reserve(FItems.size());
    for (int i : order) sorted.push_back(FItems[i]);
    FItems = std::move(sorted);
    Changed();
}

void TStringList::SetSorted(bool value) {
    if (value && !FSorted) Sort();
    FSorted = value;
}

void TStringList::SetCaseSensitive(bool value) {
    if (value == CaseSensitive) return;
    CaseSensitive = value;
    if (FSorted) {
        FSorted = false;
        Sort();
        FSorted = true;
    }
}

void TStringList::SetCapacity(int capacity) {
    if (capacity < Count()) throw EStringListError("List capacity out of bounds (" + std::to_string(capacity) + ")");
    FItems.reserve(static_cast<size_t>(capacity));
}

void TStringList::SetUpdateState(bool updating) {
    if (updating) Changing();
    else Changed();
}

void TStringList::Changing() {
    if (FUpdateCount == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
    if (FUpdateCount == 0 && OnChange) OnChange(this);
}
