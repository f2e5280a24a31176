#include "viewer/XmlParser.h"

#include <fstream>
#include <limits>

namespace {

bool IsBlank(unsigned char c) { return c == ' ' || (c >= 9 && c <= 13); }

}  // namespace

int32_t xml_parser::ReadFile(const std::string& path) {
    Buffer_.clear();
    Buffer_.shrink_to_fit();
    HasBuffer_ = false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return -1;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0 || size > std::numeric_limits<int32_t>::max()) return -1;
    in.seekg(0, std::ios::beg);
    std::string bytes(static_cast<size_t>(size), '\0');
    in.read(bytes.data(), size);
    // A read error makes the page unopenable; a file that shrank since its
    // size was taken keeps only the bytes actually read, never stale memory.
    if (in.bad()) return -1;
    bytes.resize(static_cast<size_t>(in.gcount()));
    Buffer_ = std::move(bytes);
    HasBuffer_ = true;
    return 0;
}

void xml_parser::SetBuffer(std::string bytes) {
    Buffer_ = std::move(bytes);
    HasBuffer_ = true;
}

// A character state machine; see the table of states in the comments below.
// It accepts any byte sequence: there are no error states.
void xml_parser::Parse(xml_user& handler) const {
    if (!HasBuffer_) return;
    enum State { Text, AfterLt, Processing, TagName, BetweenAttrs, AfterSlash, AfterEq, Quoted, Bare };
    std::string token, tagName, attrName;
    bool endTag = false;
    State state = Text;
    auto reportTag = [&] {
        if (endTag)
            handler.EndTag(token);
        else
            handler.StartTag(token);
    };
    auto reportAttribute = [&] {
        std::string value = std::move(token);
        token.clear();
        handler.Attribute(tagName, attrName, value);
    };
    for (char ch : Buffer_) {
        if (handler.Stop != 0) break;
        unsigned char c = static_cast<unsigned char>(ch);
        if (state == AfterLt) {
            if (c == '?') {
                state = Processing;
                continue;
            }
            if (c == '/') {
                endTag = true;
                continue;
            }
            state = TagName;  // this byte is read as the tag name's
        }
        switch (state) {
            case Text:
                if (c == '<') {
                    handler.Text(token);
                    token.clear();
                    endTag = false;
                    state = AfterLt;
                } else {
                    token += ch;
                }
                break;
            case Processing:  // "<?" ... ">" is skipped whole
                if (c == '>') {
                    token.clear();
                    state = Text;
                } else {
                    token += ch;
                }
                break;
            case TagName:
                if (c == '>') {
                    reportTag();
                    token.clear();
                    state = Text;
                } else if (IsBlank(c)) {
                    reportTag();
                    tagName = std::move(token);
                    token.clear();
                    state = BetweenAttrs;
                } else {
                    token += ch;
                }
                break;
            case BetweenAttrs:
                if (c == '/') {
                    state = AfterSlash;
                } else if (c == '>') {
                    token.clear();
                    state = Text;
                } else if (c == ' ') {
                } else if (c == '=') {
                    attrName = std::move(token);
                    token.clear();
                    state = AfterEq;
                } else {
                    token += ch;
                }
                break;
            case AfterSlash:
                if (c == '>')
                    state = Text;
                else
                    token += ch;
                break;
            case AfterEq:
                if (c == ' ' || c == '>') {
                    reportAttribute();
                    state = c == ' ' ? BetweenAttrs : Text;
                } else if (c == '"' || c == '\'') {
                    state = Quoted;
                } else {
                    token += ch;
                    state = Bare;
                }
                break;
            case Quoted:  // either quote ends the value, whichever opened it
                if (c == '"' || c == '\'') {
                    reportAttribute();
                    state = BetweenAttrs;
                } else {
                    token += ch;
                }
                break;
            case Bare:
                if (c == '>' || IsBlank(c)) {
                    reportAttribute();
                    state = c == '>' ? Text : BetweenAttrs;
                } else {
                    token += ch;
                }
                break;
            case AfterLt:
                break;
        }
    }
}
