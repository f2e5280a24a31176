#pragma once
// The tests' own servers on 127.0.0.1: the scripted web server (HTTP or
// HTTPS with a self-signed certificate) and an FTP server, both Python
// programs started on the Linux side for one test and stopped by it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editor/crashreport/support/web/tests/SiteScripts.h"

class TLocalServer {
public:
    // A web server answering from the site script (a file of the web test
    // data); `https` wraps it in TLS.
    static std::unique_ptr<TLocalServer> Web(const std::string& script, bool https = false);
    // An FTP server with one user whose home is Home.
    static std::unique_ptr<TLocalServer> Ftp(const std::string& user, const std::string& password);
    // Stops the server and waits until it has gone.
    ~TLocalServer();

    // 0 when it did not start; Problem then says why.
    uint16_t Port = 0;
    std::string Problem;
    std::string Folder;  // this server's scratch folder (ends with a delimiter)
    std::string Home;    // the FTP user's home (ends with a delimiter)

    // Every request the web server received, in order.
    std::vector<TRecordedRequest> Requests() const;

private:
    TLocalServer() = default;
    void Start(const std::string& command);
};

// The proxy variables of the environment removed, so that WinInet talks to
// the loopback servers directly.
void ClearProxyVariables();
