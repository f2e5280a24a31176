#pragma once
// Big help pages made in memory, for the test and the benchmark that lay
// them out: prose in paragraphs, lists and tables, and the shapes that once
// made the layout slow (a tag with a long name and many attributes, a word
// split by thousands of tags, a long text full of search hits).
#include <cstddef>
#include <string>

// About `bytes` of ordinary manual text.
inline std::string BigProsePage(size_t bytes) {
    static const char* const words[] = {"the", "byte", "editor", "shows", "every", "file", "in", "three", "views,",
                                        "text", "decimal", "and", "hexadecimal;", "a", "selection", "moves-with",
                                        "cursor", "keys.", "Search", "finds", "values", "&amp;", "strings"};
    std::string page = "<html><head><title>A long page</title></head><body>\n<h1>A long page</h1>\n";
    size_t n = 0;
    while (page.size() < bytes) {
        page += "<p>";
        for (int i = 0; i < 60; ++i, ++n) {
            page += words[(n * 7 + static_cast<size_t>(i)) % (sizeof words / sizeof *words)];
            page += (i % 17 == 16) ? "\n" : " ";
        }
        page += (n % 9 == 0) ? "<b>bold</b> and <i>italic</i> and <a href=\"x.htm\">a link</a></p>\n" : "</p>\n";
        if (n % 1300 == 0) page += "<ul><li>one<li>two<li>three</ul><table><tr><td width=30%>cell<td>other cell</table>\n";
    }
    return page + "</body></html>\n";
}

// The shapes that grew with the square of the page before.
inline std::string BigAwkwardPage(size_t bytes) {
    std::string page = "<html><body>";
    // One tag with a long name and many attributes.
    page += "<" + std::string(bytes / 4, 'n');
    for (size_t i = 0; i < bytes / 4 / 8; ++i) page += " a=\"v\"";
    page += ">";
    // One word in many bold and plain pieces, longer than any line.
    for (size_t i = 0; i < bytes / 4 / 10; ++i) page += (i % 2) ? "<b>xy</b>" : "z";
    page += " ";
    // One text full of search hits ("ab"), and one long word.
    std::string hits;
    while (hits.size() < bytes / 8) hits += "ab cd ";
    page += "<p>" + hits + std::string(bytes / 8, 'w') + "</p>";
    return page + "</body></html>";
}
