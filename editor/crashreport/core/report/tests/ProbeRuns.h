#pragma once
// Runs the report probe in a process of its own under Wine and reads back
// the lines it wrote about its processing.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

struct ProbeRun {
    DWORD exitCode = 0;
    std::vector<std::string> lines;
    bool Has(const std::string& line) const { return std::find(lines.begin(), lines.end(), line) != lines.end(); }
    // The index of the first line that starts with the text; -1 when none.
    int Find(const std::string& start) const
    {
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i].rfind(start, 0) == 0)
                return static_cast<int>(i);
        return -1;
    }
};

std::string ProbePath(const char* name = "crash_report_probe.exe");
std::string ProbeOutput(const std::string& scenario);
// Runs the probe; `whileRunning` (when given) watches it before the wait.
// The console probe runs instead when stdoutFile is given; its standard
// output goes to that file.
ProbeRun RunProbe(const std::string& scenario,
                  const std::function<void(const PROCESS_INFORMATION&)>& whileRunning = nullptr,
                  const std::string& stdoutFile = "");
// The lines, for a failure's message.
std::string Dump(const ProbeRun& run);
// The reports of a "log-" scenario's log, read back with the log reader
// (the log is deleted then).
std::vector<std::string> LogReports(const std::string& scenario);
// The line of the report that starts with the text; "" when none.
std::string Line(const std::string& report, const std::string& start);
