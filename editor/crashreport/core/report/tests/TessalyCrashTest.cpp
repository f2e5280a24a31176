// A crash of Tessaly.exe itself, provoked through its test seam (the
// variable TESSALY_TEST_CRASH read at start-up): the report lands in the
// editor's log, and its call stack names the editor's own source files and
// lines.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "editor/crashreport/support/LogFile.h"

namespace {

std::string BinaryFolder()
{
    const char* dir = std::getenv("TQ_BINARY_DIR");
    return dir ? std::string(dir) + "\\bin\\" : std::string();
}

std::vector<std::string> LogReports(const std::string& name)
{
    std::vector<std::string> reports;
    if (GetFileAttributesA(name.c_str()) == INVALID_FILE_ATTRIBUTES)
        return reports;
    TLogFile log(name, true);
    for (int32_t i = 0; i < log.GetCount(); ++i)
        reports.push_back(log.GetItem(i));
    return reports;
}

// The call-stack row of the procedure: a table line naming the editor's
// module, the seam's source file and the procedure, with a line number.
bool HasSeamRow(const std::string& report, const std::string& procedure)
{
    size_t at = 0;
    while (at < report.size()) {
        size_t end = report.find("\r\n", at);
        if (end == std::string::npos)
            end = report.size();
        const std::string line = report.substr(at, end - at);
        if (line.find("|Tessaly.exe ") != std::string::npos && line.find("|CrashTestSeam.cpp") != std::string::npos &&
            line.find("|" + procedure + " ") != std::string::npos && line.find('[') != std::string::npos)
            return true;
        at = end + 2;
    }
    return false;
}

struct TessalyRun {
    DWORD exitCode = STILL_ACTIVE;
    std::vector<std::string> reports;
};

// Starts the editor with the seam set; waits for it to end, or, for a crash
// it survives, for the report to arrive, and then ends it.
TessalyRun RunTessaly(const std::string& kind, bool survives)
{
    TessalyRun run;
    const std::string program = BinaryFolder() + "Tessaly.exe";
    const std::string log = BinaryFolder() + "Tessaly.zvf";
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA("TESSALY_TEST_CRASH", kind.c_str());
    std::string command = "\"" + program + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const BOOL started =
        CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableA("TESSALY_TEST_CRASH", nullptr);
    if (!started) {
        ADD_FAILURE() << "Tessaly.exe did not start: " << GetLastError();
        return run;
    }
    if (survives) {
        for (int i = 0; i < 600 && run.reports.empty(); ++i) {
            Sleep(100);
            run.reports = LogReports(log);
        }
        Sleep(300);
        GetExitCodeProcess(pi.hProcess, &run.exitCode);
        TerminateProcess(pi.hProcess, 0);
        WaitForSingleObject(pi.hProcess, 10000);
    } else {
        if (WaitForSingleObject(pi.hProcess, 60000) != WAIT_OBJECT_0) {
            TerminateProcess(pi.hProcess, 99);
            ADD_FAILURE() << "Tessaly.exe did not end";
        }
        GetExitCodeProcess(pi.hProcess, &run.exitCode);
        run.reports = LogReports(log);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    DeleteFileA(log.c_str());
    return run;
}

TEST(TessalyCrash, AnExceptionIsReportedWithTheEditorsOwnSourceAndTheEditorGoesOn)
{
    const TessalyRun run = RunTessaly("exception", true);
    ASSERT_EQ(run.reports.size(), 1u);
    const std::string& r = run.reports[0];
    EXPECT_EQ(r.rfind("ZorvikLog 6.0.20\r\n\r\nApplication:", 0), 0u);
    EXPECT_NE(r.find("  2.6 Message       : Test crash of the crash-report component."), std::string::npos);
    // The call stack names the seam's source file with its lines.
    EXPECT_TRUE(HasSeamRow(r, "ThrowTestException")) << r.substr(r.find("Call Stack Information"), 2000);
    EXPECT_TRUE(HasSeamRow(r, "ProvokeTestCrash"));
    EXPECT_EQ(run.exitCode, STILL_ACTIVE);
}

TEST(TessalyCrash, AnAccessViolationIsReportedAndEndsTheEditorWithCode1)
{
    const TessalyRun run = RunTessaly("access-violation", false);
    EXPECT_EQ(run.exitCode, 1u);
    ASSERT_EQ(run.reports.size(), 1u);
    const std::string& r = run.reports[0];
    EXPECT_NE(r.find("  2.5 Type          : EAccessViolation"), std::string::npos);
    EXPECT_NE(r.find("in module 'Tessaly.exe'. Write of address 00000000."), std::string::npos);
    EXPECT_TRUE(HasSeamRow(r, "WriteToAddressZero")) << r.substr(r.find("Call Stack Information"), 2000);
    EXPECT_TRUE(HasSeamRow(r, "ProvokeTestCrash"));
}

}  // namespace
