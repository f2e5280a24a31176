#include "editor/crashreport/support/web/tests/LocalServers.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "editor/crashreport/support/testing/TestFiles.h"

namespace {

const char* const Python = "/usr/bin/python3";

int ServerNumber() {
    static int n = 0;
    return ++n;
}

}  // namespace

void ClearProxyVariables() {
    for (const char* name : {"http_proxy", "https_proxy", "ftp_proxy", "all_proxy", "no_proxy", "HTTP_PROXY",
                             "HTTPS_PROXY", "FTP_PROXY", "ALL_PROXY", "NO_PROXY"})
        SetEnvironmentVariableA(name, nullptr);
}

std::unique_ptr<TLocalServer> TLocalServer::Web(const std::string& script, bool https) {
    std::unique_ptr<TLocalServer> server(new TLocalServer);
    server->Folder = TestFolder("web_server_" + std::to_string(GetCurrentProcessId()) + "_" +
                                std::to_string(ServerNumber()));
    std::string command = std::string(Python) + " " + ShellQuoted(UnixPath(WebDataFile("web_server.py"))) + " --script " +
                          ShellQuoted(UnixPath(WebDataFile(script))) + " --log-dir " + ShellQuoted(UnixPath(server->Folder));
    if (https)
        command += " --cert " + ShellQuoted(UnixPath(WebDataFile("loopback_cert.pem"))) + " --key " +
                   ShellQuoted(UnixPath(WebDataFile("loopback_key.pem")));
    server->Start(command);
    return server;
}

std::unique_ptr<TLocalServer> TLocalServer::Ftp(const std::string& user, const std::string& password) {
    std::unique_ptr<TLocalServer> server(new TLocalServer);
    server->Folder = TestFolder("ftp_server_" + std::to_string(GetCurrentProcessId()) + "_" +
                                std::to_string(ServerNumber()));
    server->Home = server->Folder + "home\\";
    CreateDirectoryA(server->Home.c_str(), nullptr);
    std::string out;
    if (RunShell(std::string(Python) + " -c 'import pyftpdlib'", out) != 0) {
        server->Problem = "pyftpdlib is not installed for " + std::string(Python) + ": " + out;
        return server;
    }
    server->Start(std::string(Python) + " " + ShellQuoted(UnixPath(WebDataFile("ftp_server.py"))) + " --home " +
                  ShellQuoted(UnixPath(server->Home)) + " --user " + ShellQuoted(user) + " --password " + ShellQuoted(password));
    return server;
}

void TLocalServer::Start(const std::string& command) {
    ClearProxyVariables();
    const std::string portFile = UnixPath(Folder + "port");
    const std::string stopFile = UnixPath(Folder + "stop");
    const std::string log = UnixPath(Folder + "server.log");
    std::string out;
    if (RunShell("test -x " + std::string(Python), out) != 0) {
        Problem = std::string(Python) + " is missing";
        return;
    }
    // The server runs on after this shell ends, until the test stops it (or
    // its lifetime runs out).
    RunShell(command + " --port-file " + ShellQuoted(portFile) + " --stop-file " + ShellQuoted(stopFile) + " > " + ShellQuoted(log) +
                 " 2>&1 < /dev/null &",
             out);
    if (!WaitForTestFile(Folder + "port", 30)) {
        Problem = "the server did not start: " + ReadTestFile(Folder + "server.log");
        return;
    }
    Port = static_cast<uint16_t>(std::atoi(ReadTestFile(Folder + "port").c_str()));
    if (Port == 0)
        Problem = "the server wrote no port";
}

TLocalServer::~TLocalServer() {
    if (Folder.empty() || !TestFileExists(Folder + "port"))
        return;
    WriteTestFile(Folder + "stop", "stop");
    WaitForTestFile(Folder + "port.stopped", 10);
}

std::vector<TRecordedRequest> TLocalServer::Requests() const {
    std::vector<TRecordedRequest> requests;
    for (int n = 1;; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "req_%04d.txt", n);
        if (!TestFileExists(Folder + name))
            break;
        TRecordedRequest r;
        if (ReadRecordedRequest(ReadTestFile(Folder + name), r))
            requests.push_back(r);
    }
    return requests;
}
