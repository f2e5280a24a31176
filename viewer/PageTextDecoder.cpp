#include "viewer/PageTextDecoder.h"

namespace {

bool IsRunBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

std::string DecodePageText(const std::string& raw) {
    std::string out;
    out.reserve(raw.size());
    bool inEntity = false, inRun = false;
    std::string name;
    for (size_t i = 0; i < raw.size(); ++i) {
        char c = raw[i];
        if (inEntity) {
            if (IsLetter(c)) {
                name += c;
                continue;
            }
            inEntity = false;
            if (c == ';') {
                if (name == "lt")
                    out += '<';
                else if (name == "gt")
                    out += '>';
                else if (name == "amp")
                    out += '&';
                else
                    out += "&" + name + ";";
                inRun = false;
                continue;
            }
            // Neither a letter nor ";": the entity stays as written and this
            // byte is read as ordinary text (another "&" opens a new entity).
            out += "&" + name;
            inRun = false;
        }
        if (IsRunBlank(c)) {
            if (!inRun) out += ' ';
            inRun = true;
        } else if (c == '&') {
            inEntity = true;
            name.clear();
        } else {
            out += c;
            inRun = false;
        }
    }
    if (inEntity) out += "&" + name;
    return out;
}
