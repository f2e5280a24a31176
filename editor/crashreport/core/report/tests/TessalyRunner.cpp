#include "TessalyRunner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "ErrorDialogFinder.h"
#include "editor/crashreport/support/log/LogFile.h"
#include "editor/crashreport/support/options/OptionsStream.h"
#include "editor/crashreport/support/testing/TestFiles.h"

std::string TessalyBinaryFolder()
{
    const char* dir = std::getenv("TQ_BINARY_DIR");
    return dir ? std::string(dir) + "\\bin\\" : std::string();
}

std::string SaveTestOptions(TZorvikModuleOptions& options, const std::string& folder)
{
    options.SetOutputPath(folder);
    const std::string optionFile = folder + "TessalyTest.zvo";
    LastZorvikVersion = ZorvikLogCurrentVersion;
    options.SaveToFile(optionFile);
    return optionFile;
}

void MailToPeer(TZorvikModuleOptions& options, uint16_t port)
{
    options.SetEMailSendMode(esmSMTPClient);
    options.SetSMTPHost("127.0.0.1");
    options.SetSMTPPort(port);
    options.SetSMTPFrom("tessaly@example.test");
    options.SetEMailAddresses("bugs@example.test");
    options.SetEMailSubject("Tessaly crash");
}

bool StartTessaly(PROCESS_INFORMATION& pi, const std::string& kind, const std::string& optionFile,
                  const std::string& noteFile, const std::string& startFolder)
{
    const std::string program = TessalyBinaryFolder() + "Tessaly.exe";
    auto set = [](const char* name, const std::string& value) {
        SetEnvironmentVariableA(name, value.empty() ? nullptr : value.c_str());
    };
    set("TESSALY_TEST_CRASH", kind);
    set("TESSALY_TEST_CRASH_OPTIONS", optionFile);
    set("TESSALY_TEST_CRASH_NOTE", noteFile);
    std::string command = "\"" + program + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    pi = PROCESS_INFORMATION{};
    const BOOL started = CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        startFolder.empty() ? nullptr : startFolder.c_str(), &si, &pi);
    const DWORD error = GetLastError();
    set("TESSALY_TEST_CRASH", "");
    set("TESSALY_TEST_CRASH_OPTIONS", "");
    set("TESSALY_TEST_CRASH_NOTE", "");
    if (!started)
        ADD_FAILURE() << "Tessaly.exe did not start: " << error;
    return started != FALSE;
}

std::vector<std::string> FolderLogReports(const std::string& folder)
{
    std::vector<std::string> reports;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*.zvf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return reports;
    do {
        try {
            TLogFile log(folder + found.cFileName, true);
            for (int32_t i = 0; i < log.GetCount(); ++i)
                reports.push_back(log.GetItem(i));
        } catch (const std::exception&) {
            // Still being written by the editor: read at the next look.
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return reports;
}

TTessalyRun RunTessalyFault(const std::string& name, const std::string& kind, TZorvikModuleOptions& options,
                            const TTessalyRunSteps& steps)
{
    TTessalyRun run;
    run.Folder = TestFolder("tessaly_fault_" + name);
    const std::string optionFile = SaveTestOptions(options, run.Folder);
    PROCESS_INFORMATION pi{};
    if (!StartTessaly(pi, kind, optionFile))
        return run;
    run.ProcessId = pi.dwProcessId;
    for (int i = 0; i < steps.Seconds * 10 && WaitForSingleObject(pi.hProcess, 100) == WAIT_TIMEOUT; ++i) {
        if (!run.DialogShown) {
            if (const HWND dialog = FindErrorDialog(pi.dwProcessId)) {
                run.DialogShown = true;
                // The dialog lays itself out and paints first.
                Sleep(500);
                if (steps.Drive)
                    steps.Drive(dialog);
            }
        }
        run.Reports = FolderLogReports(run.Folder);
        if (steps.Done && steps.Done(run))
            break;
    }
    GetExitCodeProcess(pi.hProcess, &run.ExitCode);
    if (run.ExitCode == STILL_ACTIVE)
        TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    run.Reports = FolderLogReports(run.Folder);
    return run;
}

namespace {

// The line has a cell that holds the text (cells are padded with blanks).
bool HasCell(const std::string& line, const std::string& text)
{
    const std::string start = "|" + text;
    for (size_t at = line.find(start); at != std::string::npos; at = line.find(start, at + 1)) {
        const size_t end = at + start.size();
        if (end < line.size() && (line[end] == ' ' || line[end] == '|'))
            return true;
    }
    return false;
}

}  // namespace

bool HasEditorRow(const std::string& report, const std::string& sourceFile, const std::string& procedure)
{
    static const std::regex lineNumber("\\[[0-9]+\\]");
    size_t at = 0;
    while (at < report.size()) {
        size_t end = report.find("\r\n", at);
        if (end == std::string::npos)
            end = report.size();
        const std::string line = report.substr(at, end - at);
        if (HasCell(line, "Tessaly.exe") && HasCell(line, sourceFile) && HasCell(line, procedure) &&
            std::regex_search(line, lineNumber))
            return true;
        at = end + 2;
    }
    return false;
}

std::string CallStackSection(const std::string& report)
{
    const size_t at = report.find("Call Stack Information");
    return at == std::string::npos ? report.substr(0, 2000) : report.substr(at, 3000);
}
