#include "editor/crashreport/support/web/HtmlForms.h"

#include "framework/SysUtils.h"

const TStopStrings AttributeStops = {" ", ">", "/>"};
const TStopStrings InputStops = {">", "/>"};
const TStopStrings TextAreaStops = {"</textarea>", "/>"};
const TStopStrings OptionStops = {"</option>"};
const TStopStrings ListStops = {"</select>"};
const TStopStrings QuoteStops = {"\""};

namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

// The text at i starts with `what`, letters compared without case.
bool StartsHere(const std::string& text, size_t i, const std::string& what) {
    if (text.size() - i < what.size())
        return false;
    for (size_t k = 0; k < what.size(); ++k)
        if (Lower(text[i + k]) != Lower(what[k]))
            return false;
    return true;
}

bool StopAt(const std::string& text, size_t i, const TStopStrings& stops) {
    for (const std::string& stop : stops)
        if (!stop.empty() && StartsHere(text, i, stop))
            return true;
    return false;
}

size_t FindNoCase(const std::string& text, const std::string& what, size_t from) {
    if (what.empty() || text.size() < what.size())
        return std::string::npos;
    const char first = Lower(what[0]);
    for (size_t i = from; i + what.size() <= text.size(); ++i)
        if (Lower(text[i]) == first && StartsHere(text, i, what))
            return i;
    return std::string::npos;
}

// One page the scanner reads; every search goes forward through it, so
// repeated scans stay linear.
struct TPage {
    explicit TPage(const std::string& text) : Text(text) {}
    const std::string& Text;
};

// The raw piece after the next `tag` at or after `position` up to the first
// stop outside quotes. False when the tag does not occur.
bool ScanTag(const TPage& page, const std::string& tag, const TStopStrings& stops, size_t& position, size_t& begin,
             size_t& end) {
    if (position > page.Text.size())
        return false;
    const size_t at = FindNoCase(page.Text, tag, position);
    if (at == std::string::npos)
        return false;
    begin = at + tag.size();
    bool insideTag = true, inDouble = false, inSingle = false;
    size_t i = begin;
    for (; i < page.Text.size(); ++i) {
        const char c = page.Text[i];
        if ((!(inDouble || inSingle) || !insideTag) && StopAt(page.Text, i, stops))
            break;
        if (insideTag) {
            if (c == '"' && !inSingle)
                inDouble = !inDouble;
            else if (c == '\'' && !inDouble)
                inSingle = !inSingle;
            else if (c == '>' && !inDouble && !inSingle)
                insideTag = false;
        } else if (c == '<') {
            insideTag = true;
        }
    }
    end = i;
    position = i + 1;
    return true;
}

// Blanks directly before and after an "=" outside quotes removed.
std::string TightenEquals(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    bool inDouble = false, inSingle = false, skipBlanks = false;
    for (char c : text) {
        if (skipBlanks && c == ' ')
            continue;
        skipBlanks = false;
        if (c == '"' && !inSingle)
            inDouble = !inDouble;
        else if (c == '\'' && !inDouble)
            inSingle = !inSingle;
        else if (c == '=' && !inDouble && !inSingle) {
            while (!out.empty() && out.back() == ' ')
                out.pop_back();
            skipBlanks = true;
        }
        out += c;
    }
    return out;
}

// The element text an attribute is read from: trimmed, blanks around "="
// removed, not yet decoded (decoding happens once, on the attribute value).
std::string ElementText(const std::string& raw) {
    return TightenEquals(Trim(raw));
}

// The unquoted, decoded value of `attribute` ("name=") in an element text;
// `after` is where the attribute's value ended.
std::string AttributeValue(const std::string& element, const std::string& attribute, size_t* after = nullptr) {
    const TPage page(element);
    size_t position = 0, begin = 0, end = 0;
    if (!ScanTag(page, attribute, AttributeStops, position, begin, end))
        return "";
    if (after != nullptr)
        *after = end;
    return DecodeHTMLEntities(StripQuotes(Trim(element.substr(begin, end - begin))));
}

// The first list named `name`: the text after its name attribute.
bool FindList(const TPage& page, const std::string& name, std::string& options) {
    size_t position = 0, begin = 0, end = 0;
    while (ScanTag(page, "<select ", ListStops, position, begin, end)) {
        const std::string list = ElementText(page.Text.substr(begin, end - begin));
        size_t after = 0;
        if (SameText(AttributeValue(list, "name=", &after), name)) {
            options = list.substr(after);
            return true;
        }
    }
    return false;
}

// Each "<option " piece of a list, raw.
template <typename Visit>
void ForEachOption(const std::string& options, Visit visit) {
    const TPage page(options);
    size_t position = 0, begin = 0, end = 0;
    while (ScanTag(page, "<option ", OptionStops, position, begin, end))
        if (visit(options.substr(begin, end - begin)))
            return;
}

bool AllDigits(const std::string& text) {
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

}  // namespace

std::string FindTagText(const std::string& text, const std::string& tag, const TStopStrings& stops,
                        size_t& position) {
    const TPage page(text);
    size_t at = position, begin = 0, end = 0;
    if (!ScanTag(page, tag, stops, at, begin, end))
        return "";
    position = at;
    return DecodeHTMLEntities(ElementText(text.substr(begin, end - begin)));
}

std::string StripQuotes(const std::string& text) {
    auto quote = [](char c) { return c == '"' || c == '\''; };
    size_t from = 0, to = text.size();
    if (to > from && quote(text[from]))
        ++from;
    if (to > from && quote(text[to - 1]))
        --to;
    return text.substr(from, to - from);
}

std::string DecodeHTMLEntities(const std::string& text) {
    static const struct {
        const char* name;
        char ch;
    } named[] = {{"&amp;", '&'}, {"&quot;", '"'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&nbsp;", ' '}, {"&apos;", '\''}};
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (text[i] != '&') {
            out += text[i++];
            continue;
        }
        bool done = false;
        for (const auto& e : named) {
            if (text.compare(i, std::char_traits<char>::length(e.name), e.name) == 0) {
                out += e.ch;
                i += std::char_traits<char>::length(e.name);
                done = true;
                break;
            }
        }
        if (!done && i + 1 < text.size() && text[i + 1] == '#') {
            size_t k = i + 2;
            int value = 0;
            while (k < text.size() && k < i + 6 && text[k] >= '0' && text[k] <= '9')
                value = value * 10 + (text[k++] - '0');
            if (k > i + 2 && k < text.size() && text[k] == ';' && value >= 1 && value <= 255) {
                out += static_cast<char>(value);
                i = k + 1;
                done = true;
            }
        }
        if (!done)
            out += text[i++];
    }
    return out;
}

bool FindInputValue(const std::string& page, const std::string& name, std::string& value) {
    const TPage p(page);
    size_t position = 0, begin = 0, end = 0;
    while (ScanTag(p, "<input ", InputStops, position, begin, end)) {
        std::string element = ElementText(page.substr(begin, end - begin));
        if (!element.empty() && element.back() == '/')
            element.pop_back();
        if (!SameText(AttributeValue(element, "name="), name))
            continue;
        std::string found = AttributeValue(element, "value=");
        if (!found.empty()) {
            value = found;
            return true;
        }
    }
    return false;
}

bool FindTextAreaText(const std::string& page, const std::string& name, std::string& text) {
    const TPage p(page);
    size_t position = 0, begin = 0, end = 0;
    while (ScanTag(p, "<textarea ", TextAreaStops, position, begin, end)) {
        const std::string piece = page.substr(begin, end - begin);
        // The element's own text ends at its first '>' outside quotes; the
        // inner text after it keeps its blanks.
        size_t close = std::string::npos;
        bool inDouble = false, inSingle = false;
        for (size_t i = 0; i < piece.size() && close == std::string::npos; ++i) {
            const char c = piece[i];
            if (c == '"' && !inSingle)
                inDouble = !inDouble;
            else if (c == '\'' && !inDouble)
                inSingle = !inSingle;
            else if (c == '>' && !inDouble && !inSingle)
                close = i;
        }
        if (!SameText(AttributeValue(ElementText(piece.substr(0, close)), "name="), name))
            continue;
        text = close == std::string::npos ? "" : DecodeHTMLEntities(Trim(piece.substr(close + 1)));
        return true;
    }
    return false;
}

bool FindSelectedListValue(const std::string& page, const std::string& name, std::string& value) {
    std::string options;
    if (!FindList(TPage(page), name, options))
        return false;
    value.clear();
    ForEachOption(options, [&](const std::string& option) {
        if (LowerCase(option).find("selected") == std::string::npos)
            return false;
        value = AttributeValue(ElementText(option), "value=");
        return true;
    });
    return true;
}

bool FindListValueByTitle(const std::string& page, const std::string& name, const std::string& title,
                          std::string& value) {
    std::string options;
    if (!FindList(TPage(page), name, options))
        return false;
    value.clear();
    const std::string wanted = Trim(title);
    ForEachOption(options, [&](const std::string& option) {
        const std::string element = ElementText(option);
        size_t after = 0;
        const std::string optionValue = AttributeValue(element, "value=", &after);
        // The visible title: entity-like runs from '&' to the next blank
        // dropped, then the text after the element's '>'.
        std::string shown;
        for (size_t i = after; i < element.size(); ++i) {
            if (element[i] == '&') {
                while (i < element.size() && element[i] != ' ')
                    ++i;
                if (i == element.size())
                    break;
            }
            shown += element[i];
        }
        const size_t gt = shown.find('>');
        shown = Trim(gt == std::string::npos ? shown : shown.substr(gt + 1));
        if (!SameText(shown, wanted))
            return false;
        value = optionValue;
        return true;
    });
    return true;
}

std::string FindTextAfterMarker(const std::string& page, const std::string& marker, int n) {
    if (marker.empty() || n < 1)
        return "";
    const std::string low = LowerCase(page);
    const std::string mark = LowerCase(marker);
    size_t at = 0, from = 0;
    for (int k = 0; k < n; ++k) {
        at = low.find(mark, from);
        if (at == std::string::npos)
            return "";
        from = at + mark.size();
    }
    std::string out;
    for (size_t i = from; i < low.size(); ++i) {
        const char c = low[i];
        if (c == ' ' || c == '"' || c == '&' || c == '\'' || c == '<' || c == '>' || c == '\\')
            break;
        out += c;
    }
    return out;
}

bool RaiseBugCount(const std::string& title, std::string& raised) {
    raised = title;
    const size_t p = title.find(" - ");
    if (p == std::string::npos)
        return true;
    const size_t from = p + 3;
    const size_t close = title.find(']', from);
    const size_t to = close == std::string::npos ? title.size() : close;
    const std::string count = title.substr(from, to - from);
    if (!AllDigits(count))
        return true;
    const size_t significant = count.find_first_not_of('0');
    if (significant != std::string::npos && count.size() - significant > 4)
        return false;  // far beyond the limit
    const int n = std::stoi(count);
    if (n >= MaxBugCount)
        return false;
    raised = title.substr(0, from) + std::to_string(n + 1) + title.substr(to);
    return true;
}

std::string BugSummaryText(const std::string& version, const std::string& className, const std::string& identifier) {
    return "[v" + version + " - 1]: " + className + " (" + identifier + ")";
}

std::string BugSearchText(const std::string& className, const std::string& identifier) {
    return className + " (" + identifier + ")";
}

std::string AddOptionalField(const std::string& text, const std::string& extra) {
    if (extra.empty())
        return text;
    return text + "\r\n\r\n---\r\n\r\n" + extra;
}

bool IsExpectedAnswer(const std::string& answerPage, const std::string& body, const std::string& page,
                      const std::string& mustContain, const std::string& mustNotContain) {
    if (!page.empty() && !SameText(page, answerPage))
        return false;
    if (mustContain.empty() && mustNotContain.empty())
        return true;
    const std::string low = LowerCase(body);
    if (!mustContain.empty() && low.find(LowerCase(mustContain)) == std::string::npos)
        return false;
    if (!mustNotContain.empty() && low.find(LowerCase(mustNotContain)) != std::string::npos)
        return false;
    return true;
}

bool HasOptionValue(const std::string& page, const std::string& value) {
    bool found = false;
    ForEachOption(page, [&](const std::string& option) {
        found = AttributeValue(ElementText(option), "value=") == value;
        return found;
    });
    return found;
}
