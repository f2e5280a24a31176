#pragma once
// A small blocking Winsock client for sending reports by mail: TCP or UDP to
// one host and port, text sent and received with time-outs, a log of the
// conversation; the SMTP greeting and command steps; and the mail exchanger
// of a domain found by our own DNS query.
#include <winsock2.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/Classes.h"
#include "framework/Exceptions.h"

TQ_EXCEPTION_CLASS(EZorvikSocketError, Exception)

class TZorvikClientSocket : public TObject {
public:
    TZorvikClientSocket(const std::string& host, int32_t timeoutMs, bool tcp, uint16_t port);
    ~TZorvikClientSocket() override;
    std::string ClassName() const override { return "TZorvikClientSocket"; }

    virtual void Open();
    virtual void Close();

    int32_t SendBuf(const void* buffer, int32_t count);
    int32_t SendText(const std::string& text);
    // size -1: the number of bytes waiting.
    int32_t ReceiveBuf(void* buffer, int32_t size);
    // One reply, at most MaxReplySize bytes and bounded in time (see the .cpp).
    void ReceiveText(std::string& text);
    void GetFullText(std::string& text);
    void ReceiveFullText(std::string& text);

    static uint32_t LookupName(const std::string& host);

    // The longest reply taken; a longer one is an error.
    static constexpr size_t MaxReplySize = 64 * 1024;

    sockaddr_in Address{};
    std::string Host;
    uint16_t Port;
    int SocketType;  // SOCK_STREAM or SOCK_DGRAM
    int32_t Timeout;
    bool Connected = false;
    SOCKET Handle = INVALID_SOCKET;
    std::string Log;
    std::function<void(TZorvikClientSocket*, int, const std::string&)> OnError;
    std::function<void(TZorvikClientSocket*, int32_t, int32_t)> OnProgress;
    bool QuietErrors = false;

protected:
    // Raises the error (after the log and the error event); see the .cpp.
    [[noreturn]] void RaiseError(const std::string& message);
    // A failed socket call: -1 for would-block, else closes and raises.
    int32_t SocketFailure(const std::string& pattern);

private:
    // Reads one reply whose wait began at `waitStart` (a tick count).
    void ReceiveReply(std::string& text, uint32_t waitStart);
    // A reply that broke its bounds: closes the socket and raises.
    [[noreturn]] void ReplyFailure(const std::string& message);
    // Closes the socket after a failure; the message with the log it had.
    std::string DropConnection(const std::string& message);
};

class TZorvikClientSMTP : public TZorvikClientSocket {
public:
    using TZorvikClientSocket::TZorvikClientSocket;
    std::string ClassName() const override { return "TZorvikClientSMTP"; }
    void Open() override;
    bool GetText(const std::vector<int>& accepted);
    bool SendCommand(const std::string& command, const std::vector<int>& accepted);
};

// The mail exchanger of the address's domain, asking the system's DNS servers
// and then a public one.
std::string GetMXServerFromEmail(const std::string& address, int32_t timeoutMs);
// The same through the given servers only, at the given port.
std::string GetMXServerFromEmail(const std::string& address, int32_t timeoutMs,
                                 const std::vector<std::string>& servers, uint16_t port);
// The system's DNS servers, in order, then the fixed public one.
std::vector<std::string> MXDnsServers();

#include "editor/crashreport/support/net/ZSocketsUnit.h"
