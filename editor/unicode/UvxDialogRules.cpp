#include "editor/unicode/UvxDialogRules.h"

namespace {
bool IsFullPath(const std::u16string& name) {
    if (!name.empty() && name[0] == u'\\') return true;
    return name.size() >= 4 && name[1] == u':' && name[2] == u'\\';
}
}  // namespace

std::u16string UvxDialog_InitialDir(const std::u16string& value) {
    size_t n = value.size();
    if (n > 1 && (value[n - 1] == u'\\' || value[n - 1] == u'/') && value[n - 2] != u':')
        return value.substr(0, n - 1);
    return value;
}

std::u16string UvxDialog_SystemFilter(const std::u16string& filter) {
    std::u16string result = filter + std::u16string(2, u'\0');
    for (char16_t& c : result)
        if (c == u'|') c = u'\0';
    return result;
}

std::vector<std::u16string> UvxDialog_SelectedFiles(const std::u16string& buffer, bool multiSelect,
                                                    char16_t separator) {
    std::u16string first = buffer.substr(0, buffer.find(u'\0'));
    if (!multiSelect) return {first};
    std::vector<std::u16string> parts;
    if (separator == u'\0') {
        // Strings one after the other, ended by an empty one.
        for (size_t i = 0; i < buffer.size() && buffer[i] != u'\0';) {
            size_t end = buffer.find(u'\0', i);
            if (end == std::u16string::npos) end = buffer.size();
            parts.push_back(buffer.substr(i, end - i));
            i = end + 1;
        }
    } else {
        for (size_t i = 0; i <= first.size();) {
            size_t end = first.find(separator, i);
            if (end == std::u16string::npos) end = first.size();
            if (end > i) parts.push_back(first.substr(i, end - i));
            i = end + 1;
        }
    }
    if (parts.empty()) return {std::u16string()};
    if (parts.size() == 1) return parts;
    std::u16string folder = parts[0];
    if (folder.empty() || folder.back() != u'\\') folder += u'\\';
    std::vector<std::u16string> files;
    for (size_t i = 1; i < parts.size(); ++i) files.push_back(IsFullPath(parts[i]) ? parts[i] : folder + parts[i]);
    return files;
}
