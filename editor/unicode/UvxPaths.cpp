#include "editor/unicode/UvxPaths.h"

#include "framework/WideCase.h"

std::u16string WideIncludeTrailingPathDelimiter(const std::u16string& s) {
    return !s.empty() && s.back() == u'\\' ? s : s + u'\\';
}
std::u16string WideIncludeTrailingBackslash(const std::u16string& s) { return WideIncludeTrailingPathDelimiter(s); }

std::u16string WideExcludeTrailingPathDelimiter(const std::u16string& s) {
    return !s.empty() && s.back() == u'\\' ? s.substr(0, s.size() - 1) : s;
}
std::u16string WideExcludeTrailingBackslash(const std::u16string& s) { return WideExcludeTrailingPathDelimiter(s); }

bool WideIsDelimiter(const std::u16string& delimiters, const std::u16string& s, int index) {
    if (index < 1 || index > static_cast<int>(s.size())) return false;
    return delimiters.find(s[static_cast<size_t>(index - 1)]) != std::u16string::npos;
}

bool WideIsPathDelimiter(const std::u16string& s, int index) { return WideIsDelimiter(u"\\", s, index); }

int WideLastDelimiter(const std::u16string& delimiters, const std::u16string& s) {
    for (size_t i = s.size(); i > 0; --i)
        if (s[i - 1] != 0 && delimiters.find(s[i - 1]) != std::u16string::npos) return static_cast<int>(i);
    return 0;
}

std::u16string WideChangeFileExt(const std::u16string& fileName, const std::u16string& extension) {
    int i = WideLastDelimiter(u".\\:", fileName);
    if (i == 0 || fileName[static_cast<size_t>(i - 1)] != u'.') return fileName + extension;
    return fileName.substr(0, static_cast<size_t>(i - 1)) + extension;
}

std::u16string WideExtractFilePath(const std::u16string& fileName) {
    return fileName.substr(0, static_cast<size_t>(WideLastDelimiter(u"\\:", fileName)));
}

std::u16string WideExtractFileDir(const std::u16string& fileName) {
    int i = WideLastDelimiter(u"\\:", fileName);
    // Keep the '\' of a root ("C:\", "\\") and of a name that starts with it.
    if (i > 1 && fileName[static_cast<size_t>(i - 1)] == u'\\' && fileName[static_cast<size_t>(i - 2)] != u'\\' &&
        fileName[static_cast<size_t>(i - 2)] != u':')
        --i;
    return fileName.substr(0, static_cast<size_t>(i));
}

std::u16string WideExtractFileDrive(const std::u16string& fileName) {
    if (fileName.size() >= 2 && fileName[1] == u':') return fileName.substr(0, 2);
    if (fileName.size() >= 2 && fileName[0] == u'\\' && fileName[1] == u'\\') {
        // The server and the share: up to, not including, the second '\' after the leading pair.
        size_t n = fileName.size(), i = 2;
        int seen = 0;
        while (i < n) {
            if (fileName[i] == u'\\' && ++seen == 2) break;
            ++i;
        }
        return fileName.substr(0, i);
    }
    return {};
}

std::u16string WideExtractFileName(const std::u16string& fileName) {
    return fileName.substr(static_cast<size_t>(WideLastDelimiter(u"\\:", fileName)));
}

std::u16string WideExtractFileExt(const std::u16string& fileName) {
    int i = WideLastDelimiter(u".\\:", fileName);
    if (i > 0 && fileName[static_cast<size_t>(i - 1)] == u'.') return fileName.substr(static_cast<size_t>(i - 1));
    return {};
}

namespace {
// Steps through a path one folder at a time.
struct PathCursor {
    std::u16string rest;
    bool ended = false;
    bool Next(std::u16string& item) {
        if (ended) return false;
        size_t p = rest.find(u'\\');
        if (p == std::u16string::npos) {
            item = rest;
            rest.clear();
            ended = true;
        } else {
            item = rest.substr(0, p);
            rest = rest.substr(p + 1);
        }
        return true;
    }
};
}  // namespace

std::u16string WideExtractRelativePath(const std::u16string& baseName, const std::u16string& destName) {
    std::u16string baseDrive = WideExtractFileDrive(baseName), destDrive = WideExtractFileDrive(destName);
    if (!WideSameText(baseDrive, destDrive)) return destName;
    PathCursor base{WideExtractFilePath(baseName).substr(baseDrive.size())};
    PathCursor dest{WideExtractFilePath(destName).substr(destDrive.size())};
    std::u16string b, d;
    bool hasB = base.Next(b), hasD = dest.Next(d);
    while (hasB && hasD && WideSameText(b, d)) {
        hasB = base.Next(b);
        hasD = dest.Next(d);
    }
    std::u16string result;
    std::u16string skip;
    while (base.Next(skip)) result += u"..\\";
    if (hasD && !d.empty()) result += d + u'\\';
    result += dest.rest;
    return result + WideExtractFileName(destName);
}
