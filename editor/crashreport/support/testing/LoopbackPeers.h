#pragma once
// The tests' own peers on 127.0.0.1 for the socket client and the web road:
// sockets bound at a port the system picks, bounded waits, and a peer that
// never ends its answer.
#include <winsock2.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

// A socket of the type bound to 127.0.0.1; `port` receives its port.
SOCKET BoundSocket(int type, uint16_t& port);
// The socket can be read (or accepted from) within `ms` milliseconds.
bool Readable(SOCKET s, int ms);
// The socket takes more bytes (or has failed) within `ms` milliseconds.
bool Writable(SOCKET s, int ms);

// Accepts one connection, sends `prefix`, then `piece` every `periodMs`
// until `limit` bytes went out, the client goes away or the peer is
// destroyed; it never reads. Sent counts the bytes that left it.
class EndlessPeer {
public:
    EndlessPeer(std::string prefix, std::string piece, int periodMs, int64_t limit);
    ~EndlessPeer();
    EndlessPeer(const EndlessPeer&) = delete;
    EndlessPeer& operator=(const EndlessPeer&) = delete;

    uint16_t Port = 0;
    std::atomic<int64_t> Sent{0};

private:
    bool SendAll(SOCKET c, const std::string& data);
    void Run();
    std::string FPrefix, FPiece;
    int FPeriod;
    int64_t FLimit;
    SOCKET FListen = INVALID_SOCKET;
    std::atomic<bool> FStop{false};
    std::thread FThread;
};

// The process's peak working set in bytes.
size_t PeakWorkingSet();
