#include "viewer/Sentence.h"

#include "framework/SysUtils.h"

DelimiterSet BlankDelimiters() {
    DelimiterSet set;
    set.set(' ');
    return set;
}

void Sentence::Split(const std::string& text, const DelimiterSet& delimiters) {
    Pieces.clear();
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (delimiters.test(static_cast<unsigned char>(text[i]))) {
            Pieces.push_back(text.substr(start, i + 1 - start));
            start = i + 1;
        }
    }
    Pieces.push_back(text.substr(start));
}

std::string Sentence::Word(int32_t i) const {
    if (i < 0 || i >= Count()) return {};
    return Trim(Pieces[static_cast<size_t>(i)]);
}
