#include "editor/unicode/UvxHotkeys.h"

#include <algorithm>

#include "framework/WideCase.h"

std::u16string WideGetHotkey(const std::u16string& caption) {
    std::u16string result;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (i + 1 >= caption.size()) break;
        if (caption[i + 1] == u'&') {
            ++i;  // a literal "&"
            continue;
        }
        result.assign(1, caption[i + 1]);
    }
    return result;
}

std::u16string WideStripHotkey(const std::u16string& caption, bool farEast) {
    std::u16string r;
    for (size_t i = 0; i < caption.size(); ++i) {
        char16_t c = caption[i];
        if (c != u'&') {
            r += c;
            continue;
        }
        if (i + 1 < caption.size() && caption[i + 1] == u'&') {
            r += u'&';
            ++i;
            continue;
        }
        if (farEast && !r.empty() && r.back() == u'(' && i + 2 < caption.size() && caption[i + 2] == u')') {
            r.pop_back();
            i += 2;
        }
    }
    return r;
}

bool WideSameCaption(const std::u16string& a, const std::u16string& b, bool farEast) {
    return WideCompareText(WideStripHotkey(a, farEast), WideStripHotkey(b, farEast)) == 0;
}

std::u16string SyncHotKeyPosition(const std::u16string& wideCaption, const std::u16string& frameworkCaption,
                                  bool farEast) {
    std::u16string r = WideStripHotkey(wideCaption, farEast);
    const std::u16string& f = frameworkCaption;
    size_t j = 0;  // the place in r that f[i] stands for
    for (size_t i = 0; i < f.size(); ++i) {
        j = std::min(j, r.size());
        if (farEast && f[i] == u'(' && i + 3 < f.size() && f[i + 1] == u'&' && f[i + 3] == u')') {
            // A Far-Eastern hotkey group "(&X)" is copied whole.
            r.insert(j, f.substr(i, 4));
            j += 4;
            i += 3;
        } else if (f[i] == u'&') {
            r.insert(j, 1, u'&');
            j += 1;
            if (i + 1 < f.size() && f[i + 1] == u'&') {
                ++i;  // "&&": the stripped text kept one of the pair
                ++j;
            }
        } else {
            ++j;
        }
    }
    return r;
}

std::u16string WideGetShortHint(const std::u16string& hint) {
    size_t bar = hint.find(u'|');
    return bar == std::u16string::npos ? hint : hint.substr(0, bar);
}

std::u16string WideGetLongHint(const std::u16string& hint) {
    size_t bar = hint.find(u'|');
    return bar == std::u16string::npos ? hint : hint.substr(bar + 1);
}
