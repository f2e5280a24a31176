#include "framework/Filer.h"

#include <map>
#include <type_traits>

#include "framework/CodePage1252.h"
#include "framework/Exceptions.h"
#include "framework/Streams.h"
#include "framework/SysUtils.h"
#include "framework/TypeInfo.h"
#include "framework/Utf8.h"

std::u16string (*ReaderAnsiToWide)(const std::string&) = &Cp1252ToWide;

namespace {
std::map<std::string, std::function<TComponent*(TComponent*)>>& ClassRegistry() {
    static std::map<std::string, std::function<TComponent*(TComponent*)>> registry;
    return registry;
}

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

const char* kInvalidValue = "Invalid property value";
}  // namespace

void RegisterComponentClass(const std::string& className, std::function<TComponent*(TComponent*)> create) {
    ClassRegistry()[UpperCase(className)] = std::move(create);
}

// ---------------------------------------------------------------- reading

TReader::TReader(TStream& stream) {
    int64_t size = stream.Size() - stream.Position();
    if (size > 0x7FFFFFFF) throw EReadError("Stream read error");
    FText.resize(static_cast<size_t>(size > 0 ? size : 0));
    if (!FText.empty()) stream.ReadBuffer(FText.data(), static_cast<int32_t>(FText.size()));
}

void TReader::Invalid() const {
    int line = 1;
    for (size_t i = 0; i < FPos && i < FText.size(); ++i)
        if (FText[i] == '\n') ++line;
    throw EReadError("Invalid stream format (line " + std::to_string(line) + ")");
}

void TReader::SkipBlanks() {
    for (;;) {
        while (FPos < FText.size() && static_cast<unsigned char>(FText[FPos]) <= ' ') ++FPos;
        if (FPos + 1 < FText.size() && FText[FPos] == '/' && FText[FPos + 1] == '/') {
            while (FPos < FText.size() && FText[FPos] != '\n') ++FPos;
            continue;
        }
        return;
    }
}

bool TReader::AtWord(const char* word) {
    SkipBlanks();
    size_t n = std::char_traits<char>::length(word);
    if (FText.size() - FPos < n || !SameText(FText.substr(FPos, n), word)) return false;
    return FPos + n == FText.size() || !IsIdentChar(FText[FPos + n]);
}

std::string TReader::ReadName() {
    SkipBlanks();
    size_t start = FPos;
    if (FPos >= FText.size() || !IsIdentStart(FText[FPos])) Invalid();
    while (FPos < FText.size() && (IsIdentChar(FText[FPos]) || FText[FPos] == '.')) ++FPos;
    return FText.substr(start, FPos - start);
}

void TReader::Expect(char c) {
    SkipBlanks();
    if (FPos >= FText.size() || FText[FPos] != c) Invalid();
    ++FPos;
}

TValueType TReader::NextValue() {
    SkipBlanks();
    if (FPos >= FText.size()) return TValueType::vaNull;
    char c = FText[FPos];
    char next = FPos + 1 < FText.size() ? FText[FPos + 1] : '\0';
    if (c == '(') return TValueType::vaList;
    if (c == ')') return TValueType::vaNull;
    if (c == '\'' || c == '#') return TValueType::vaString;
    if ((c == 'W' || c == 'U') && (next == '\'' || next == '#'))
        return c == 'W' ? TValueType::vaWString : TValueType::vaUTF8String;
    if (IsDigit(c) || c == '-' || c == '$') return TValueType::vaInteger;
    if (IsIdentStart(c)) {
        if (AtWord("True")) return TValueType::vaTrue;
        if (AtWord("False")) return TValueType::vaFalse;
        if (AtWord("nil")) return TValueType::vaNil;
        return TValueType::vaIdent;
    }
    Invalid();
}

int64_t TReader::ReadInt64() {
    if (NextValue() != TValueType::vaInteger) throw EReadError(kInvalidValue);
    bool negative = FText[FPos] == '-';
    if (negative) ++FPos;
    bool hex = FPos < FText.size() && FText[FPos] == '$';
    if (hex) ++FPos;
    uint64_t value = 0;
    size_t start = FPos;
    while (FPos < FText.size()) {
        char c = FText[FPos];
        int d = IsDigit(c) ? c - '0' : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10 : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (d < 0) break;
        value = value * (hex ? 16 : 10) + static_cast<uint64_t>(d);
        if (value > (uint64_t{1} << 63)) Invalid();
        ++FPos;
    }
    if (FPos == start || (FPos < FText.size() && IsIdentChar(FText[FPos]))) Invalid();
    if (!negative && value == (uint64_t{1} << 63)) Invalid();
    return negative ? static_cast<int64_t>(0 - value) : static_cast<int64_t>(value);
}

int32_t TReader::ReadInteger() {
    int64_t v = ReadInt64();
    if (v < INT32_MIN || v > INT32_MAX) throw EReadError(kInvalidValue);
    return static_cast<int32_t>(v);
}

bool TReader::ReadBoolean() {
    TValueType t = NextValue();
    if (t != TValueType::vaTrue && t != TValueType::vaFalse) throw EReadError(kInvalidValue);
    ReadName();
    return t == TValueType::vaTrue;
}

std::string TReader::ReadIdent() {
    TValueType t = NextValue();
    if (t != TValueType::vaIdent && t != TValueType::vaTrue && t != TValueType::vaFalse && t != TValueType::vaNil)
        throw EReadError(kInvalidValue);
    return ReadName();
}

// Quoted runs and #codes standing together make one string; in a wide string
// the codes are UTF-16 units, in the others bytes.
std::u16string TReader::ReadPieces(bool wide) {
    std::u16string out;
    bool any = false;
    while (FPos < FText.size()) {
        char c = FText[FPos];
        if (c == '\'') {
            ++FPos;
            for (;;) {
                if (FPos >= FText.size()) Invalid();
                char d = FText[FPos++];
                if (d == '\'') {
                    if (FPos < FText.size() && FText[FPos] == '\'') {
                        out += u'\'';
                        ++FPos;
                        continue;
                    }
                    break;
                }
                if (d == '\r' || d == '\n') Invalid();
                out += static_cast<char16_t>(static_cast<unsigned char>(d));
            }
        } else if (c == '#') {
            ++FPos;
            uint32_t code = 0;
            size_t start = FPos;
            while (FPos < FText.size() && IsDigit(FText[FPos]) && FPos - start < 6)
                code = code * 10 + static_cast<uint32_t>(FText[FPos++] - '0');
            if (FPos == start || code > (wide ? 0xFFFFu : 0xFFu)) Invalid();
            out += static_cast<char16_t>(code);
        } else {
            break;
        }
        any = true;
    }
    if (!any) Invalid();
    return out;
}

namespace {
std::string Narrow(const std::u16string& bytes) {
    std::string out(bytes.size(), '\0');
    for (size_t i = 0; i < bytes.size(); ++i) out[i] = static_cast<char>(bytes[i]);
    return out;
}
}  // namespace

std::string TReader::ReadString() {
    if (NextValue() != TValueType::vaString) throw EReadError(kInvalidValue);
    return Narrow(ReadPieces(false));
}

std::string TReader::ReadUTF8String() {
    TValueType t = NextValue();
    if (t == TValueType::vaUTF8String) ++FPos;
    else if (t != TValueType::vaString) throw EReadError(kInvalidValue);
    return Narrow(ReadPieces(false));
}

std::u16string TReader::ReadWideString() {
    switch (NextValue()) {
    case TValueType::vaWString:
        ++FPos;
        return ReadPieces(true);
    case TValueType::vaUTF8String:
        ++FPos;
        return UTF8Decode(Narrow(ReadPieces(false)));
    case TValueType::vaString:
        return ReaderAnsiToWide(Narrow(ReadPieces(false)));
    default:
        throw EReadError(kInvalidValue);
    }
}

void TReader::ReadListBegin() {
    if (NextValue() != TValueType::vaList) throw EReadError(kInvalidValue);
    ++FPos;
}

bool TReader::EndOfList() {
    SkipBlanks();
    if (FPos >= FText.size()) Invalid();
    return FText[FPos] == ')';
}

void TReader::ReadListEnd() { Expect(')'); }

void TReader::SkipValue() {
    switch (NextValue()) {
    case TValueType::vaList:
        if (++FDepth > kMaxDepth) Invalid();
        ReadListBegin();
        while (!EndOfList()) SkipValue();
        ReadListEnd();
        --FDepth;
        break;
    case TValueType::vaInteger: ReadInt64(); break;
    case TValueType::vaString: ReadString(); break;
    case TValueType::vaWString: ReadWideString(); break;
    case TValueType::vaUTF8String: ReadUTF8String(); break;
    case TValueType::vaNull: Invalid();
    default: ReadName(); break;
    }
}

void TReader::DefineProperty(const std::string& name, const TReaderProc& read, const TWriterProc&, bool) {
    if (FPropHandled || !read || !SameText(name, FPropName)) return;
    read(*this);
    FPropHandled = true;
}

void TReader::ReadPropValue(TPersistent& instance, const TPropInfo& prop) {
    switch (prop.Kind) {
    case TTypeKind::tkInteger: prop.SetOrd(instance, ReadInteger()); break;
    case TTypeKind::tkEnumeration: prop.SetOrd(instance, ReadBoolean() ? 1 : 0); break;
    case TTypeKind::tkChar: {
        std::string s = ReadString();
        if (s.size() > 1) throw EReadError(kInvalidValue);
        prop.SetOrd(instance, s.empty() ? 0 : static_cast<unsigned char>(s[0]));
        break;
    }
    case TTypeKind::tkWChar: {
        std::u16string s = ReadWideString();
        if (s.size() > 1) throw EReadError(kInvalidValue);
        prop.SetOrd(instance, s.empty() ? 0 : s[0]);
        break;
    }
    case TTypeKind::tkLString: prop.SetStr(instance, ReadString()); break;
    case TTypeKind::tkWString: prop.SetWStr(instance, ReadWideString()); break;
    case TTypeKind::tkMethod: prop.SetStr(instance, ReadIdent()); break;
    case TTypeKind::tkClass: throw EReadError(kInvalidValue);
    }
}

void TReader::ReadProperty(TPersistent& instance) {
    std::string path = ReadName();
    Expect('=');
    TPersistent* target = &instance;
    size_t start = 0;
    for (size_t dot; (dot = path.find('.', start)) != std::string::npos; start = dot + 1) {
        std::string part = path.substr(start, dot - start);
        const TClassInfo* info = target->ClassInfo();
        const TPropInfo* p = info ? info->Find(part) : nullptr;
        if (!p || p->Kind != TTypeKind::tkClass || !p->GetObj(*target))
            throw EReadError("Error reading " + path + ": Property " + part + " does not exist");
        target = p->GetObj(*target);
    }
    std::string name = path.substr(start);
    const TClassInfo* info = target->ClassInfo();
    if (const TPropInfo* p = info ? info->Find(name) : nullptr) {
        ReadPropValue(*target, *p);
        return;
    }
    FPropName = name;
    FPropHandled = false;
    target->DefineProperties(this);
    FPropName.clear();
    if (!FPropHandled) throw EReadError("Error reading " + path + ": Property " + name + " does not exist");
}

void TReader::ReadProperties(TPersistent& instance) {
    while (!AtWord("object") && !AtWord("end")) {
        if (FPos >= FText.size()) Invalid();
        ReadProperty(instance);
    }
}

void TReader::ReadComponentBody(TComponent& component) {
    if (++FDepth > kMaxDepth) Invalid();
    TComponent* saved = FOwner;
    FOwner = &component;
    ReadProperties(component);
    while (AtWord("object")) {
        FPos += 6;
        std::string name = ReadName();
        Expect(':');
        std::string className = ReadName();
        TComponent* child = FRoot->FindComponent(name);
        if (!child) {
            auto it = ClassRegistry().find(UpperCase(className));
            if (it == ClassRegistry().end()) throw EReadError("Class " + className + " not found");
            child = it->second(FRoot);
            child->SetName(name);
        }
        ReadComponentBody(*child);
    }
    if (!AtWord("end")) Invalid();
    FPos += 3;
    FOwner = saved;
    --FDepth;
}

void TReader::ReadRootComponent(TComponent& root) {
    FRoot = &root;
    if (!AtWord("object")) Invalid();
    FPos += 6;
    std::string name = ReadName();
    SkipBlanks();
    if (FPos < FText.size() && FText[FPos] == ':') {
        ++FPos;
        ReadName();  // the class: the root already is one
        if (!name.empty()) root.SetName(name);
    }
    ReadComponentBody(root);
}

// ---------------------------------------------------------------- writing

namespace {
// Printable ASCII goes between quotes, everything else as #code, so layouts
// stay plain ASCII whatever they hold.
template <class S>
std::string Quote(const S& s) {
    std::string out;
    bool open = false;
    for (auto ch : s) {
        auto code = static_cast<uint32_t>(static_cast<std::make_unsigned_t<typename S::value_type>>(ch));
        if (code >= 0x20 && code < 0x7F) {
            if (!open) out += '\'';
            open = true;
            if (code == '\'') out += '\'';
            out += static_cast<char>(code);
        } else {
            if (open) out += '\'';
            open = false;
            out += '#' + std::to_string(code);
        }
    }
    if (open) out += '\'';
    return out.empty() ? "''" : out;
}
}  // namespace

TWriter::TWriter(TStream& stream) : FStream(stream) {}

TWriter::~TWriter() {
    try {
        FlushBuffer();
    } catch (...) {
        // A destructor must not raise; WriteRootComponent has flushed already.
    }
}

void TWriter::FlushBuffer() {
    if (FOut.empty()) return;
    std::string out = std::move(FOut);
    FOut.clear();
    FStream.WriteBuffer(out.data(), static_cast<int32_t>(out.size()));
}

void TWriter::BeginValue() {
    if (FListDepth > 0) FOut += "\r\n" + std::string(static_cast<size_t>(2 * (FIndent + FListDepth)), ' ');
}

void TWriter::WritePropName(const std::string& name) {
    FOut += std::string(static_cast<size_t>(2 * FIndent), ' ') + name + " = ";
}

void TWriter::EndProperty() { FOut += "\r\n"; }

void TWriter::WriteInteger(int64_t value) {
    BeginValue();
    FOut += std::to_string(value);
}
void TWriter::WriteBoolean(bool value) {
    BeginValue();
    FOut += value ? "True" : "False";
}
void TWriter::WriteIdent(const std::string& ident) {
    BeginValue();
    FOut += ident;
}
void TWriter::WriteString(const std::string& value) {
    BeginValue();
    FOut += Quote(value);
}
void TWriter::WriteWideString(const std::u16string& value) {
    BeginValue();
    FOut += 'W' + Quote(value);
}
void TWriter::WriteUTF8String(const std::string& utf8) {
    BeginValue();
    FOut += 'U' + Quote(utf8);
}
void TWriter::WriteListBegin() {
    BeginValue();
    FOut += '(';
    ++FListDepth;
}
void TWriter::WriteListEnd() {
    --FListDepth;
    FOut += ')';
}

void TWriter::DefineProperty(const std::string& name, const TReaderProc&, const TWriterProc& write, bool hasData) {
    if (!hasData || !write) return;
    WritePropName(FPrefix + name);
    write(*this);
    EndProperty();
}

void TWriter::WriteProps(const TPersistent& instance, const std::string& prefix) {
    if (const TClassInfo* info = instance.ClassInfo()) {
        for (const TPropInfo* p : info->All()) {
            std::string name = prefix + p->Name;
            switch (p->Kind) {
            case TTypeKind::tkClass:
                if (TPersistent* sub = p->GetObj(instance)) WriteProps(*sub, name + ".");
                continue;
            case TTypeKind::tkMethod:
                if (p->GetStr(instance).empty()) continue;
                WritePropName(name);
                WriteIdent(p->GetStr(instance));
                break;
            case TTypeKind::tkInteger: WritePropName(name); WriteInteger(p->GetOrd(instance)); break;
            case TTypeKind::tkEnumeration: WritePropName(name); WriteBoolean(p->GetOrd(instance) != 0); break;
            case TTypeKind::tkChar:
                WritePropName(name);
                WriteString(p->GetOrd(instance) ? std::string(1, static_cast<char>(p->GetOrd(instance))) : std::string());
                break;
            case TTypeKind::tkWChar:
                WritePropName(name);
                WriteWideString(p->GetOrd(instance) ? std::u16string(1, static_cast<char16_t>(p->GetOrd(instance)))
                                                    : std::u16string());
                break;
            case TTypeKind::tkLString: WritePropName(name); WriteString(p->GetStr(instance)); break;
            case TTypeKind::tkWString: WritePropName(name); WriteWideString(p->GetWStr(instance)); break;
            }
            EndProperty();
        }
    }
    std::string saved = FPrefix;
    FPrefix = prefix;
    const_cast<TPersistent&>(instance).DefineProperties(this);
    FPrefix = saved;
}

void TWriter::WriteProperties(const TPersistent& instance) { WriteProps(instance, ""); }

void TWriter::WriteComponent(TComponent& component) {
    FOut += std::string(static_cast<size_t>(2 * FIndent), ' ') + "object " + component.Name() + ": " +
            component.ClassName() + "\r\n";
    ++FIndent;
    TComponent* saved = FOwner;
    FOwner = &component;
    WriteProperties(component);
    // A component without a name is a helper its owner makes for itself (the
    // wide texts of an action, say): it could not be found again by name when
    // the layout is read, and its owner makes it anew.
    for (int i = 0; i < component.ComponentCount(); ++i)
        if (!component.Components(i)->Name().empty()) WriteComponent(*component.Components(i));
    FOwner = saved;
    --FIndent;
    FOut += std::string(static_cast<size_t>(2 * FIndent), ' ') + "end\r\n";
}

void TWriter::WriteRootComponent(TComponent& root) {
    FRoot = &root;
    WriteComponent(root);
    FlushBuffer();
}
