#include "editor/crashreport/support/testing/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "editor/crashreport/support/files/LocalFiles.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr ? v : "";
}

std::string HostPath(std::string path) {
#ifdef _WIN32
    for (char& c : path)
        if (c == '/')
            c = '\\';
#endif
    return path;
}

std::string ScratchRoot() {
    std::string binary = Env("TQ_BINARY_DIR");
    if (binary.empty())
        binary = ".";
    return HostPath(binary + "/test_files/crash_archive/");
}

}  // namespace

std::string UnixPath(const std::string& path) {
    std::string p = path;
    if (p.size() >= 2 && (p[0] == 'Z' || p[0] == 'z') && p[1] == ':')
        p = p.substr(2);
    for (char& c : p)
        if (c == '\\')
            c = '/';
    return p;
}

std::string SourceTreeFile(const std::string& path) {
    return HostPath(Env("TQ_SOURCE_DIR") + "/" + path);
}

std::string TestFolder(const std::string& name) {
    std::string folder = ScratchRoot() + name;
    std::string out;
    RunShell("rm -rf '" + UnixPath(folder) + "'", out);
    EXPECT_TRUE(ForceFolders(folder)) << folder;
    return folder + PathDelim;
}

void WriteTestFile(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary);
    f << bytes;
    EXPECT_TRUE(f.good()) << path;
}

std::string ReadTestFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

bool TestFileExists(const std::string& path) {
    return std::ifstream(path).good();
}

#ifndef _WIN32
int RunShell(const std::string& script, std::string& output) {
    output.clear();
    FILE* p = popen(("( " + script + " ) 2>&1").c_str(), "r");
    if (p == nullptr)
        return -1;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        output.append(buf, n);
    int status = pclose(p);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#else
// Wine starts a Linux program from CreateProcess but cannot wait for it, so
// the script writes its status last and the test polls for that file.
int RunShell(const std::string& script, std::string& output) {
    output.clear();
    static int counter = 0;
    std::string dir = ScratchRoot();
    ForceFolders(dir);
    std::string stem = dir + "shell" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
    std::string u = UnixPath(stem);
    std::remove((stem + ".status").c_str());
    WriteTestFile(stem + ".sh", "( " + script + " ) > '" + u + ".out' 2>&1\necho $? > '" + u +
                                    ".tmp'\nmv '" + u + ".tmp' '" + u + ".status'\n");
    std::string command = "sh \"" + u + ".sh\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA("Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (!TestFileExists(stem + ".status")) {
        if (std::chrono::steady_clock::now() > deadline)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    output = ReadTestFile(stem + ".out");
    return std::atoi(ReadTestFile(stem + ".status").c_str());
}
#endif

bool WaitForTestFile(const std::string& path, int seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!TestFileExists(path)) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::string ShellQuoted(const std::string& s) {
    return "'" + s + "'";
}
