#pragma once
// A tolerant scanner for the forms of a tracker's web page: the value of an
// input element, the text of a text area, the selected option of a list or
// the option with a known title; and the texts the tracker drivers build from
// a bug's title and the server's answers. It reads substrings, not HTML, and
// every search is case-insensitive. Pages come from a server, so every
// function here runs in time linear in the page.
#include <cstdint>
#include <string>
#include <vector>

// Strings that end a scanned piece.
using TStopStrings = std::vector<std::string>;
extern const TStopStrings AttributeStops;  // " ", ">", "/>"
extern const TStopStrings InputStops;      // ">", "/>"
extern const TStopStrings TextAreaStops;   // "</textarea>", "/>"
extern const TStopStrings OptionStops;     // "</option>"
extern const TStopStrings ListStops;       // "</select>"
extern const TStopStrings QuoteStops;      // a double quote

// The occurrence count in a bug title stops here.
constexpr int32_t MaxBugCount = 9999;

// The trimmed text between the end of the next occurrence of `tag` at or
// after `position` and the first stop string outside quotes; blanks around
// every "=" removed and entities decoded. Empty, with the position left as
// it is, when the tag does not occur; else the position moves past the stop.
std::string FindTagText(const std::string& text, const std::string& tag, const TStopStrings& stops,
                        size_t& position);

// The text without one leading and one trailing quote (single or double).
std::string StripQuotes(const std::string& text);

// "&amp;", "&quot;", "&lt;", "&gt;", "&nbsp;", "&apos;" and decimal
// references "&#n;" (1 to 255) decoded in one pass from left to right: the
// text a decoding produces is never decoded again.
std::string DecodeHTMLEntities(const std::string& text);

// The value of the first input element with that name and a value that is
// not empty.
bool FindInputValue(const std::string& page, const std::string& name, std::string& value);
// The trimmed inner text of the first text area with that name.
bool FindTextAreaText(const std::string& page, const std::string& name, std::string& text);
// The value of the first selected option of the first list with that name;
// true whenever the list exists (the value is empty when none is selected).
bool FindSelectedListValue(const std::string& page, const std::string& name, std::string& value);
// The value of the option of the named list whose title is `title`; true
// whenever the list exists (the value is empty when no title matches).
bool FindListValueByTitle(const std::string& page, const std::string& name, const std::string& title,
                          std::string& value);
// The text after the n-th (1-based) occurrence of the marker up to a blank,
// '"', '&', '\'', '<', '>' or '\\', in lower case; empty when there is none.
std::string FindTextAfterMarker(const std::string& page, const std::string& marker, int n);

// A bug title with its occurrence count (the number after " - " up to the
// next "]") raised by one. False when the count has reached MaxBugCount; a
// title without a count comes back unchanged.
bool RaiseBugCount(const std::string& title, std::string& raised);

// "[v<version> - 1]: <class> (<identifier>)".
std::string BugSummaryText(const std::string& version, const std::string& className, const std::string& identifier);
// "<class> (<identifier>)".
std::string BugSearchText(const std::string& className, const std::string& identifier);
// text + CR LF CR LF "---" CR LF CR LF + extra when extra is not empty.
std::string AddOptionalField(const std::string& text, const std::string& extra);

// The answer is the one expected: its page is `page` (when one is named), it
// holds `mustContain` and not `mustNotContain` (each when not empty).
bool IsExpectedAnswer(const std::string& answerPage, const std::string& body, const std::string& page,
                      const std::string& mustContain, const std::string& mustNotContain);

// The page has an option element, in any list, whose value is exactly `value`.
bool HasOptionValue(const std::string& page, const std::string& value);
