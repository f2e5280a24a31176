#include "editor/crashreport/core/sending/MapiMail.h"

#include <windows.h>
#include <mapi.h>

#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/system/EnvVariables.h"
#include "editor/crashreport/support/system/SystemFacts.h"
#include "editor/crashreport/support/texts/CommonStrings.h"

namespace {

const char* const ClientsKey = "SOFTWARE\\Clients\\Mail";

std::string ClientLibraryUnder(HKEY root) {
    const std::string client = ReadKey(root, ClientsKey, "");
    if (client.empty())
        return "";
    return ReadKey(root, std::string(ClientsKey) + "\\" + client, "DLLPath");
}

bool FileExists(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The system's structures over a record; the record must outlive them.
struct TMapiMessageBuffers {
    std::vector<MapiRecipDesc> Recipients;
    std::vector<MapiFileDesc> Files;
    MapiMessage Message{};

    explicit TMapiMessageBuffers(TMapiMailRecord& record) {
        for (TMapiRecipientRecord& r : record.Recipients) {
            MapiRecipDesc d{};
            d.ulRecipClass = MAPI_TO;
            d.lpszName = r.Name.data();
            d.lpszAddress = r.Address.data();
            Recipients.push_back(d);
        }
        for (TMapiFileRecord& f : record.Files) {
            MapiFileDesc d{};
            d.nPosition = static_cast<ULONG>(-1);
            d.lpszPathName = f.PathName.data();
            d.lpszFileName = f.FileName.data();
            Files.push_back(d);
        }
        Message.lpszSubject = record.Subject.data();
        Message.lpszNoteText = record.NoteText.data();
        Message.nRecipCount = static_cast<ULONG>(Recipients.size());
        Message.lpRecips = Recipients.empty() ? nullptr : Recipients.data();
        Message.nFileCount = static_cast<ULONG>(Files.size());
        Message.lpFiles = Files.empty() ? nullptr : Files.data();
    }
};

template <typename F>
F Proc(HMODULE lib, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(lib, name)));
}

struct TWindowFinder {
    DWORD pid;
    HWND found = nullptr;
};

BOOL CALLBACK FindVisibleWindowOf(HWND w, LPARAM p) {
    auto* f = reinterpret_cast<TWindowFinder*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == f->pid && IsWindowVisible(w)) {
        f->found = w;
        return FALSE;
    }
    return TRUE;
}

std::string LastErrorText() {
    const DWORD code = GetLastError();
    char buffer[512] = "";
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
                                   sizeof buffer, nullptr);
    std::string text(buffer, n);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text.empty() ? "System error " + std::to_string(code) + "." : text;
}

}  // namespace

std::string MailClientLibraryPath() {
    std::string path = ClientLibraryUnder(HKEY_CURRENT_USER);
    if (path.empty())
        path = ClientLibraryUnder(HKEY_LOCAL_MACHINE);
    return ExpandEnvVars(path);
}

std::string MailtoCommand() {
    return ExpandEnvVars(ReadKey(HKEY_CLASSES_ROOT, "\\mailto\\shell\\open\\command", ""));
}

TMapiMailRecord MapiMailRecordFor(const TSendContext& ctx, const std::string& recipients, const std::string& subject,
                                  const std::string& body, const std::vector<std::string>& attachments,
                                  const std::vector<std::string>& extras) {
    std::vector<std::string> files = extras;
    files.insert(files.end(), attachments.begin(), attachments.end());
    return BuildMapiMailRecord(recipients, ExpandEnvVars(subject), ExpandEnvVars(body), files, FileExists,
                               [&ctx](const std::string& p) { return ctx.DecorateReportFileName(p); });
}

bool SendMAPIMail(TSendContext& ctx, const std::string& recipients, const std::string& subject,
                  const std::string& body, const std::vector<std::string>& attachments,
                  const std::vector<std::string>& extras) {
    TMapiMailRecord record = MapiMailRecordFor(ctx, recipients, subject, body, attachments, extras);

    HMODULE lib = nullptr;
    const std::string clientLibrary = MailClientLibraryPath();
    if (!clientLibrary.empty())
        lib = LoadLibraryA(clientLibrary.c_str());
    if (lib == nullptr)
        lib = LoadLibraryA("mapi32.dll");
    if (lib == nullptr) {
        ctx.ReportWarning(eeEmailMAPIError, "Cannot open the MAPI dll.");
        return false;
    }
    struct Unload {
        HMODULE h;
        ~Unload() { FreeLibrary(h); }
    } unload{lib};

    auto logon = Proc<LPMAPILOGON>(lib, "MAPILogon");
    auto logoff = Proc<LPMAPILOGOFF>(lib, "MAPILogoff");
    auto send = Proc<LPMAPISENDMAIL>(lib, "MAPISendMail");
    if (logon == nullptr || logoff == nullptr || send == nullptr) {
        ctx.ReportWarning(eeEmailMAPIError, "Cannot found the MAPI functions.");
        return false;
    }

    ULONG_PTR parent = 0;
    if (ctx.MainThreadId != 0 && GetCurrentThreadId() == ctx.MainThreadId && ctx.ProgramMainWindow)
        parent = ctx.ProgramMainWindow();

    LHANDLE session = 0;
    if (logon(parent, nullptr, nullptr, MAPI_LOGON_UI, 0, &session) != 0) {
        ctx.ReportWarning(eeEmailMAPIError, "Cannot LogOn into the MAPI service.");
        return false;
    }
    TMapiMessageBuffers buffers(record);
    const bool showDialog = ctx.Options && ctx.Options->CommonSendOptions().Contains(sndShowSendDialog);
    const ULONG result = send(session, parent, &buffers.Message, showDialog ? MAPI_LOGON_UI | MAPI_DIALOG : MAPI_LOGON_UI, 0);
    logoff(session, parent, 0, 0);
    // 1: the user cancelled, which counts as done.
    if (result != SUCCESS_SUCCESS && result != MAPI_USER_ABORT) {
        ctx.ReportWarning(eeEmailMAPIError, "Cannot send the MAPI message.");
        return false;
    }
    return true;
}

bool ZorvikLogSendEmail(const std::string& recipients, const std::string& subject, const std::string& body,
                        const std::string& attachments, TZorvikModuleOptions* options) {
    TSendContext ctx;
    ctx.Options = options;
    std::vector<std::string> list;
    ExtractList(attachments, list, ",;", false, false);
    return SendMAPIMail(ctx, recipients, subject, body, list, {});
}

bool SendByMailClient(TSendContext& ctx, const std::string& recipients, const std::string& subject,
                      const std::string& message) {
    const std::string address =
        MailtoAddress(recipients, ExpandEnvVars(subject), ExpandEnvVars(message) + "\r\n\r\n\r\n" + ctx.ReportText);
    std::string commandLine = MailClientCommandLine(MailtoCommand(), address);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMAXIMIZED;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_DEFAULT_ERROR_MODE | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &process)) {
        ctx.ReportWarning(eeEmailShellError, LastErrorText());
        return false;
    }
    WaitForInputIdle(process.hProcess, 10000);
    Sleep(2000);
    TWindowFinder finder{process.dwProcessId};
    EnumWindows(FindVisibleWindowOf, reinterpret_cast<LPARAM>(&finder));
    if (finder.found)
        SetWindowPos(finder.found, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    DWORD exitCode = 0;
    const bool ok = WaitForSingleObject(process.hProcess, INFINITE) == WAIT_OBJECT_0 &&
                    GetExitCodeProcess(process.hProcess, &exitCode) != 0;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ok;
}
