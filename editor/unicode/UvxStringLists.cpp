#include "editor/unicode/UvxStringLists.h"

#include "editor/unicode/UvxBisect.h"
#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxPropertyStreaming.h"
#include "editor/unicode/UvxTextConversions.h"
#include "framework/Exceptions.h"
#include "framework/Filer.h"
#include "framework/Streams.h"
#include "framework/WideCase.h"

namespace {
[[noreturn]] void ListError(const std::string& message) { throw EStringListError(message); }
[[noreturn]] void IndexError(int index) { ListError("List index out of bounds (" + std::to_string(index) + ")"); }

std::string ReadRest(TStream& stream) {
    int64_t left = stream.Size() - stream.Position();
    if (left > 0x7FFFFFFF) throw EReadError("Stream read error");
    std::string bytes(static_cast<size_t>(left > 0 ? left : 0), '\0');
    if (!bytes.empty()) stream.ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    return bytes;
}

// The items of a list value, each read by item.
std::vector<std::u16string> ReadItems(TReader& reader, const std::function<std::u16string(TReader&)>& item) {
    std::vector<std::u16string> items;
    reader.ReadListBegin();
    while (!reader.EndOfList()) items.push_back(item(reader));
    reader.ReadListEnd();
    return items;
}

void WriteAll(TStream& stream, const void* data, size_t size) {
    if (size > 0x7FFFFFFF) throw EWriteError("Stream write error");
    if (size) stream.WriteBuffer(data, static_cast<int32_t>(size));
}
}  // namespace

// ---------------------------------------------------------------- 8-bit view

TAnsiStringsForWideStringsAdapter::TAnsiStringsForWideStringsAdapter(TWideStrings& wideStrings, uint32_t codePage)
    : FWide(wideStrings), FCodePage(codePage) {}

uint32_t TAnsiStringsForWideStringsAdapter::AdapterCodePage() const {
    return FCodePage ? FCodePage : DefaultSystemCodePage();
}

int TAnsiStringsForWideStringsAdapter::Count() const { return FWide.Count(); }
std::string TAnsiStringsForWideStringsAdapter::Get(int index) const {
    return WideStringToStringEx(FWide.Get(index), AdapterCodePage());
}
void TAnsiStringsForWideStringsAdapter::Put(int index, const std::string& s) {
    FWide.Put(index, StringToWideStringEx(s, AdapterCodePage()));
}
TObject* TAnsiStringsForWideStringsAdapter::GetObject(int index) const { return FWide.GetObject(index); }
void TAnsiStringsForWideStringsAdapter::PutObject(int index, TObject* obj) { FWide.PutObject(index, obj); }
void TAnsiStringsForWideStringsAdapter::Insert(int index, const std::string& s) {
    FWide.Insert(index, StringToWideStringEx(s, AdapterCodePage()));
}
void TAnsiStringsForWideStringsAdapter::Delete(int index) { FWide.Delete(index); }
void TAnsiStringsForWideStringsAdapter::Clear() { FWide.Clear(); }

void TAnsiStringsForWideStringsAdapter::SetUpdateState(bool updating) {
    if (updating) FWide.BeginUpdate();
    else FWide.EndUpdate();
}

void TAnsiStringsForWideStringsAdapter::LoadFromStreamEx(TStream& stream, uint32_t codePage) {
    TWideStrings::UpdateScope scope(FWide);
    FWide.SetText(StringToWideStringEx(ReadRest(stream), codePage));
}

void TAnsiStringsForWideStringsAdapter::SaveToStreamEx(TStream& stream, uint32_t codePage) {
    std::string bytes = WideStringToStringEx(FWide.Text(), codePage);
    WriteAll(stream, bytes.data(), bytes.size());
}

// ---------------------------------------------------------------- wide lists

TUvxStrings::TUvxStrings() : FAnsiStrings(std::make_unique<TAnsiStringsForWideStringsAdapter>(*this, 0)) {}
TUvxStrings::~TUvxStrings() = default;

void TUvxStrings::SetAnsiStrings(const TStrings& value) { FAnsiStrings->Assign(&value); }

void TUvxStrings::LoadFromStream_BOM(TStream& stream, bool withBOM) {
    UpdateScope scope(*this);
    TextCharSet set = withBOM ? AutoDetectCharacterSet(stream) : tcsUtf16LE;
    std::string bytes = ReadRest(stream);
    std::u16string text;
    switch (set) {
    case tcsUtf16LE:
    case tcsUtf16BE:
        text = UCS2ToWideString(bytes);
        if (set == tcsUtf16BE)
            for (char16_t& c : text) c = static_cast<char16_t>((c << 8) | (c >> 8));
        break;
    case tcsUtf8: text = UTF8ToWideString(bytes); break;
    case tcsAnsi: text = AnsiToWideSys(bytes); break;
    }
    SetText(text);
}

void TUvxStrings::SaveToStream_BOM(TStream& stream, bool withBOM) const {
    std::string bytes = WideStringToUCS2(Text());
    if (withBOM) bytes.insert(0, "\xFF\xFE", 2);
    WriteAll(stream, bytes.data(), bytes.size());
}

void TUvxStrings::DefineProperties(TFiler* filer) {
    TWideStrings::DefineProperties(filer);
    filer->DefineProperty(
        "WideStrings",
        [this](TReader& reader) {
            switch (reader.NextValue()) {
            case TValueType::vaString: SetText(AnsiToWideSys(reader.ReadString())); return;
            case TValueType::vaWString: SetText(reader.ReadWideString()); return;
            default: break;
            }
            reader.ReadListBegin();
            UpdateScope scope(*this);
            Clear();
            while (!reader.EndOfList())
                Add(reader.NextValue() == TValueType::vaString ? AnsiToWideSys(reader.ReadString())
                                                                : reader.ReadWideString());
            reader.ReadListEnd();
        },
        nullptr, false);
    filer->DefineProperty(
        "WideStringsW",
        [this](TReader& reader) {
            bool apply = IsRuntimeUTFReading(reader) || Count() == 0;
            auto items = ReadItems(reader, [](TReader& r) { return UTF8ToWideString(r.ReadUTF8String()); });
            if (apply) SetLines(items);
        },
        nullptr, false);
    filer->DefineProperty(
        "WideStrings_UTF7",
        [this](TReader& reader) {
            bool apply = IsRuntimeUTFReading(reader);
            auto items = ReadItems(reader, [](TReader& r) { return UTF7ToWideString(r.ReadString()); });
            if (apply) SetLines(items);
        },
        [this](TWriter& writer) {
            writer.WriteListBegin();
            for (int i = 0; i < Count(); ++i) writer.WriteString(WideStringToUTF7(Get(i)));
            writer.WriteListEnd();
        },
        false);
}

void TUvxStrings::SetLines(const std::vector<std::u16string>& lines) {
    UpdateScope scope(*this);
    Clear();
    for (const auto& s : lines) Add(s);
}

// ---------------------------------------------------------------- the list

TUvxStringList::~TUvxStringList() {
    OnChange = nullptr;
    OnChanging = nullptr;
    FItems.clear();
}

void TUvxStringList::Check(int index) const {
    if (index < 0 || index >= Count()) IndexError(index);
}

void TUvxStringList::Changed() {
    if (!FUpdating && OnChange) OnChange(this);
}

void TUvxStringList::Changing() {
    if (!FUpdating && OnChanging) OnChanging(this);
}

void TUvxStringList::SetUpdateState(bool updating) {
    FUpdating = updating;
    if (updating) Changing();
    else Changed();
}

int TUvxStringList::CompareStrings(const std::u16string& a, const std::u16string& b) const {
    return FCaseSensitive ? WideCompareStr(a, b) : WideCompareText(a, b);
}

std::u16string TUvxStringList::Get(int index) const {
    Check(index);
    return FItems[static_cast<size_t>(index)].s;
}

void TUvxStringList::Put(int index, const std::u16string& s) {
    if (FSorted) ListError("Operation not allowed on sorted list");
    Check(index);
    Changing();
    FItems[static_cast<size_t>(index)].s = s;
    Changed();
}

TObject* TUvxStringList::GetObject(int index) const {
    Check(index);
    return FItems[static_cast<size_t>(index)].obj;
}

void TUvxStringList::PutObject(int index, TObject* obj) {
    Check(index);
    Changing();
    FItems[static_cast<size_t>(index)].obj = obj;
    Changed();
}

void TUvxStringList::SetCapacity(int capacity) {
    if (capacity < Count()) ListError("List capacity out of bounds (" + std::to_string(capacity) + ")");
    FCapacity = capacity;
    FItems.reserve(static_cast<size_t>(capacity));
}

void TUvxStringList::Grow() {
    int delta = FCapacity > 64 ? FCapacity / 4 : FCapacity > 8 ? 16 : 4;
    SetCapacity(FCapacity + delta);
}

int TUvxStringList::Add(const std::u16string& s) { return AddObject(s, nullptr); }

int TUvxStringList::AddObject(const std::u16string& s, TObject* obj) {
    int index;
    if (!FSorted) {
        index = Count();
    } else if (Find(s, index)) {
        if (Duplicates == TDuplicates::dupIgnore) return index;
        if (Duplicates == TDuplicates::dupError) ListError("String list does not allow duplicates");
    }
    InsertItem(index, s, obj);
    return index;
}

void TUvxStringList::InsertItem(int index, const std::u16string& s, TObject* obj) {
    Changing();
    if (Count() == FCapacity) Grow();
    FItems.insert(FItems.begin() + index, Item{s, obj});
    Changed();
}

void TUvxStringList::Insert(int index, const std::u16string& s) { InsertObject(index, s, nullptr); }

void TUvxStringList::InsertObject(int index, const std::u16string& s, TObject* obj) {
    if (FSorted) ListError("Operation not allowed on sorted list");
    if (index < 0 || index > Count()) IndexError(index);
    InsertItem(index, s, obj);
}

void TUvxStringList::Clear() {
    if (FItems.empty()) return;
    Changing();
    FItems.clear();
    FItems.shrink_to_fit();
    FCapacity = 0;
    Changed();
}

void TUvxStringList::Delete(int index) {
    Check(index);
    Changing();
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TUvxStringList::ExchangeItems(int a, int b) {
    std::swap(FItems[static_cast<size_t>(a)], FItems[static_cast<size_t>(b)]);
}

void TUvxStringList::Exchange(int a, int b) {
    Check(a);
    Check(b);
    Changing();
    ExchangeItems(a, b);
    Changed();
}

// Always the first of several equal entries, whatever the duplicates policy, so
// that IndexOf, IndexOfName and an accepted duplicate agree on where equals start.
bool TUvxStringList::Find(const std::u16string& s, int& index) const {
    bool found;
    index = BisectFirst(Count(), [&](int i) { return CompareStrings(FItems[static_cast<size_t>(i)].s, s); }, found);
    return found;
}

int TUvxStringList::IndexOf(const std::u16string& s) const {
    if (!FSorted) return TWideStrings::IndexOf(s);
    int index;
    return Find(s, index) ? index : -1;
}

int TUvxStringList::IndexOfName(const std::u16string& name) const {
    if (!FSorted) return TWideStrings::IndexOfName(name);
    std::u16string key = name + NameValueSeparator;
    int index;
    Find(key, index);
    if (index < Count()) {
        const std::u16string& entry = FItems[static_cast<size_t>(index)].s;
        if (entry.size() >= key.size() && CompareStrings(entry.substr(0, key.size()), key) == 0) return index;
    }
    return -1;
}

void TUvxStringList::QuickSort(int l, int r, const std::function<int(TUvxStringList&, int, int)>& compare) {
    do {
        int i = l, j = r, p = static_cast<int>((static_cast<unsigned>(l) + static_cast<unsigned>(r)) >> 1);
        do {
            while (compare(*this, i, p) < 0) ++i;
            while (compare(*this, j, p) > 0) --j;
            if (i <= j) {
                ExchangeItems(i, j);
                if (p == i) p = j;
                else if (p == j) p = i;
                ++i;
                --j;
            }
        } while (i <= j);
        if (l < j) QuickSort(l, j, compare);
        l = i;
    } while (l < r);
}

void TUvxStringList::CustomSort(const std::function<int(TUvxStringList&, int, int)>& compare) {
    if (FSorted || Count() < 2) return;
    Changing();
    QuickSort(0, Count() - 1, compare);
    Changed();
}

void TUvxStringList::Sort() {
    CustomSort([](TUvxStringList& list, int a, int b) {
        return list.CompareStrings(list.FItems[static_cast<size_t>(a)].s, list.FItems[static_cast<size_t>(b)].s);
    });
}

void TUvxStringList::SetSorted(bool value) {
    if (value == FSorted) return;
    if (value) Sort();
    FSorted = value;
}

void TUvxStringList::SetCaseSensitive(bool value) {
    if (value == FCaseSensitive) return;
    FCaseSensitive = value;
    if (FSorted) {
        FSorted = false;
        Sort();
        FSorted = true;
    }
}
