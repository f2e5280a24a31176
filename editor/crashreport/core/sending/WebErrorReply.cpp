#include "editor/crashreport/core/sending/WebErrorReply.h"

#include <windows.h>
#include <httpext.h>
#include <shellapi.h>

#include "editor/crashreport/core/sending/WebErrorPage.h"
#include "framework/SysUtils.h"

namespace {

EXTENSION_CONTROL_BLOCK* gControlBlock = nullptr;

// The module that carries this code.
HMODULE OwnModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&OwnModule), &module);
    return module;
}

const IMAGE_NT_HEADERS* HeadersOf(HMODULE module) {
    if (module == nullptr)
        return nullptr;
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE)
        return nullptr;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const char*>(module) + dos->e_lfanew);
    return nt->Signature == IMAGE_NT_SIGNATURE ? nt : nullptr;
}

std::vector<std::string> ProgramArguments() {
    std::vector<std::string> args;
    int count = 0;
    LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
    if (list == nullptr)
        return args;
    for (int i = 1; i < count; ++i) {
        char buffer[MAX_PATH * 2] = "";
        WideCharToMultiByte(CP_ACP, 0, list[i], -1, buffer, sizeof buffer, nullptr, nullptr);
        args.push_back(buffer);
    }
    LocalFree(list);
    return args;
}

bool WriteAll(HANDLE h, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        DWORD written = 0;
        const DWORD piece = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 20));
        if (!WriteFile(h, text.data() + done, piece, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

void Report(const TReplyReporter& report, const std::string& message) {
    if (report)
        report(eeShowError, message);
}

}  // namespace

bool IsConsoleProgram() {
    const IMAGE_NT_HEADERS* nt = HeadersOf(GetModuleHandleA(nullptr));
    return nt && nt->OptionalHeader.Subsystem == IMAGE_SUBSYSTEM_WINDOWS_CUI;
}

bool IsCGIProgram() {
    return IsConsoleProgram() && GetEnvironmentVariableA("REQUEST_METHOD", nullptr, 0) > 0;
}

bool WinCGIRequestOf(const std::vector<std::string>& args, std::string& output) {
    output.clear();
    if (args.empty() || args[0].empty() || args[0].find_first_of("*?") != std::string::npos)
        return false;
    HANDLE f = CreateFileA(args[0].c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size{};
    std::string text;
    bool ok = GetFileSizeEx(f, &size) != 0 && size.QuadPart <= MaxWinCGIFileSize;
    if (ok) {
        text.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        ok = text.empty() || (ReadFile(f, text.data(), static_cast<DWORD>(text.size()), &got, nullptr) && got == text.size());
    }
    CloseHandle(f);
    if (!ok)
        return false;
    const TWinCGIRequest request = ReadWinCGIRequest(text, size.QuadPart);
    if (!request.Valid)
        return false;
    output = args.size() >= 3 && !args[2].empty() ? args[2] : request.OutputFile;
    return !output.empty() && GetFileAttributesA(output.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsWinCGIProgram() {
    if (IsConsoleProgram())
        return false;
    std::string output;
    return WinCGIRequestOf(ProgramArguments(), output);
}

bool IsISAPIModule() {
    HMODULE module = OwnModule();
    const IMAGE_NT_HEADERS* nt = HeadersOf(module);
    return nt && (nt->FileHeader.Characteristics & IMAGE_FILE_DLL) != 0 &&
           GetProcAddress(module, "HttpExtensionProc") != nullptr;
}

// This system hooks no web-application server.
bool IsIntraWebApplication() { return false; }

bool IsWebServerModule() {
    return IsISAPIModule() || IsCGIProgram() || IsWinCGIProgram() || IsIntraWebApplication();
}

bool IsGUIModule() {
    return !IsWebServerModule() && !IsConsoleProgram();
}

void SetISAPIControlBlock(_EXTENSION_CONTROL_BLOCK* block) { gControlBlock = block; }
_EXTENSION_CONTROL_BLOCK* ISAPIControlBlock() { return gControlBlock; }

bool SendWebErrorReplyAs(TWebReplyKind kind, const std::string& page, const std::string& winCGIOutput,
                         const TReplyReporter& report) {
    const std::string header = WebErrorReplyHeader(static_cast<int64_t>(page.size()), kind != TWebReplyKind::ISAPI);
    switch (kind) {
    case TWebReplyKind::ISAPI: {
        EXTENSION_CONTROL_BLOCK* ecb = gControlBlock;
        if (ecb == nullptr) {
            Report(report, "ISAPI: ServerECB = nil");
            return false;
        }
        ecb->dwHttpStatusCode = 200;
        std::string status = WebErrorStatusText;
        DWORD size = static_cast<DWORD>(status.size());
        ecb->ServerSupportFunction(ecb->ConnID, HSE_REQ_SEND_RESPONSE_HEADER, status.data(), &size,
                                   reinterpret_cast<LPDWORD>(const_cast<char*>(header.c_str())));
        DWORD bytes = static_cast<DWORD>(page.size());
        ecb->WriteClient(ecb->ConnID, const_cast<char*>(page.data()), &bytes, 0);
        return true;
    }
    case TWebReplyKind::CGI: {
        HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
        if (out == nullptr || out == INVALID_HANDLE_VALUE || !WriteAll(out, header)) {
            Report(report, "CGI: Cannot write in the ouput file.");
            return false;
        }
        WriteAll(out, page);
        return true;
    }
    case TWebReplyKind::WinCGI: {
        HANDLE f = CreateFileA(winCGIOutput.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f == INVALID_HANDLE_VALUE) {
            Report(report, "[WinCGI] Cannot open \"" + winCGIOutput + "\".");
            return false;
        }
        SetFilePointer(f, 0, nullptr, FILE_BEGIN);
        const bool ok = WriteAll(f, header) && WriteAll(f, page);
        CloseHandle(f);
        if (!ok)
            Report(report, "[WinCGI] Cannot write \"" + winCGIOutput + "\".");
        return ok;
    }
    }
    return true;
}

bool SendWebErrorReply(const std::string& page, const TReplyReporter& report) {
    if (IsISAPIModule())
        return SendWebErrorReplyAs(TWebReplyKind::ISAPI, page, "", report);
    if (IsCGIProgram())
        return SendWebErrorReplyAs(TWebReplyKind::CGI, page, "", report);
    std::string output;
    if (!IsConsoleProgram() && WinCGIRequestOf(ProgramArguments(), output))
        return SendWebErrorReplyAs(TWebReplyKind::WinCGI, page, output, report);
    return true;
}
