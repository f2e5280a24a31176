// A Simple MAPI library of the tests: it records every call and the message
// it is handed into the file named by TQ_FAKE_MAPI_RECORD and answers
// TQ_FAKE_MAPI_RESULT (default 0) to MAPISendMail.
#include <windows.h>
#include <mapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Record(const std::string& line) {
    char path[MAX_PATH] = "";
    if (GetEnvironmentVariableA("TQ_FAKE_MAPI_RECORD", path, sizeof path) == 0)
        return;
    if (FILE* f = std::fopen(path, "ab")) {
        std::fwrite(line.data(), 1, line.size(), f);
        std::fputc('\n', f);
        std::fclose(f);
    }
}

std::string Text(const char* s) { return s ? s : "(null)"; }

}  // namespace

extern "C" __declspec(dllexport) ULONG WINAPI MAPILogon(ULONG_PTR, LPSTR, LPSTR, FLAGS flags, ULONG, LPLHANDLE session) {
    Record("logon flags=" + std::to_string(flags));
    *session = 77;
    return SUCCESS_SUCCESS;
}

extern "C" __declspec(dllexport) ULONG WINAPI MAPILogoff(LHANDLE session, ULONG_PTR, FLAGS, ULONG) {
    Record("logoff session=" + std::to_string(session));
    return SUCCESS_SUCCESS;
}

extern "C" __declspec(dllexport) ULONG WINAPI MAPISendMail(LHANDLE session, ULONG_PTR, lpMapiMessage m, FLAGS flags, ULONG) {
    Record("send session=" + std::to_string(session) + " flags=" + std::to_string(flags));
    Record("subject=" + Text(m->lpszSubject));
    Record("note=" + Text(m->lpszNoteText));
    Record("type=" + Text(m->lpszMessageType) + " originator=" + std::string(m->lpOriginator ? "set" : "none") +
           " msgflags=" + std::to_string(m->flFlags));
    for (ULONG i = 0; i < m->nRecipCount; ++i)
        Record("recip=" + std::to_string(m->lpRecips[i].ulRecipClass) + "|" + Text(m->lpRecips[i].lpszName) + "|" +
               Text(m->lpRecips[i].lpszAddress));
    for (ULONG i = 0; i < m->nFileCount; ++i)
        Record("file=" + std::to_string(m->lpFiles[i].flFlags) + "|" + std::to_string(m->lpFiles[i].nPosition) + "|" +
               Text(m->lpFiles[i].lpszPathName) + "|" + Text(m->lpFiles[i].lpszFileName));
    char result[16] = "";
    GetEnvironmentVariableA("TQ_FAKE_MAPI_RESULT", result, sizeof result);
    return static_cast<ULONG>(std::atoi(result));
}
