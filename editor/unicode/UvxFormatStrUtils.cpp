#include "editor/unicode/UvxFormatStrUtils.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "editor/unicode/UvxBuffers.h"
#include "editor/unicode/UvxCodePage.h"

namespace {
enum TSpecifierKind { skInteger = 0, skFloat = 1, skPointer = 2, skString = 3 };

std::u16string Digits(int n) {
    std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

std::string Ansi(const std::u16string& s) { return WideToAnsiSys(s); }

// One parse of one format string: every character consumed goes to Output,
// together with the indexes put in front of implicit specifiers.
class TFormatStrParser {
public:
    explicit TFormatStrParser(const std::u16string& fmt) : FText(fmt) {}

    std::u16string Canonical() {
        for (;;) {
            size_t pct = FText.find(u'%', FPos);
            if (pct == std::u16string::npos) break;
            Output.AddBuffer(FText.data() + FPos, static_cast<int>(pct - FPos));
            FPos = pct;
            ParseSpecifier();
        }
        if ((ExplicitSpecs == 0 && ImplicitSpecs == 1) || (ExplicitSpecs > 0 && ImplicitSpecs == 0)) return FText;
        return Output.Value() + Rest();
    }

    // Each specifier with its index in front of the rest of it.
    std::vector<std::u16string> Specifiers() {
        std::vector<std::u16string> list;
        for (;;) {
            size_t pct = FText.find(u'%', FPos);
            if (pct == std::u16string::npos) break;
            FPos = pct;
            Output.Clear();
            if (ParseSpecifier()) list.push_back(Output.Value());
        }
        return list;
    }

private:
    std::u16string Rest() const { return FText.substr(FPos); }
    bool AtEnd() const { return FPos >= FText.size(); }

    bool AcceptChar(char16_t c) {
        if (AtEnd() || FText[FPos] != c) return false;
        Output.AddChar(c);
        ++FPos;
        return true;
    }

    void ExpectChar(char16_t c) {
        if (!AcceptChar(c)) RaiseInvalidSpecifier();
    }

    [[noreturn]] void RaiseInvalidSpecifier() {
        throw EFormatSpecError("Invalid Format Specifier: " + Ansi(Output.Value() + Rest()));
    }

    // One to six digits: true; none: false; seven or more raise.
    bool ParseDigits(int* value = nullptr) {
        int count = 0, n = 0;
        while (!AtEnd() && FText[FPos] >= u'0' && FText[FPos] <= u'9') {
            if (count < 6) n = n * 10 + (FText[FPos] - u'0');
            AcceptChar(FText[FPos]);
            ++count;
        }
        if (count >= 7) RaiseInvalidSpecifier();
        if (value) *value = n;
        return count > 0;
    }

    void ParseTypeLetter() {
        static const std::u16string kTypes = u"defgmnpsuxDEFGMNPSUX";
        if (AtEnd() || kTypes.find(FText[FPos]) == std::u16string::npos) RaiseInvalidSpecifier();
        AcceptChar(FText[FPos]);
    }

    // Whether an index followed by ":" comes next; nothing is consumed.
    bool PeekExplicitIndex(int& index) {
        TBufferedWideString saved = Output;
        size_t savedPos = FPos;
        struct Restore {
            TFormatStrParser& p;
            TBufferedWideString& out;
            size_t pos;
            ~Restore() {
                p.Output = out;
                p.FPos = pos;
            }
        } restore{*this, saved, savedPos};
        Output.Clear();
        index = -1;
        if (!ParseDigits(&index)) return false;
        return !AtEnd() && FText[FPos] == u':';
    }

    void CountImplicit() {
        ++ImplicitSpecs;
        ++HighestIndex;
    }

    bool ParseSpecifier() {
        ExpectChar(u'%');
        if (AtEnd() || AcceptChar(u' ') || AcceptChar(u'%')) return false;
        int index;
        if (PeekExplicitIndex(index)) {
            ++ExplicitSpecs;
            HighestIndex = std::max(HighestIndex, index);
        } else {
            CountImplicit();
            Output.AddString(Digits(HighestIndex) + u":");
        }
        if (AcceptChar(u'*')) {
            CountImplicit();
            AcceptChar(u':');
        } else if (ParseDigits()) {
            AcceptChar(u':');  // without it the digits were the width
        }
        AcceptChar(u'-');
        if (AcceptChar(u'*')) CountImplicit();
        else ParseDigits();
        if (AcceptChar(u'.') && !AcceptChar(u'*')) ParseDigits();
        ParseTypeLetter();
        return true;
    }

    std::u16string FText;
    size_t FPos = 0;  // start of the unparsed rest

public:
    TBufferedWideString Output;
    int HighestIndex = -1;
    int ExplicitSpecs = 0;
    int ImplicitSpecs = 0;
};

int SpecifierIndex(const std::u16string& specifier) {
    size_t colon = specifier.find(u':');
    if (colon == std::u16string::npos) return -1;
    int n = 0;
    for (size_t i = 1; i < colon; ++i) n = n * 10 + (specifier[i] - u'0');
    return n;
}

TSpecifierKind SpecifierKind(const std::u16string& specifier) {
    char16_t c = specifier.empty() ? u'\0' : specifier.back();
    switch (c | 0x20) {
        case u'd': case u'u': case u'x': return skInteger;
        case u'e': case u'f': case u'g': case u'm': case u'n': return skFloat;
        case u'p': return skPointer;
        case u's': return skString;
        default:
            throw EUvxInternalError("Internal Error: Unexpected format type (" + Ansi(std::u16string(1, c)) + ")");
    }
}

struct TSpecEntry {
    std::u16string Text;
    TSpecifierKind Kind = skInteger;
};

std::string TypeMismatch(int index, const std::u16string& a, const std::u16string& b) {
    return "Argument types for index " + std::to_string(index) + " do not match. (" + Ansi(a) + " <> " + Ansi(b) + ")";
}

// Specifiers by argument index; an index no specifier uses stays empty, of kind 0.
std::vector<TSpecEntry> MapSpecifiersByIndex(const std::vector<std::u16string>& specs) {
    auto indexOf = [](const std::u16string& s, int previous) {
        int i = SpecifierIndex(s);
        return i < 0 ? previous + 1 : i;
    };
    int highest = -1, previous = -1;
    for (const auto& s : specs) {
        previous = indexOf(s, previous);
        highest = std::max(highest, previous);
    }
    std::vector<TSpecEntry> byIndex(static_cast<size_t>(highest + 1));
    previous = -1;
    for (const auto& s : specs) {
        previous = indexOf(s, previous);
        TSpecEntry& e = byIndex[static_cast<size_t>(previous)];
        TSpecifierKind kind = SpecifierKind(s);
        if (e.Text.empty()) e = TSpecEntry{s, kind};
        else if (e.Kind != kind) throw EFormatSpecError(TypeMismatch(previous, e.Text, s));
    }
    return byIndex;
}

std::vector<TSpecEntry> Map(const std::u16string& fmt) {
    return MapSpecifiersByIndex(TFormatStrParser(fmt).Specifiers());
}

// The first difference between the two strings' arguments, or an empty text.
std::string FirstDifference(const std::u16string& fmt1, const std::u16string& fmt2) {
    std::vector<TSpecEntry> a = Map(fmt1), b = Map(fmt2);
    if (a.size() != b.size())
        return "Number of format specifiers do not match.\r\n\r\n> " + Ansi(fmt1) + "\r\n> " + Ansi(fmt2);
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].Kind != b[i].Kind) return TypeMismatch(static_cast<int>(i), a[i].Text, b[i].Text);
    return {};
}
}  // namespace

std::u16string GetCanonicalFormatStr(const std::u16string& fmt) { return TFormatStrParser(fmt).Canonical(); }

void CompareFormatStrings(const std::u16string& fmt1, const std::u16string& fmt2) {
    std::string difference = FirstDifference(fmt1, fmt2);
    if (!difference.empty()) throw EFormatSpecError(difference);
}

bool FormatStringsAreCompatible(const std::u16string& fmt1, const std::u16string& fmt2) {
    return FirstDifference(fmt1, fmt2).empty();
}
