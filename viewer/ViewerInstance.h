#pragma once
// What the viewer's copies agree on: the context number of the command line
// and the name of the shared block that finds the running copy.
#include <cstdint>
#include <string>
#include <vector>

// The message a viewer copy posts to the running one: wParam the context.
constexpr unsigned WM_SHOWCONTEXT = 0x0400 + 2;  // WM_USER + 2
// The context that closes a running viewer.
constexpr int32_t kCloseViewerContext = -1;

std::string ReplaceChar(const std::string& text, char from, char to);
// "One instance of " + the program path with every backslash a dot, so that
// copies of the program in different folders never meet.
std::string InstanceName(const std::string& programPath);
// The context number of the arguments: exactly one, decimal (EConvertError
// otherwise); no argument or more than one give 0.
int32_t ContextFromArguments(const std::vector<std::string>& args);
