#include "editor/crashreport/core/sending/tests/SmtpPeer.h"

#include <chrono>
#include <thread>

#include <windows.h>

#include "editor/crashreport/support/testing/TestFiles.h"

namespace {

const char* const Python = "/usr/bin/python3";

int PeerNumber() {
    static int n = 0;
    return ++n;
}

}  // namespace

std::string SendingDataFile(const std::string& name) {
    return SourceTreeFile("editor/crashreport/core/sending/tests/data/" + name);
}

TSmtpPeer::TSmtpPeer(const std::vector<std::string>& rules) {
    const unsigned long pid = static_cast<unsigned long>(GetCurrentProcessId());
    Folder = TestFolder("smtp_peer_" + std::to_string(pid) + "_" + std::to_string(PeerNumber()));
    std::string out;
    if (RunShell("test -x " + std::string(Python), out) != 0) {
        Problem = std::string(Python) + " is missing";
        return;
    }
    std::string command = std::string(Python) + " " + ShellQuoted(UnixPath(SendingDataFile("smtp_peer.py"))) +
                          " --log-dir " + ShellQuoted(UnixPath(Folder)) + " --port-file " +
                          ShellQuoted(UnixPath(Folder + "port")) + " --stop-file " + ShellQuoted(UnixPath(Folder + "stop"));
    for (const std::string& r : rules)
        command += " --rule " + ShellQuoted(r);
    RunShell(command + " > " + ShellQuoted(UnixPath(Folder + "peer.log")) + " 2>&1 < /dev/null &", out);
    if (!WaitForTestFile(Folder + "port", 30)) {
        Problem = "the SMTP peer did not start: " + ReadTestFile(Folder + "peer.log");
        return;
    }
    Port = static_cast<uint16_t>(std::atoi(ReadTestFile(Folder + "port").c_str()));
    if (Port == 0)
        Problem = "the SMTP peer wrote no port";
}

TSmtpPeer::~TSmtpPeer() {
    if (Folder.empty() || !TestFileExists(Folder + "port"))
        return;
    WriteTestFile(Folder + "stop", "stop");
    WaitForTestFile(Folder + "port.stopped", 10);
}

int TSmtpPeer::Connections() const {
    int n = 0;
    while (TestFileExists(Folder + "conn_" + std::to_string(n + 1) + ".cmd"))
        ++n;
    return n;
}

std::vector<std::string> TSmtpPeer::Commands(int n) const {
    std::vector<std::string> lines;
    const std::string text = ReadTestFile(Folder + "conn_" + std::to_string(n) + ".cmd");
    size_t at = 0;
    for (size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

std::string TSmtpPeer::Data(int n) const {
    const std::string path = Folder + "conn_" + std::to_string(n) + ".data";
    return TestFileExists(path) ? ReadTestFile(path) : std::string();
}
