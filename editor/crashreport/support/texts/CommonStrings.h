#pragma once
// Small text services of the crash-report component: list splitting, search
// and replace, version comparison, HTML escaping and path endings.
#include <string>
#include <vector>

// Splits `text` at any character of `separators`. Without keepSeparators the
// text and every piece are trimmed; with it each separator stays at the end
// of its piece. Empty pieces are kept only with addEmpty; a last piece after
// the final separator only when not empty.
void ExtractList(const std::string& text, std::vector<std::string>& list, const std::string& separators,
                 bool keepSeparators, bool addEmpty);

// Skips leading separators; each further separator ends a trimmed piece that
// is always added; the trimmed last piece is added when not empty.
void ExtractStringsEx(const std::string& separators, const std::string& text, std::vector<std::string>& list);

// First 1-based position at or after `from` where `sub` occurs; 0 when none.
int PosEx(const std::string& sub, const std::string& text, int from = 1);

// Every occurrence of `oldText` replaced, left to right; an empty oldText
// leaves the text as it is.
std::string QuickStringReplace(const std::string& text, const std::string& oldText, const std::string& newText);

// Control characters removed, each run of them becoming one blank.
std::string OneString(const std::string& text);

// The host process name of a debugged .NET program loses its ".vshost".
std::string DotNetHostedFile(const std::string& name);

// True when version b is greater than version a ("6.0.3" < "6.0.20").
bool IsGreaterVersion(const std::string& a, const std::string& b);
// The padded form in which versions are compared (exposed for the tests).
std::string NormalizedVersion(const std::string& version);

// Escapes a text for an HTML page (blanks in pairs and line ends kept).
std::string EscapeHTMLText(const std::string& text);

// Splits at every occurrence of `separator` (a text without one is one
// piece; an empty text is one empty piece).
std::vector<std::string> SplitText(const std::string& text, const std::string& separator);

// Path parts: the folder with its final separator, the name, and the whole
// path without the name's extension.
std::string ExtractFileFolder(const std::string& path);
std::string ExtractFileNamePart(const std::string& path);
std::string WithoutFileExtension(const std::string& path);

std::string IncludeLastBackslash(const std::string& path);
std::string ExcludeLastBackslash(const std::string& path);

// The current version of the crash-report data and options.
constexpr int ZorvikLogCurrentVersion = 6020;
// A module's crash-report version can work with ours: same hundred, or the next.
bool LibraryVersionCompatible(int version);
