#include "editor/crashreport/support/texts/CommonStrings.h"

#include "framework/SysUtils.h"

void ExtractList(const std::string& text, std::vector<std::string>& list, const std::string& separators,
                 bool keepSeparators, bool addEmpty)
{
    const std::string source = keepSeparators ? text : Trim(text);
    std::string piece;
    for (char c : source) {
        if (separators.find(c) == std::string::npos) {
            piece += c;
            continue;
        }
        if (keepSeparators)
            piece += c;
        else
            piece = Trim(piece);
        if (!piece.empty() || addEmpty)
            list.push_back(piece);
        piece.clear();
    }
    if (!keepSeparators)
        piece = Trim(piece);
    if (!piece.empty())
        list.push_back(piece);
}

void ExtractStringsEx(const std::string& separators, const std::string& text, std::vector<std::string>& list)
{
    size_t i = 0;
    while (i < text.size() && separators.find(text[i]) != std::string::npos)
        ++i;
    std::string piece;
    for (; i < text.size(); ++i) {
        if (separators.find(text[i]) != std::string::npos) {
            list.push_back(Trim(piece));
            piece.clear();
        } else {
            piece += text[i];
        }
    }
    piece = Trim(piece);
    if (!piece.empty())
        list.push_back(piece);
}

int PosEx(const std::string& sub, const std::string& text, int from)
{
    if (sub.empty() || from < 1 || static_cast<size_t>(from) > text.size())
        return 0;
    size_t at = text.find(sub, static_cast<size_t>(from - 1));
    return at == std::string::npos ? 0 : static_cast<int>(at + 1);
}

std::string QuickStringReplace(const std::string& text, const std::string& oldText, const std::string& newText)
{
    if (oldText.empty())
        return text;
    std::string result;
    result.reserve(text.size());
    size_t from = 0;
    for (size_t at; (at = text.find(oldText, from)) != std::string::npos; from = at + oldText.size()) {
        result.append(text, from, at - from);
        result += newText;
    }
    result.append(text, from, std::string::npos);
    return result;
}

std::string OneString(const std::string& text)
{
    std::string result;
    bool inRun = false;
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 32) {
            if (!inRun)
                result += ' ';
            inRun = true;
        } else {
            result += c;
            inRun = false;
        }
    }
    return result;
}

std::string DotNetHostedFile(const std::string& name)
{
    return QuickStringReplace(name, ".vshost", "");
}

std::vector<std::string> SplitText(const std::string& text, const std::string& separator)
{
    std::vector<std::string> pieces;
    size_t from = 0;
    while (true) {
        const size_t at = separator.empty() ? std::string::npos : text.find(separator, from);
        pieces.push_back(text.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos)
            return pieces;
        from = at + separator.size();
    }
}

std::string ExtractFileFolder(const std::string& path)
{
    const size_t at = path.find_last_of("\\/:");
    return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

std::string ExtractFileNamePart(const std::string& path)
{
    const size_t at = path.find_last_of("\\/:");
    return at == std::string::npos ? path : path.substr(at + 1);
}

std::string WithoutFileExtension(const std::string& path)
{
    // The extension is what follows the last dot of the name part.
    const size_t dot = path.rfind('.');
    const size_t slash = path.find_last_of("\\/:");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path;
    return path.substr(0, dot);
}

std::string NormalizedVersion(const std::string& version)
{
    std::vector<std::string> parts;
    if (!version.empty())
        parts = SplitText(version, ".");
    auto pad = [](std::string s) { return s.size() < 5 ? std::string(5 - s.size(), '0') + s : s; };
    std::string result;
    for (size_t i = 0; i < parts.size(); ++i) {
        std::string part = parts[i];
        if (i + 1 == parts.size()) {
            // A blank in the last part starts a suffix kept as it is ("3 beta").
            size_t blank = part.find(' ');
            if (blank != std::string::npos)
                part = pad(part.substr(0, blank)) + part.substr(blank);
            else
                part = pad(part);
        } else {
            part = pad(part);
        }
        if (i > 0)
            result += '.';
        result += part;
    }
    for (size_t i = parts.size(); i < 4; ++i)
        result += result.empty() ? "00000" : ".00000";
    return result;
}

bool IsGreaterVersion(const std::string& a, const std::string& b)
{
    if (Trim(a).empty() || Trim(b).empty())
        return false;
    return NormalizedVersion(b) > NormalizedVersion(a);
}

std::string EscapeHTMLText(const std::string& text)
{
    std::string s = QuickStringReplace(text, "&", "&amp;");
    s = QuickStringReplace(s, "\"", "&quot;");
    s = QuickStringReplace(s, "'", "&#039;");
    s = QuickStringReplace(s, "<", "&lt;");
    s = QuickStringReplace(s, ">", "&gt;");
    s = QuickStringReplace(s, "  ", "&nbsp;&nbsp;");
    return QuickStringReplace(s, "\r\n", "<br>\r\n");
}

std::string IncludeLastBackslash(const std::string& path)
{
    return !path.empty() && path.back() == '\\' ? path : path + "\\";
}

std::string ExcludeLastBackslash(const std::string& path)
{
    return !path.empty() && path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
}

bool LibraryVersionCompatible(int version)
{
    const int base = ZorvikLogCurrentVersion / 100 * 100;
    return version >= base && version <= base + 100;
}
