#include "editor/crashreport/support/objects/ObjectTests.h"

#include <cstdint>
#include <cstring>

#include "editor/crashreport/support/system/MemoryProbe.h"
#include "framework/SysUtils.h"

// The run-time type records follow the common C++ ABI: a record is
// { table of its record kind, name } and, by kind, one base record (single
// inheritance) or { flags, count, { base, offset and flags } x count }.
// The record kinds are recognised by the names of their own classes.

namespace {

using word = uintptr_t;

enum class Kind { None, Leaf, Single, Multiple };

const char* const kLeafName = "N10__cxxabiv117__class_type_infoE";
const char* const kSingleName = "N10__cxxabiv120__si_class_type_infoE";
const char* const kMultipleName = "N10__cxxabiv121__vmi_class_type_infoE";

const size_t kMaxName = 512;     // longer names are taken for garbage
const int kMaxDepth = 64;        // guards against cycles in damaged records
const int kMaxVisits = 256;

// Reads through the probe, or directly for the unchecked walks.
struct Reader {
    bool checked;
    bool Read(word address, void* buffer, size_t size) const
    {
        if (checked)
            return ReadMemoryBlock(reinterpret_cast<const void*>(address), buffer, size);
        if (address == 0)
            return false;
        std::memcpy(buffer, reinterpret_cast<const void*>(address), size);
        return true;
    }
    bool Word(word address, word& value) const { return Read(address, &value, sizeof value); }

    // A zero-ended name of printable characters, read a page piece at a time.
    bool Name(word address, std::string& name) const
    {
        name.clear();
        if (address == 0)
            return false;
        while (name.size() < kMaxName) {
            const word at = address + name.size();
            size_t chunk = 4096 - (at & 4095);
            if (chunk > kMaxName - name.size())
                chunk = kMaxName - name.size();
            char buffer[4096];
            if (!checked) {
                // Known-good names: one character at a time up to the zero.
                const char* p = reinterpret_cast<const char*>(at);
                for (size_t i = 0; i < chunk; ++i) {
                    if (p[i] == 0)
                        return !name.empty();
                    name += p[i];
                }
                continue;
            }
            if (!Read(at, buffer, chunk))
                return false;
            for (size_t i = 0; i < chunk; ++i) {
                if (buffer[i] == 0)
                    return !name.empty();
                if (static_cast<unsigned char>(buffer[i]) < 32)
                    return false;
                name += buffer[i];
            }
        }
        return false;
    }
};

// The kind of a class record, None when it is not a valid one.
Kind RecordKind(const Reader& r, word record, std::string* mangled)
{
    word table, name, kindRecord, kindName;
    if (record == 0 || !r.Word(record, table) || !r.Word(record + sizeof(word), name))
        return Kind::None;
    if (!r.Word(table - sizeof(word), kindRecord) || !r.Word(kindRecord + sizeof(word), kindName))
        return Kind::None;
    std::string kind;
    if (!r.Name(kindName, kind))
        return Kind::None;
    Kind k = kind == kLeafName ? Kind::Leaf
           : kind == kSingleName ? Kind::Single
           : kind == kMultipleName ? Kind::Multiple
           : Kind::None;
    if (k != Kind::None && mangled && !r.Name(name, *mangled))
        return Kind::None;
    return k;
}

// "6EAbort" -> "EAbort"; "N2ns5TFormE" -> "TForm" (the innermost name);
// "St13runtime_error" -> "runtime_error".
std::string PlainName(const std::string& mangled)
{
    std::string s = mangled;
    if (!s.empty() && s[0] == '*')
        s.erase(0, 1);
    size_t i = 0;
    if (i < s.size() && s[i] == 'N')
        ++i;
    // "St" abbreviates the standard library's namespace: "St9exception".
    if (s.compare(i, 2, "St") == 0)
        i += 2;
    std::string last;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        size_t len = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9' && len < 100000)
            len = len * 10 + static_cast<size_t>(s[i++] - '0');
        if (len == 0 || len > s.size() - i)
            return s;
        last = s.substr(i, len);
        i += len;
    }
    return last.empty() ? s : last;
}

struct Walk {
    Reader r;
    std::string wanted;
    int visits = 0;

    bool Matches(word record, int depth)
    {
        if (depth > kMaxDepth || ++visits > kMaxVisits)
            return false;
        std::string mangled;
        const Kind kind = RecordKind(r, record, &mangled);
        if (kind == Kind::None)
            return false;
        if (UpperCase(PlainName(mangled)) == wanted)
            return true;
        if (kind == Kind::Single) {
            word base;
            return r.Word(record + 2 * sizeof(word), base) && Matches(base, depth + 1);
        }
        if (kind == Kind::Multiple) {
            uint32_t count;
            const word bases = record + 2 * sizeof(word) + 8;
            if (!r.Read(record + 2 * sizeof(word) + 4, &count, 4) || count > 64)
                return false;
            for (uint32_t i = 0; i < count; ++i) {
                word base;
                if (r.Word(bases + i * 2 * sizeof(word), base) && Matches(base, depth + 1))
                    return true;
            }
        }
        return false;
    }
};

bool DescendsFrom(bool checked, TClassRef classRef, const std::string& name)
{
    Walk walk{Reader{checked}, UpperCase(Trim(name))};
    return !walk.wanted.empty() && walk.Matches(reinterpret_cast<word>(classRef), 0);
}

// The class record of an object, through the word before its table.
word ClassOf(const Reader& r, const void* object)
{
    word table, offsetToTop, record;
    if (object == nullptr || !r.Word(reinterpret_cast<word>(object), table) || table < 2 * sizeof(word))
        return 0;
    if (!r.Word(table - 2 * sizeof(word), offsetToTop) || !r.Word(table - sizeof(word), record))
        return 0;
    // A whole object, or a base part of one not far from its start.
    const intptr_t offset = static_cast<intptr_t>(offsetToTop);
    if (offset > 0 || offset < -65536)
        return 0;
    return record;
}

} // namespace

bool ClassReferenceValid(TClassRef classRef)
{
    std::string mangled;
    return RecordKind(Reader{true}, reinterpret_cast<word>(classRef), &mangled) != Kind::None;
}

TClassRef SafeClassOf(const void* object)
{
    const word record = ClassOf(Reader{true}, object);
    return ClassReferenceValid(reinterpret_cast<TClassRef>(record)) ? reinterpret_cast<TClassRef>(record) : nullptr;
}

bool ObjectReferenceValid(const void* object)
{
    return SafeClassOf(object) != nullptr;
}

std::string SafeClassNameOf(TClassRef classRef)
{
    std::string mangled;
    if (RecordKind(Reader{true}, reinterpret_cast<word>(classRef), &mangled) == Kind::None)
        return "";
    return PlainName(mangled);
}

std::string SafeClassName(const void* object)
{
    return SafeClassNameOf(SafeClassOf(object));
}

bool ClassDescendsFromName(TClassRef classRef, const std::string& name)
{
    return DescendsFrom(true, classRef, name);
}

bool ObjectDescendsFromName(const void* object, const std::string& name)
{
    TClassRef cls = SafeClassOf(object);
    return cls != nullptr && DescendsFrom(true, cls, name);
}

bool ObjectDescendsFromClass(const void* object, TClassRef classRef)
{
    const std::string name = SafeClassNameOf(classRef);
    return !name.empty() && ObjectDescendsFromName(object, name);
}

bool ObjectDescendsFromAny(const void* object, std::initializer_list<TClassRef> classRefs)
{
    for (TClassRef c : classRefs)
        if (ObjectDescendsFromClass(object, c))
            return true;
    return false;
}

bool ClassDescendsFromNameUnchecked(TClassRef classRef, const std::string& name)
{
    return DescendsFrom(false, classRef, name);
}

bool ObjectDescendsFromNameUnchecked(const void* object, const std::string& name)
{
    const word record = ClassOf(Reader{false}, object);
    return record != 0 && DescendsFrom(false, reinterpret_cast<TClassRef>(record), name);
}

bool ExceptionObjectReportable(const void* object)
{
    return ObjectReferenceValid(object) && !ObjectDescendsFromNameUnchecked(object, "EAbort");
}
