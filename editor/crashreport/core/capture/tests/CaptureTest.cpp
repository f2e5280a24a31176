// Real faults in the capture probe, each in a process of its own under Wine:
// what the crash-report core captured, and how the program went on.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Row {
    int detail = 0;
    std::string unit, cls, proc;
    int line = 0;
};

struct Captured {
    std::string kind, thread, cls, message;
    std::vector<Row> rows;
    // The rows a report shows: those with a source line.
    std::vector<Row> Shown() const
    {
        std::vector<Row> shown;
        for (const Row& r : rows)
            if (r.detail == 4)
                shown.push_back(r);
        return shown;
    }
};

struct ProbeRun {
    DWORD exitCode = 0;
    bool installed = false;
    int throwLine = 0;
    std::vector<Captured> captures;
    std::vector<std::string> lines;  // every other line
};

std::string ProbePath()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p = path;
    return p.substr(0, p.find_last_of('\\') + 1) + "crash_capture_probe.exe";
}

std::string OutputPath(const std::string& scenario)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "capture_probe_" + scenario + ".txt";
}

void ReadOutput(const std::string& out, ProbeRun& run);

ProbeRun RunProbe(const std::string& scenario)
{
    ProbeRun run;
    const std::string out = OutputPath(scenario);
    DeleteFileA(out.c_str());
    std::string command = "\"" + ProbePath() + "\" " + scenario + " \"" + out + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    // Wine now and then refuses a start while many processes start at once
    // (an internal error); a second try a moment later goes through.
    bool started = false;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        if (attempt > 0)
            Sleep(500);
        started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    }
    if (!started) {
        ADD_FAILURE() << "the probe did not start: " << GetLastError();
        return run;
    }
    if (WaitForSingleObject(pi.hProcess, 60000) != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 99);
        ADD_FAILURE() << "the probe did not end";
    }
    GetExitCodeProcess(pi.hProcess, &run.exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    ReadOutput(out, run);
    return run;
}

void ReadOutput(const std::string& out, ProbeRun& run)
{
    run.captures.clear();
    run.lines.clear();
    std::ifstream in(out);
    std::string line;
    Captured* c = nullptr;
    while (std::getline(in, line)) {
        const size_t blank = line.find(' ');
        const std::string key = line.substr(0, blank);
        const std::string value = blank == std::string::npos ? "" : line.substr(blank + 1);
        if (key == "capture") {
            run.captures.emplace_back();
            c = &run.captures.back();
            c->kind = value;
        } else if (c && key == "thread") {
            c->thread = value;
        } else if (c && key == "class") {
            c->cls = value;
        } else if (c && key == "message") {
            c->message = value;
        } else if (c && key == "row") {
            Row r;
            std::istringstream s(value);
            s >> r.detail;
            std::string rest;
            std::getline(s, rest);
            rest = rest.substr(1);
            std::vector<std::string> parts(1);
            for (char ch : rest) {
                if (ch == '|')
                    parts.emplace_back();
                else
                    parts.back() += ch;
            }
            parts.resize(4);
            r.unit = parts[0];
            r.cls = parts[1];
            r.proc = parts[2];
            r.line = std::atoi(parts[3].c_str());
            c->rows.push_back(r);
        } else if (key == "end") {
            c = nullptr;
        } else if (key == "installed") {
            run.installed = value == "1";
        } else if (key == "throw-line") {
            run.throwLine = std::atoi(value.c_str());
        } else if (!line.empty()) {
            run.lines.push_back(line);
        }
    }
}

std::string LineAfter(const std::vector<std::string>& lines, const std::string& key)
{
    for (const auto& l : lines)
        if (l.rfind(key + " ", 0) == 0)
            return l.substr(key.size() + 1);
    return "";
}

bool Has(const std::vector<std::string>& lines, const std::string& line)
{
    for (const auto& l : lines)
        if (l == line)
            return true;
    return false;
}

std::string Describe(const Captured& c)
{
    std::string s = c.kind + " " + c.cls + ": " + c.message + "\n";
    for (const Row& r : c.rows)
        s += "  " + std::to_string(r.detail) + " " + r.unit + " " + r.cls + "::" + r.proc + ":" +
             std::to_string(r.line) + "\n";
    return s;
}

// The procedures of the shown rows, in order, without repeats in a row.
std::vector<std::string> Procedures(const Captured& c)
{
    std::vector<std::string> procs;
    for (const Row& r : c.Shown())
        if (procs.empty() || procs.back() != r.proc)
            procs.push_back(r.proc);
    return procs;
}

TEST(Capture, EachFaultIsCapturedOnceWithItsKind)
{
    struct Case {
        const char* scenario;
        const char* kind;
        const char* thread;
        const char* cls;
        DWORD exitCode;
        const char* after;  // a line the probe wrote afterwards, or ""
    } cases[] = {
        {"handler", "framework exception", "main", "std::runtime_error", 0, "finished"},
        {"int", "framework exception", "main", "int", 0, "finished"},
        {"av", "hardware fault", "main", "EAccessViolation", 1, ""},
        {"thread-av", "hardware fault", "other", "EAccessViolation", 0, "thread-exit 1"},
        {"thread-throw", "thread exception", "other", "std::runtime_error", 0, "thread-exit 1"},
        {"uncaught", "unhandled exception", "main", "int", 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scenario);
        const ProbeRun run = RunProbe(c.scenario);
        EXPECT_TRUE(run.installed);
        EXPECT_EQ(run.exitCode, c.exitCode);
        ASSERT_EQ(run.captures.size(), 1u);
        const Captured& got = run.captures[0];
        EXPECT_EQ(got.kind, c.kind) << Describe(got);
        EXPECT_EQ(got.thread, c.thread);
        EXPECT_EQ(got.cls, c.cls);
        if (*c.after) {
            EXPECT_TRUE(Has(run.lines, c.after));
        }
        EXPECT_EQ(Has(run.lines, "finished"), c.exitCode == 0);
    }
}

TEST(Capture, CallStackOfAKnownThrow)
{
    const ProbeRun run = RunProbe("handler");
    ASSERT_EQ(run.captures.size(), 1u);
    const Captured& c = run.captures[0];
    EXPECT_EQ(c.message, "Probe failure");
    const std::vector<Row> shown = c.Shown();
    ASSERT_GE(shown.size(), 3u) << Describe(c);
    EXPECT_EQ(shown[0].proc, "crashLevel3") << Describe(c);
    EXPECT_EQ(shown[0].line, run.throwLine);
    EXPECT_EQ(shown[0].unit, "CaptureProbe.cpp");
    const std::vector<std::string> procs = Procedures(c);
    ASSERT_GE(procs.size(), 3u) << Describe(c);
    EXPECT_EQ(procs[0], "crashLevel3") << Describe(c);
    EXPECT_EQ(procs[1], "crashLevel2") << Describe(c);
    EXPECT_EQ(procs[2], "CrashHandler") << Describe(c);
    for (const Row& r : shown) {
        EXPECT_NE(r.unit, "ExceptionHooks.cpp") << Describe(c);
        EXPECT_EQ(r.proc.find("cxa_throw"), std::string::npos) << Describe(c);
    }
}

TEST(Capture, AccessViolationNamesTheFaultingProcedure)
{
    for (const char* scenario : {"av", "thread-av"}) {
        SCOPED_TRACE(scenario);
        const ProbeRun run = RunProbe(scenario);
        ASSERT_EQ(run.captures.size(), 1u);
        const std::vector<std::string> procs = Procedures(run.captures[0]);
        ASSERT_FALSE(procs.empty()) << Describe(run.captures[0]);
        EXPECT_EQ(procs[0], "WriteToZero") << Describe(run.captures[0]);
        EXPECT_NE(run.captures[0].message.find("Access violation"), std::string::npos);
    }
}

TEST(Capture, AMainThreadSleepingBeyondTheFreezeTimeOutIsCapturedOnce)
{
    const ProbeRun frozen = RunProbe("freeze8");
    ASSERT_EQ(frozen.captures.size(), 1u);
    const Captured& c = frozen.captures[0];
    EXPECT_EQ(c.kind, "frozen application");
    EXPECT_EQ(c.thread, "main");
    EXPECT_EQ(c.cls, "EFrozenApplication");
    bool sleeping = false;
    for (const Row& r : c.Shown())
        sleeping = sleeping || r.proc == "SleepingHandler";
    EXPECT_TRUE(sleeping) << Describe(c);
    EXPECT_TRUE(Has(frozen.lines, "finished"));

    // Shut-down with the watchdog running: it stops first, the program ends.
    const ProbeRun answering = RunProbe("freeze3");
    EXPECT_EQ(answering.captures.size(), 0u);
    EXPECT_TRUE(Has(answering.lines, "finished"));
    EXPECT_TRUE(Has(answering.lines, "done"));
    EXPECT_EQ(answering.exitCode, 0u);
}

TEST(Capture, ThreadsMadeThroughTheHookedCreateThread)
{
    const ProbeRun run = RunProbe("threads");
    EXPECT_TRUE(run.captures.empty());
    for (const char* line : {"listed 1", "waits 1", "saved-before 0", "saved-after 1", "resumer-main 1",
                             "routine-result 5", "kept-after-purge 1", "resumed-by-id 1",
                             "ended-listed 0", "finished", "done"})
        EXPECT_TRUE(Has(run.lines, line)) << line;
}

TEST(Capture, RestartStartsTheProgramAgainInItsStartFolder)
{
    ProbeRun run = RunProbe("restart");
    EXPECT_EQ(run.exitCode, 1u);
    const std::string started = LineAfter(run.lines, "started-in");
    ASSERT_FALSE(started.empty());
    // The second process runs on its own: wait for its lines.
    for (int i = 0; i < 200 && !Has(run.lines, "finished"); ++i) {
        Sleep(50);
        ReadOutput(OutputPath("restart"), run);
    }
    EXPECT_EQ(LineAfter(run.lines, "restarted-in"), started);
    EXPECT_TRUE(Has(run.lines, "finished"));
}

TEST(Capture, AStackSizeThatIsAReservationStaysOne)
{
    // Reserved megabytes and committed 64 KB units of the thread's stack,
    // made through the hooked CreateThread and through the system's own.
    const ProbeRun run = RunProbe("threads");
    const std::string hooked = LineAfter(run.lines, "hooked-stack");
    ASSERT_FALSE(hooked.empty());
    EXPECT_EQ(hooked, LineAfter(run.lines, "system-stack"));
    EXPECT_GE(std::atoi(hooked.c_str()), 8);
}

TEST(Capture, ModulesAndProcesses)
{
    const ProbeRun run = RunProbe("lists");
    EXPECT_TRUE(Has(run.lines, "finished"));
    // module <type> <size> <version> <name>: the program is the main module
    // (1) with its file's size, the system libraries are OS libraries (3).
    bool program = false, kernel = false, self = false;
    std::string selfId;
    for (const std::string& l : run.lines)
        if (l.rfind("self ", 0) == 0)
            selfId = l.substr(5);
    for (const std::string& l : run.lines) {
        std::istringstream s(l);
        std::string key, a, b, c, name;
        s >> key >> a >> b >> c >> name;
        if (key == "module" && name == "crash_capture_probe.exe") {
            program = true;
            EXPECT_EQ(a, "1");
            WIN32_FILE_ATTRIBUTE_DATA facts;
            ASSERT_TRUE(GetFileAttributesExA(ProbePath().c_str(), GetFileExInfoStandard, &facts));
            EXPECT_EQ(b, std::to_string(facts.nFileSizeLow));
            EXPECT_EQ(c, "2.5.0.17");
        }
        if (key == "module" && (name == "kernel32.dll" || name == "KERNEL32.dll")) {
            kernel = true;
            EXPECT_EQ(a, "3");
            EXPECT_NE(c, "-");
        }
        if (key == "process" && a == selfId) {
            self = true;
            EXPECT_NE(b, "0");
            EXPECT_EQ(c, "crash_capture_probe.exe");
        }
    }
    EXPECT_TRUE(program);
    EXPECT_TRUE(kernel);
    EXPECT_TRUE(self) << "the probe's own process is not listed";
}

}  // namespace
