#pragma once
// The title and body text of a page, as the full-text search reads them.
#include <string>

#include "viewer/XmlParser.h"

struct HtmlInfo {
    std::string Body;
    std::string Title;
};

// Collects the raw text inside the title and body tags.
class ihtml : public xml_user {
public:
    void StartTag(const std::string& name) override;
    void EndTag(const std::string& name) override;
    void Text(const std::string& text) override;

    std::string Body;
    std::string Title;
    bool InBody = false;
    bool InTitle = false;
};

// A page that cannot be opened gives an empty body and title.
HtmlInfo ExtractPageText(const std::string& path);
