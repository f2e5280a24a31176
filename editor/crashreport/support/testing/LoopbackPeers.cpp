#include "editor/crashreport/support/testing/LoopbackPeers.h"

#include <windows.h>
#include <psapi.h>

SOCKET BoundSocket(int type, uint16_t& port) {
    SOCKET s = socket(AF_INET, type, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&a), sizeof(a));
    int len = sizeof(a);
    getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    port = ntohs(a.sin_port);
    return s;
}

bool Readable(SOCKET s, int ms) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval tv{ms / 1000, (ms % 1000) * 1000};
    return select(0, &set, nullptr, nullptr, &tv) == 1;
}

bool Writable(SOCKET s, int ms) {
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_SET(s, &writable);
    FD_ZERO(&failed);
    FD_SET(s, &failed);
    timeval tv{ms / 1000, (ms % 1000) * 1000};
    return select(0, nullptr, &writable, &failed, &tv) >= 1;
}

EndlessPeer::EndlessPeer(std::string prefix, std::string piece, int periodMs, int64_t limit)
    : FPrefix(std::move(prefix)), FPiece(std::move(piece)), FPeriod(periodMs), FLimit(limit) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    FListen = BoundSocket(SOCK_STREAM, Port);
    listen(FListen, 1);
    FThread = std::thread([this] { Run(); });
}

EndlessPeer::~EndlessPeer() {
    FStop = true;
    FThread.join();
    closesocket(FListen);
    WSACleanup();
}

bool EndlessPeer::SendAll(SOCKET c, const std::string& data) {
    for (size_t done = 0; done < data.size();) {
        if (FStop)
            return false;
        if (!Writable(c, 50))
            continue;
        const int n = send(c, data.data() + done, static_cast<int>(data.size() - done), 0);
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
        Sent += n;
    }
    return true;
}

void EndlessPeer::Run() {
    if (!Readable(FListen, 10000))
        return;
    SOCKET c = accept(FListen, nullptr, nullptr);
    if (SendAll(c, FPrefix))
        while (!FStop && Sent < FLimit && SendAll(c, FPiece))
            if (FPeriod > 0)
                Sleep(static_cast<DWORD>(FPeriod));
    closesocket(c);
}

size_t PeakWorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize;
}
