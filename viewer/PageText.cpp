#include "viewer/PageText.h"

#include "framework/SysUtils.h"

void ihtml::StartTag(const std::string& name) {
    if (SameText(name, "title")) InTitle = true;
    if (SameText(name, "body")) InBody = true;
}

void ihtml::EndTag(const std::string& name) {
    if (SameText(name, "title")) InTitle = false;
    if (SameText(name, "body")) InBody = false;
}

void ihtml::Text(const std::string& text) {
    if (InBody) Body += text;
    if (InTitle) Title += text;
}

HtmlInfo ExtractPageText(const std::string& path) {
    xml_parser parser;
    ihtml handler;
    parser.ReadFile(path);
    parser.Parse(handler);
    return {std::move(handler.Body), std::move(handler.Title)};
}
