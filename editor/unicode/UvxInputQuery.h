#pragma once
// The wide input query: a prompt, an edit holding the value, OK and Cancel;
// and the prompt for a file name through the layer's open or save dialog.
#include <string>

// True when accepted with OK; then value holds the edit's text.
bool WideInputQuery(const std::u16string& caption, const std::u16string& prompt, std::u16string& value);
// The query started from def; the value it ends with.
std::u16string WideInputBox(const std::u16string& caption, const std::u16string& prompt, const std::u16string& def);
// An empty filter means "All files (*.*)|*.*". True when a name was chosen.
bool WidePromptForFileName(std::u16string& fileName, const std::u16string& filter, const std::u16string& defaultExt,
                           const std::u16string& title, const std::u16string& initialDir, bool saveDialog);
