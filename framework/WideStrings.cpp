#include "framework/WideStrings.h"

#include "framework/Exceptions.h"
#include "framework/Filer.h"
#include "framework/Streams.h"
#include "framework/WideCase.h"

void TWideStrings::Put(int index, const std::u16string& s) {
    TObject* obj = GetObject(index);
    Delete(index);
    InsertObject(index, s, obj);
}

TObject* TWideStrings::GetObject(int) const { return nullptr; }
void TWideStrings::PutObject(int, TObject*) {}

void TWideStrings::InsertObject(int index, const std::u16string& s, TObject* obj) {
    Insert(index, s);
    PutObject(index, obj);
}

int TWideStrings::Add(const std::u16string& s) { return AddObject(s, nullptr); }

int TWideStrings::AddObject(const std::u16string& s, TObject* obj) {
    int n = Count();
    InsertObject(n, s, obj);
    return n;
}

void TWideStrings::Exchange(int a, int b) {
    std::u16string sa = Get(a), sb = Get(b);
    TObject *oa = GetObject(a), *ob = GetObject(b);
    Put(a, sb);
    PutObject(a, ob);
    Put(b, sa);
    PutObject(b, oa);
}

int TWideStrings::CompareStrings(const std::u16string& a, const std::u16string& b) const {
    return WideCompareText(a, b);
}

int TWideStrings::IndexOf(const std::u16string& s) const {
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Get(i), s) == 0) return i;
    return -1;
}

int TWideStrings::IndexOfName(const std::u16string& name) const {
    for (int i = 0; i < Count(); ++i) {
        std::u16string line = Get(i);
        size_t eq = line.find(NameValueSeparator);
        if (eq != std::u16string::npos && CompareStrings(line.substr(0, eq), name) == 0) return i;
    }
    return -1;
}

int TWideStrings::IndexOfObject(const TObject* obj) const {
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == obj) return i;
    return -1;
}

void TWideStrings::AddStrings(const TWideStrings& other) {
    UpdateScope scope(*this);
    for (int i = 0; i < other.Count(); ++i) AddObject(other.Get(i), other.GetObject(i));
}

void TWideStrings::Move(int from, int to) {
    if (from == to) return;
    std::u16string s = Get(from);
    TObject* obj = GetObject(from);
    Delete(from);
    InsertObject(to, s, obj);
}

bool TWideStrings::Equals(const TWideStrings& other) const {
    if (Count() != other.Count()) return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != other.Get(i)) return false;
    return true;
}

void TWideStrings::Assign(const TPersistent* source) {
    if (auto* other = dynamic_cast<const TWideStrings*>(source)) {
        if (other == this) return;
        UpdateScope scope(*this);
        Clear();
        AddStrings(*other);
        return;
    }
    TPersistent::Assign(source);
}

void TWideStrings::BeginUpdate() {
    if (FUpdateCount == 0) SetUpdateState(true);
    ++FUpdateCount;
}

void TWideStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

std::u16string TWideStrings::Text() const {
    std::u16string out;
    for (int i = 0; i < Count(); ++i) {
        out += Get(i);
        out += u"\r\n";
    }
    return out;
}

void TWideStrings::SetText(const std::u16string& text) {
    UpdateScope scope(*this);
    Clear();
    size_t i = 0, n = text.size();
    while (i < n) {
        size_t start = i;
        while (i < n && text[i] != u'\r' && text[i] != u'\n') ++i;
        Add(text.substr(start, i - start));
        if (i < n && text[i] == u'\r') ++i;
        if (i < n && text[i] == u'\n') ++i;
    }
}

std::u16string TWideStrings::Names(int index) const {
    std::u16string line = Get(index);
    size_t eq = line.find(NameValueSeparator);
    return eq == std::u16string::npos ? std::u16string() : line.substr(0, eq);
}

std::u16string TWideStrings::ValueFromIndex(int index) const {
    std::u16string line = Get(index);
    size_t eq = line.find(NameValueSeparator);
    return eq == std::u16string::npos ? std::u16string() : line.substr(eq + 1);
}

std::u16string TWideStrings::Values(const std::u16string& name) const {
    int i = IndexOfName(name);
    return i < 0 ? std::u16string() : ValueFromIndex(i);
}

void TWideStrings::SetValues(const std::u16string& name, const std::u16string& value) {
    int i = IndexOfName(name);
    std::u16string line = name + NameValueSeparator + value;
    if (value.empty()) {
        if (i >= 0) Delete(i);
    } else if (i < 0) {
        Add(line);
    } else {
        Put(i, line);
    }
}

void TWideStrings::LoadFromStream(TStream& stream) {
    int64_t size = stream.Size() - stream.Position();
    if (size > 0x7FFFFFFF) throw EReadError("Stream read error");
    std::u16string text(static_cast<size_t>(size > 0 ? size / 2 : 0), u'\0');
    if (!text.empty()) stream.ReadBuffer(text.data(), static_cast<int32_t>(text.size() * 2));
    SetText(text);
}

void TWideStrings::SaveToStream(TStream& stream) const {
    std::u16string text = Text();
    int64_t bytes = static_cast<int64_t>(text.size()) * 2;
    if (bytes > 0x7FFFFFFF) throw EWriteError("Stream write error");
    if (bytes) stream.WriteBuffer(text.data(), static_cast<int32_t>(bytes));
}

void TWideStrings::DefineProperties(TFiler* filer) {
    filer->DefineProperty(
        "Strings",
        [this](TReader& reader) {
            reader.ReadListBegin();
            UpdateScope scope(*this);
            Clear();
            while (!reader.EndOfList()) Add(reader.ReadWideString());
            reader.ReadListEnd();
        },
        [this](TWriter& writer) {
            writer.WriteListBegin();
            for (int i = 0; i < Count(); ++i) writer.WriteWideString(Get(i));
            writer.WriteListEnd();
        },
        Count() > 0);
}
