#pragma once
// The kind of module the crash-report component runs in, and the error page
// written as the HTTP reply of a web-server module: through the ISAPI
// extension control block of the current request, to a CGI program's
// standard output, or into a WinCGI program's output file. This system
// ships no web-server module; the replies are here for a module that is one.
#include <functional>
#include <string>
#include <vector>

#include "editor/crashreport/core/sending/SendTypes.h"

struct _EXTENSION_CONTROL_BLOCK;

bool IsConsoleProgram();
bool IsCGIProgram();
bool IsWinCGIProgram();
bool IsISAPIModule();
bool IsIntraWebApplication();
bool IsWebServerModule();
bool IsGUIModule();

// The WinCGI test on given command-line arguments (without the program):
// the first names a readable request file of at most 102,400 bytes with a
// request method; output receives the third argument or the file's output
// file, which must exist.
bool WinCGIRequestOf(const std::vector<std::string>& args, std::string& output);

// The control block of the request being served (kept by the module's
// HttpExtensionProc hook); null when none.
void SetISAPIControlBlock(_EXTENSION_CONTROL_BLOCK* block);
_EXTENSION_CONTROL_BLOCK* ISAPIControlBlock();

// Writes the page as the reply of this module's kind; false after reporting
// (code eeShowError) what failed.
using TReplyReporter = std::function<void(TZorvikLogErrorCode, const std::string&)>;
bool SendWebErrorReply(const std::string& page, const TReplyReporter& report = {});

// The same for a given kind, for the module's own reply paths.
enum class TWebReplyKind { ISAPI, CGI, WinCGI };
bool SendWebErrorReplyAs(TWebReplyKind kind, const std::string& page, const std::string& winCGIOutput,
                         const TReplyReporter& report);
