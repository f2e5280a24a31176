#include "viewer/PageLinks.h"

#include <cctype>

namespace {
bool StartsWithNoCase(const std::string& text, const char* prefix) {
    size_t i = 0;
    for (; prefix[i]; ++i)
        if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    return true;
}
}  // namespace

LinkTarget ResolveLink(const std::string& pageFolder, const std::string& link) {
    for (const char* scheme : {"http:", "https:", "ftp:", "mailto:"})
        if (StartsWithNoCase(link, scheme)) return {LinkKind::External, link};
    std::string file = link.substr(0, link.find('#'));
    if (file.empty()) return {};  // a place on the page shown
    // A drive or a root folder makes the name absolute.
    bool absolute = (file.size() >= 2 && file[1] == ':') || file[0] == '\\' || file[0] == '/';
    return {LinkKind::Page, absolute ? file : pageFolder + file};
}
