#pragma once
// The rules of the wide file dialogs that need no window: the initial
// folder's trailing delimiter, the filter as the system takes it, and the
// names a returned file buffer holds.
#include <string>
#include <vector>

// One trailing delimiter goes, except after a drive ("C:\" stays).
std::u16string UvxDialog_InitialDir(const std::u16string& value);
// "text|pattern|..." with every "|" a U+0000 and two U+0000 at the end.
std::u16string UvxDialog_SystemFilter(const std::u16string& filter);
// The chosen names in the buffer the system filled: with multiple selection
// the first part is the folder and every further part a name in it (names
// that are full paths already stay as they are); otherwise the first string.
std::vector<std::u16string> UvxDialog_SelectedFiles(const std::u16string& buffer, bool multiSelect,
                                                    char16_t separator);
