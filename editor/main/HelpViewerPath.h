#pragma once
// The help viewer's program: in the language's help folder beside the
// editor. exePath is the editor's own program path, helpDir the language's
// "HELPDIR" text with its trailing backslash.
#include <string>

std::string HelpViewerPath(const std::string& exePath, const std::string& helpDir);
