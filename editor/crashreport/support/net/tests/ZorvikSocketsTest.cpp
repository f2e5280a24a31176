#include <gtest/gtest.h>

#include <winsock2.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "editor/crashreport/support/net/ZorvikSockets.h"
#include "editor/crashreport/support/testing/LoopbackPeers.h"

namespace {

// Every server here listens on 127.0.0.1 at a port the system picks, answers
// within bounded waits and is stopped by its test.

// A tiny SMTP server: a greeting, then one reply per received line.
class TinySmtpServer {
public:
    TinySmtpServer(std::string greeting, std::function<std::string(const std::string&)> reply)
        : FGreeting(std::move(greeting)), FReply(std::move(reply)) {
        FListen = BoundSocket(SOCK_STREAM, Port);
        listen(FListen, 1);
        FThread = std::thread([this] { Run(); });
    }
    ~TinySmtpServer() {
        FStop = true;
        FThread.join();
        closesocket(FListen);
    }
    uint16_t Port = 0;
    std::vector<std::string> Lines;  // as received, line ends included
    std::string Received;

private:
    void Run() {
        if (!Readable(FListen, 5000))
            return;
        SOCKET c = accept(FListen, nullptr, nullptr);
        if (!FGreeting.empty())
            send(c, FGreeting.data(), static_cast<int>(FGreeting.size()), 0);
        std::string pending;
        for (int idle = 0; !FStop && idle < 100;) {
            if (!Readable(c, 50)) {
                ++idle;
                continue;
            }
            char buffer[4096];
            const int n = recv(c, buffer, sizeof(buffer), 0);
            if (n <= 0)
                break;
            idle = 0;
            Received.append(buffer, static_cast<size_t>(n));
            pending.append(buffer, static_cast<size_t>(n));
            for (size_t end; (end = pending.find("\r\n")) != std::string::npos;) {
                const std::string line = pending.substr(0, end + 2);
                pending.erase(0, end + 2);
                Lines.push_back(line);
                const std::string answer = FReply ? FReply(line) : std::string();
                if (!answer.empty())
                    send(c, answer.data(), static_cast<int>(answer.size()), 0);
            }
        }
        closesocket(c);
    }
    std::string FGreeting;
    std::function<std::string(const std::string&)> FReply;
    SOCKET FListen;
    std::atomic<bool> FStop{false};
    std::thread FThread;
};

// A tiny DNS responder: answers MX queries with one exchanger, after
// ignoring the first `ignore` queries.
class TinyDnsResponder {
public:
    TinyDnsResponder(int ignore, bool answer) : FIgnore(ignore), FAnswer(answer) {
        FSocket = BoundSocket(SOCK_DGRAM, Port);
        FThread = std::thread([this] { Run(); });
    }
    ~TinyDnsResponder() {
        FStop = true;
        FThread.join();
        closesocket(FSocket);
    }
    uint16_t Port = 0;
    std::atomic<int> Queries{0};
    std::string LastQuery;

private:
    void Run() {
        for (int idle = 0; !FStop && idle < 200;) {
            if (!Readable(FSocket, 50)) {
                ++idle;
                continue;
            }
            char buffer[512];
            sockaddr_in from{};
            int len = sizeof(from);
            const int n = recvfrom(FSocket, buffer, sizeof(buffer), 0, reinterpret_cast<sockaddr*>(&from), &len);
            if (n <= 12)
                continue;
            LastQuery.assign(buffer, static_cast<size_t>(n));
            if (Queries++ < FIgnore || !FAnswer)
                continue;
            std::string reply = LastQuery;
            reply[2] = '\x81';
            reply[3] = '\x80';
            reply[7] = 1;  // one answer
            reply += std::string("\xC0\x0C\x00\x0F\x00\x01\x00\x00\x0E\x10\x00\x09\x00\x0A\x02mx\xC0\x0C", 21);
            sendto(FSocket, reply.data(), static_cast<int>(reply.size()), 0, reinterpret_cast<sockaddr*>(&from), len);
        }
    }
    int FIgnore;
    bool FAnswer;
    SOCKET FSocket;
    std::atomic<bool> FStop{false};
    std::thread FThread;
};

std::string SmtpReplies(const std::string& line) {
    if (line.rfind("HELO", 0) == 0)
        return "250-local greets you\r\n250 OK\r\n";
    if (line.rfind("MAIL", 0) == 0)
        return "250 sender OK\r\n";
    if (line.rfind("RCPT", 0) == 0)
        return "550 no such user\r\n";
    return "221 bye\r\n";
}

class Sockets : public ::testing::Test {
protected:
    void SetUp() override { ZSocketsInit(); }
};

TEST_F(Sockets, SmtpDialogue) {
    TinySmtpServer server("220 local ESMTP\r\n", SmtpReplies);
    TZorvikClientSMTP client("127.0.0.1", 3000, true, server.Port);
    int errors = 0;
    std::string errorText;
    client.OnError = [&](TZorvikClientSocket*, int code, const std::string& message) {
        errors += code == -1;
        errorText = message;
    };
    client.Open();
    EXPECT_TRUE(client.Connected);
    EXPECT_EQ("Connected to 127.0.0.1 port " + std::to_string(server.Port) + "\r\n220 local ESMTP\r\n", client.Log);

    EXPECT_TRUE(client.SendCommand("HELO me", {250}));   // a multi-line 250 reply
    EXPECT_TRUE(client.SendCommand("MAIL FROM:<a@example.com>\r\n", {250}));
    EXPECT_FALSE(client.SendCommand("", {250}));
    try {
        client.SendCommand("RCPT TO:<x@example.com>", {250, 251});
        FAIL();
    } catch (const EZorvikSocketError& e) {
        EXPECT_EQ(client.Log, e.what());
        EXPECT_NE(std::string::npos, std::string(e.what()).find("RCPT TO:<x@example.com>\r\n550 no such user\r\n"));
    }
    EXPECT_EQ(1, errors);
    EXPECT_EQ(client.Log, errorText);
    client.Close();
    EXPECT_FALSE(client.Connected);
    EXPECT_EQ("", client.Log);
    EXPECT_EQ(INVALID_SOCKET, client.Handle);
    client.Close();  // closing twice is harmless
}

TEST_F(Sockets, CommandsReachTheServerWithOneLineEnd) {
    TinySmtpServer server("220 hi\r\n", SmtpReplies);
    {
        TZorvikClientSMTP client("127.0.0.1", 3000, true, server.Port);
        client.Open();
        client.SendCommand("HELO me", {250});
        client.SendCommand("MAIL FROM:<a@example.com>\r\n", {250});
        client.SendCommand("QUIT", {221});
    }
    EXPECT_EQ((std::vector<std::string>{"HELO me\r\n", "MAIL FROM:<a@example.com>\r\n", "QUIT\r\n"}), server.Lines);
}

TEST_F(Sockets, GreetingOtherThan220IsAnError) {
    TinySmtpServer server("554 go away\r\n", nullptr);
    TZorvikClientSMTP client("127.0.0.1", 3000, true, server.Port);
    try {
        client.Open();
        FAIL();
    } catch (const EZorvikSocketError& e) {
        EXPECT_NE(std::string::npos, std::string(e.what()).find("554 go away"));
    }
}

TEST_F(Sockets, SilenceIsATimeout) {
    TinySmtpServer server("", nullptr);
    TZorvikClientSMTP client("127.0.0.1", 300, true, server.Port);
    const DWORD start = GetTickCount();
    try {
        client.Open();
        FAIL();
    } catch (const EZorvikSocketError& e) {
        EXPECT_EQ("Socket timeout.\r\nSocket log:\r\nConnected to 127.0.0.1 port " + std::to_string(server.Port) + "\r\n",
                  std::string(e.what()));
    }
    EXPECT_LT(GetTickCount() - start, 3000u);
}

// A greeting that never ends, sent as fast as the client takes it: the
// client stops at its reply limit and fails, its memory does not grow with
// what the peer offers, and the peer gets little of its flood out.
TEST_F(Sockets, EndlessReplyLineFailsAtTheLimit) {
    constexpr int64_t offered = 256ll << 20;
    EndlessPeer peer("220 ", std::string(64 * 1024, 'x'), 0, offered);
    TZorvikClientSMTP client("127.0.0.1", 5000, true, peer.Port);
    const size_t peakBefore = PeakWorkingSet();
    try {
        client.Open();
        FAIL() << "an endless greeting was taken";
    } catch (const EZorvikSocketError& e) {
        const std::string message = e.what();
        EXPECT_EQ(0u, message.rfind("Reply longer than 65536 bytes.\r\nSocket log:\r\nConnected to 127.0.0.1 port ", 0))
            << message.substr(0, 200);
        EXPECT_NE(std::string::npos, message.find("\r\n220 xxxx"));
        EXPECT_LE(message.size(), TZorvikClientSocket::MaxReplySize + 200);
    }
    EXPECT_FALSE(client.Connected);
    EXPECT_EQ(INVALID_SOCKET, client.Handle);
    EXPECT_LT(PeakWorkingSet() - peakBefore, size_t{32} << 20);
    // The client closed at the limit: what the peer got out is that plus
    // what the two sockets' buffers held, far below the flood.
    for (int i = 0; i < 100 && peer.Sent < offered / 8; ++i)
        Sleep(10);
    EXPECT_LT(peer.Sent, offered / 8);
}

// A greeting trickled a byte every half second never shows its end: the
// client fails once the time-out (and the poll periods that let a reply
// finish) have passed, long before the peer would stop.
TEST_F(Sockets, TrickledReplyFailsAfterTheTimeout) {
    EndlessPeer peer("220 ", "x", 500, 60);  // half a minute of trickle
    TZorvikClientSMTP client("127.0.0.1", 1500, true, peer.Port);
    const DWORD start = GetTickCount();
    try {
        client.Open();
        FAIL() << "a trickled greeting was taken";
    } catch (const EZorvikSocketError& e) {
        const std::string message = e.what();
        EXPECT_EQ(0u, message.rfind("Socket timeout.\r\nSocket log:\r\nConnected to 127.0.0.1 port ", 0)) << message;
        EXPECT_NE(std::string::npos, message.find("\r\n220 xx"));
    }
    EXPECT_FALSE(client.Connected);
    EXPECT_LT(GetTickCount() - start, 15000u);
}

// The same bounds hold for the reply to a command.
TEST_F(Sockets, EndlessReplyToACommand) {
    TinySmtpServer server("220 hi\r\n", [](const std::string& line) {
        return line.rfind("HELO", 0) == 0 ? "250-" + std::string(200 * 1024, 'y') + "\r\n250 OK\r\n" : std::string();
    });
    TZorvikClientSMTP client("127.0.0.1", 3000, true, server.Port);
    client.Open();
    EXPECT_THROW(client.SendCommand("HELO me", {250}), EZorvikSocketError);
    EXPECT_FALSE(client.Connected);
}

TEST_F(Sockets, RefusedConnection) {
    uint16_t port = 0;
    closesocket(BoundSocket(SOCK_STREAM, port));  // a port nobody listens on
    TZorvikClientSocket client("127.0.0.1", 500, true, port);
    try {
        client.Open();
        FAIL();
    } catch (const EZorvikSocketError& e) {
        EXPECT_EQ(0u, std::string(e.what()).rfind("Connection error: \"", 0)) << e.what();
    }
    EXPECT_FALSE(client.Connected);
    EXPECT_EQ(INVALID_SOCKET, client.Handle);
    // Quiet errors end silently.
    client.QuietErrors = true;
    EXPECT_THROW(client.Open(), EAbort);
}

TEST_F(Sockets, LongTextGoesInPiecesWithProgress) {
    TinySmtpServer server("", nullptr);
    TZorvikClientSocket client("127.0.0.1", 1000, true, server.Port);
    std::vector<std::pair<int32_t, int32_t>> progress;
    client.OnProgress = [&](TZorvikClientSocket*, int32_t sent, int32_t total) { progress.push_back({sent, total}); };
    // A piece that cannot go ends the text there: the later pieces never
    // follow with a hole before them.
    EXPECT_EQ(0, client.SendText(std::string(2500, 'x')));
    EXPECT_EQ((std::vector<std::pair<int32_t, int32_t>>{{0, 2500}}), progress);
    progress.clear();
    client.Open();
    std::string text;
    for (int i = 0; i < 2500; ++i)
        text += static_cast<char>('a' + i % 26);
    text += "\r\n";
    EXPECT_EQ(2502, client.SendText(text));
    EXPECT_EQ((std::vector<std::pair<int32_t, int32_t>>{{1024, 2502}, {2048, 2502}, {2502, 2502}}), progress);
    client.Close();
    for (int i = 0; i < 100 && server.Lines.empty(); ++i)
        Sleep(20);
    ASSERT_EQ(1u, server.Lines.size());
    EXPECT_EQ(text, server.Lines[0]);
}

TEST_F(Sockets, MxLookupThroughALocalResponder) {
    TinyDnsResponder dns(1, true);  // the first try goes unanswered
    EXPECT_EQ("mx.example.com", GetMXServerFromEmail("me@example.com", 600, {"127.0.0.1"}, dns.Port));
    EXPECT_EQ(2, dns.Queries);
    EXPECT_EQ(std::string("AA\x01\x00\x00\x01", 6), dns.LastQuery.substr(0, 6));
}

TEST_F(Sockets, MxLookupWithoutAnswer) {
    TinyDnsResponder dns(0, false);
    try {
        GetMXServerFromEmail("example.com", 150, {"127.0.0.1"}, dns.Port);
        FAIL();
    } catch (const EZorvikSocketError& e) {
        EXPECT_STREQ("Cannot resolve the \"example.com\" MX record.", e.what());
    }
    EXPECT_EQ(3, dns.Queries);
}

TEST_F(Sockets, DnsServersEndWithTheFallback) {
    // Reads the system's list only; nothing is sent.
    const std::vector<std::string> servers = MXDnsServers();
    ASSERT_FALSE(servers.empty());
    EXPECT_EQ("8.8.8.8", servers.back());
    for (const std::string& s : servers)
        EXPECT_NE("0.0.0.0", s);
}

}  // namespace
