#pragma once
// Where a link of a page leads. Targets are file names relative to the
// page's folder; a part after "#" names a place in the page, which the view
// does not keep, so it is dropped; web and mail addresses go to the system.
#include <string>

enum class LinkKind { None, Page, External };

struct LinkTarget {
    LinkKind Kind = LinkKind::None;
    std::string Path;  // the page file, or the address for the system
};

// pageFolder ends in a backslash.
LinkTarget ResolveLink(const std::string& pageFolder, const std::string& link);
