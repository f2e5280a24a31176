#pragma once
// Published properties: a table per class of {name, kind, getter, setter},
// which the component streaming (Filer.h) reads and writes by name.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TPersistent;

enum class TTypeKind {
    tkInteger,      // GetOrd / SetOrd
    tkEnumeration,  // booleans: GetOrd / SetOrd with 0 and 1, streamed as False / True
    tkChar,         // GetOrd / SetOrd, streamed as a one-character 8-bit string
    tkWChar,        // GetOrd / SetOrd, streamed as a one-character wide string
    tkLString,      // GetStr / SetStr (8-bit)
    tkWString,      // GetWStr / SetWStr (UTF-16)
    tkClass,        // GetObj: a persistent object whose own properties are streamed
    tkMethod,       // GetStr / SetStr: the name of the event handler
};

struct TPropInfo {
    TPropInfo(std::string name, TTypeKind kind) : Name(std::move(name)), Kind(kind) {}
    std::string Name;
    TTypeKind Kind = TTypeKind::tkInteger;
    std::function<int64_t(const TPersistent&)> GetOrd;
    std::function<void(TPersistent&, int64_t)> SetOrd;
    std::function<std::string(const TPersistent&)> GetStr;
    std::function<void(TPersistent&, const std::string&)> SetStr;
    std::function<std::u16string(const TPersistent&)> GetWStr;
    std::function<void(TPersistent&, const std::u16string&)> SetWStr;
    std::function<TPersistent*(const TPersistent&)> GetObj;
};

// The published properties of one class; Parent holds those it inherits.
struct TClassInfo {
    std::string Name;
    const TClassInfo* Parent = nullptr;
    std::vector<TPropInfo> Props;

    // By name without regard to case; a class's own property hides an
    // inherited one of the same name.
    const TPropInfo* Find(std::string_view name) const;
    // Every visible property, inherited ones first.
    std::vector<const TPropInfo*> All() const;
};

// Shorthands for properties kept in a member of class T.
namespace published {
template <class T>
TPropInfo Integer(std::string name, int T::*field) {
    TPropInfo p{std::move(name), TTypeKind::tkInteger};
    p.GetOrd = [field](const TPersistent& o) { return static_cast<int64_t>(static_cast<const T&>(o).*field); };
    p.SetOrd = [field](TPersistent& o, int64_t v) { static_cast<T&>(o).*field = static_cast<int>(v); };
    return p;
}
template <class T>
TPropInfo Boolean(std::string name, bool T::*field) {
    TPropInfo p{std::move(name), TTypeKind::tkEnumeration};
    p.GetOrd = [field](const TPersistent& o) { return static_cast<int64_t>(static_cast<const T&>(o).*field); };
    p.SetOrd = [field](TPersistent& o, int64_t v) { static_cast<T&>(o).*field = v != 0; };
    return p;
}
template <class T>
TPropInfo String(std::string name, std::string T::*field) {
    TPropInfo p{std::move(name), TTypeKind::tkLString};
    p.GetStr = [field](const TPersistent& o) { return static_cast<const T&>(o).*field; };
    p.SetStr = [field](TPersistent& o, const std::string& v) { static_cast<T&>(o).*field = v; };
    return p;
}
template <class T>
TPropInfo WideString(std::string name, std::u16string T::*field) {
    TPropInfo p{std::move(name), TTypeKind::tkWString};
    p.GetWStr = [field](const TPersistent& o) { return static_cast<const T&>(o).*field; };
    p.SetWStr = [field](TPersistent& o, const std::u16string& v) { static_cast<T&>(o).*field = v; };
    return p;
}
template <class T>
TPropInfo WideChar(std::string name, char16_t T::*field) {
    TPropInfo p{std::move(name), TTypeKind::tkWChar};
    p.GetOrd = [field](const TPersistent& o) { return static_cast<int64_t>(static_cast<const T&>(o).*field); };
    p.SetOrd = [field](TPersistent& o, int64_t v) { static_cast<T&>(o).*field = static_cast<char16_t>(v); };
    return p;
}
template <class T>
TPropInfo Event(std::string name, std::string T::*field) {
    TPropInfo p = String<T>(std::move(name), field);
    p.Kind = TTypeKind::tkMethod;
    return p;
}
template <class T, class M>
TPropInfo Object(std::string name, M T::*field) {
    TPropInfo p{std::move(name), TTypeKind::tkClass};
    p.GetObj = [field](const TPersistent& o) -> TPersistent* {
        return const_cast<TPersistent*>(static_cast<const TPersistent*>(&(static_cast<const T&>(o).*field)));
    };
    return p;
}
}  // namespace published
