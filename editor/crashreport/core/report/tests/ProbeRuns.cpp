#include "editor/crashreport/core/report/tests/ProbeRuns.h"

#include <gtest/gtest.h>

#include <fstream>

#include "editor/crashreport/support/log/LogFile.h"

std::string ProbePath(const char* name)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p = path;
    return p.substr(0, p.find_last_of('\\') + 1) + name;
}

std::string ProbeOutput(const std::string& scenario)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "report_probe_" + scenario + ".txt";
}

ProbeRun RunProbe(const std::string& scenario, const std::function<void(const PROCESS_INFORMATION&)>& whileRunning,
                  const std::string& stdoutFile)
{
    ProbeRun run;
    const std::string out = ProbeOutput(scenario);
    DeleteFileA(out.c_str());
    DeleteFileA((out + ".zvf").c_str());
    const bool console = !stdoutFile.empty();
    std::string command = "\"" + ProbePath(console ? "crash_report_console_probe.exe" : "crash_report_probe.exe") +
                          "\" " + scenario + " \"" + out + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    HANDLE output = INVALID_HANDLE_VALUE;
    if (console) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        output = CreateFileA(stdoutFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = output;
        si.hStdError = output;
        si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    }
    PROCESS_INFORMATION pi{};
    const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, console, 0, nullptr, nullptr,
                                        &si, &pi);
    if (output != INVALID_HANDLE_VALUE)
        CloseHandle(output);
    if (!started) {
        ADD_FAILURE() << "the probe did not start: " << GetLastError();
        return run;
    }
    if (whileRunning)
        whileRunning(pi);
    if (WaitForSingleObject(pi.hProcess, 60000) != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 99);
        ADD_FAILURE() << "the probe did not end";
    }
    GetExitCodeProcess(pi.hProcess, &run.exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    std::ifstream in(out);
    std::string line;
    while (std::getline(in, line))
        run.lines.push_back(line);
    DeleteFileA(out.c_str());
    return run;
}

std::string Dump(const ProbeRun& run)
{
    std::string text;
    for (const std::string& l : run.lines)
        text += l + "\n";
    return text;
}

std::vector<std::string> LogReports(const std::string& scenario)
{
    const std::string name = ProbeOutput(scenario) + ".zvf";
    std::vector<std::string> reports;
    if (GetFileAttributesA(name.c_str()) == INVALID_FILE_ATTRIBUTES)
        return reports;
    {
        TLogFile log(name, true);
        for (int32_t i = 0; i < log.GetCount(); ++i)
            reports.push_back(log.GetItem(i));
    }
    DeleteFileA(name.c_str());
    return reports;
}

std::string Line(const std::string& report, const std::string& start)
{
    size_t at = 0;
    while (at < report.size()) {
        size_t end = report.find("\r\n", at);
        if (end == std::string::npos)
            end = report.size();
        if (report.compare(at, start.size(), start) == 0)
            return report.substr(at, end - at);
        at = end + 2;
    }
    return "";
}

