#pragma once
// The tests' SMTP peer: a Python program on the Linux side, on 127.0.0.1 and
// a port the system picks, started by one test and stopped by it. It keeps
// each connection's commands and mail data verbatim.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TSmtpPeer {
public:
    // rules: "N:PREFIX=CODE" (connection N) or "*:PREFIX=CODE" (every one);
    // the prefix GREETING names the greeting.
    explicit TSmtpPeer(const std::vector<std::string>& rules = {});
    ~TSmtpPeer();
    TSmtpPeer(const TSmtpPeer&) = delete;
    TSmtpPeer& operator=(const TSmtpPeer&) = delete;

    uint16_t Port = 0;      // 0 when it did not start
    std::string Problem;    // why not
    std::string Folder;

    int Connections() const;
    // The command lines of connection n (from 1), without their CR LF.
    std::vector<std::string> Commands(int n) const;
    // The mail data of connection n, verbatim.
    std::string Data(int n) const;
};

// A fixture of the sending tests.
std::string SendingDataFile(const std::string& name);
