#pragma once
// Files and shell commands for the crash-report component's tests, the same
// natively and under Wine (where the Linux tools run as Unix processes).
#include <string>

// An empty folder for one test under the build tree, ending in a delimiter.
std::string TestFolder(const std::string& name);
// The Linux path of a file the test sees (Wine shows the root as drive Z:).
std::string UnixPath(const std::string& path);
// A file of the source tree (a path from its root) as the test names it.
std::string SourceTreeFile(const std::string& path);

void WriteTestFile(const std::string& path, const std::string& bytes);
std::string ReadTestFile(const std::string& path);
bool TestFileExists(const std::string& path);
// Waits up to `seconds` for a file to appear (a server's ready mark).
bool WaitForTestFile(const std::string& path, int seconds);
// A word for the shell in single quotes.
std::string ShellQuoted(const std::string& s);

// Runs a POSIX shell script on the Linux side; returns its exit status and
// its standard output and error in `output`, or -1 when it could not run.
int RunShell(const std::string& script, std::string& output);
