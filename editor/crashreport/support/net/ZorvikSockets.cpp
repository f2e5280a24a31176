#include "editor/crashreport/support/net/ZorvikSockets.h"

#include <windows.h>
#include <iphlpapi.h>

#include <algorithm>
#include <cstring>

#include "editor/crashreport/support/net/DnsMx.h"
#include "editor/crashreport/support/net/SmtpText.h"
#include "framework/SysUtils.h"

namespace {

// Winsock is started once for the process, by the unit's start-up or by the
// first socket opened before it.
bool gWinsockStarted = false;

void StartWinsock() {
    if (gWinsockStarted)
        return;
    WSADATA data;
    if (WSAStartup(MAKEWORD(1, 1), &data) == 0)
        gWinsockStarted = true;
}

std::string SystemErrorText(int code) {
    char buffer[512] = "";
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                   static_cast<DWORD>(code), 0, buffer, sizeof(buffer), nullptr);
    std::string text(buffer, n);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text.empty() ? "Error " + IntToStr(code) : text;
}

std::string WithText(const std::string& pattern, const std::string& text) {
    const size_t at = pattern.find("%s");
    return at == std::string::npos ? pattern : pattern.substr(0, at) + text + pattern.substr(at + 2);
}

// A fixed public DNS server, asked after the system's own.
const char kFallbackDnsServer[] = "8.8.8.8";
constexpr uint16_t kDnsPort = 53;
constexpr int kWouldBlock = 10035;
constexpr size_t kSendPiece = 1024;
constexpr DWORD kPollPeriodMs = 1000;

}  // namespace

TZorvikClientSocket::TZorvikClientSocket(const std::string& host, int32_t timeoutMs, bool tcp, uint16_t port)
    : Host(host), Port(port), SocketType(tcp ? SOCK_STREAM : SOCK_DGRAM), Timeout(timeoutMs) {
    Address.sin_family = AF_INET;
}

TZorvikClientSocket::~TZorvikClientSocket() {
    if (!Connected)
        return;
    try {
        Close();
    } catch (...) {
        // A socket that will not close is dropped all the same.
    }
}

uint32_t TZorvikClientSocket::LookupName(const std::string& host) {
    StartWinsock();
    const hostent* entry = gethostbyname(host.c_str());
    if (entry == nullptr || entry->h_addr_list == nullptr || entry->h_addr_list[0] == nullptr)
        return 0;
    uint32_t address = 0;
    std::memcpy(&address, entry->h_addr_list[0], 4);
    return address;
}

void TZorvikClientSocket::Open() {
    if (Connected)
        return;
    StartWinsock();
    Handle = socket(AF_INET, SocketType, 0);
    if (Handle == INVALID_SOCKET) {
        SocketFailure("Invalid socket: \"%s\".");
        return;
    }
    Address = {};
    Address.sin_family = AF_INET;
    Address.sin_addr.s_addr = LookupName(Host);
    Address.sin_port = htons(Port);
    WSAAsyncSelect(Handle, nullptr, 0, 0);
    u_long blocking = 0;
    ioctlsocket(Handle, FIONBIO, &blocking);
    if (connect(Handle, reinterpret_cast<const sockaddr*>(&Address), sizeof(Address)) == SOCKET_ERROR) {
        SocketFailure("Connection error: \"%s\"");
        return;
    }
    Connected = true;
    const auto* b = reinterpret_cast<const uint8_t*>(&Address.sin_addr.s_addr);
    Log = "Connected to " + IntToStr(b[0]) + "." + IntToStr(b[1]) + "." + IntToStr(b[2]) + "." + IntToStr(b[3]) +
          " port " + IntToStr(Port) + "\r\n";
}

void TZorvikClientSocket::Close() {
    // A socket never opened has nothing to close.
    if (Handle != INVALID_SOCKET && closesocket(Handle) == SOCKET_ERROR) {
        const int code = WSAGetLastError();
        const std::string message =
            SocketErrorText(WithText("Cannot close the socket: \"%s\"", SystemErrorText(code)), Log);
        Handle = INVALID_SOCKET;
        Connected = false;
        RaiseError(message);
    }
    Handle = INVALID_SOCKET;
    Address = {};
    Address.sin_family = AF_INET;
    Connected = false;
    Log.clear();
}

void TZorvikClientSocket::RaiseError(const std::string& message) {
    const std::string full = SocketErrorText(message, Log);
    if (OnError)
        OnError(this, -1, full);
    if (QuietErrors)
        throw EAbort("");
    throw EZorvikSocketError(full);
}

int32_t TZorvikClientSocket::SocketFailure(const std::string& pattern) {
    const int code = WSAGetLastError();
    if (code == kWouldBlock)
        return -1;
    const std::string message = DropConnection(WithText(pattern, SystemErrorText(code)));
    if (code == 0)
        return -1;
    RaiseError(message);
}

int32_t TZorvikClientSocket::SendBuf(const void* buffer, int32_t count) {
    if (!Connected)
        return 0;
    const int sent = send(Handle, static_cast<const char*>(buffer), count, 0);
    if (sent == SOCKET_ERROR)
        return SocketFailure("Error into \"send\": \"%s\"");
    return sent;
}

// Sends in pieces of at most 1024 bytes. A piece the system takes only in
// part is finished before the next; a piece that cannot be sent ends the
// text there, so the peer never gets a text with a hole in it.
int32_t TZorvikClientSocket::SendText(const std::string& text) {
    const int32_t total = static_cast<int32_t>(std::min<size_t>(text.size(), INT32_MAX));
    int32_t done = 0;
    while (done < total) {
        const int32_t piece = static_cast<int32_t>(std::min<size_t>(kSendPiece, static_cast<size_t>(total - done)));
        int32_t pieceDone = 0;
        while (pieceDone < piece) {
            const int32_t n = SendBuf(text.data() + done + pieceDone, piece - pieceDone);
            if (n <= 0)
                break;
            pieceDone += n;
        }
        done += pieceDone;
        if (OnProgress)
            OnProgress(this, done, total);
        if (pieceDone < piece)
            break;
    }
    return done;
}

int32_t TZorvikClientSocket::ReceiveBuf(void* buffer, int32_t size) {
    if (!Connected)
        return 0;
    if (size == -1) {
        u_long waiting = 0;
        if (ioctlsocket(Handle, FIONREAD, &waiting) == SOCKET_ERROR)
            return SocketFailure("Error into \"recv\": \"%s\"");
        return static_cast<int32_t>(std::min<u_long>(waiting, INT32_MAX));
    }
    const int got = recv(Handle, static_cast<char*>(buffer), size, 0);
    if (got == SOCKET_ERROR)
        return SocketFailure("Error into \"recv\": \"%s\"");
    return got;
}

// One reply: everything that arrives until a poll period passes without a
// new byte. A reply is bounded: more than MaxReplySize bytes, or bytes still
// arriving when the time-out and two poll periods have passed since the wait
// began (the reply's first byte may come as the time-out ends; one period
// for the rest of it, one to see it end), fail it, close the socket and
// raise. So a misbehaving peer can neither hold the caller nor fill its
// memory.
void TZorvikClientSocket::ReceiveReply(std::string& text, uint32_t waitStart) {
    text.clear();
    if (ReceiveBuf(nullptr, -1) <= 0)
        return;
    const DWORD limit = static_cast<DWORD>(std::max(Timeout, 0)) + 2 * kPollPeriodMs;
    DWORD lastByte = GetTickCount();
    while (Connected) {
        const int32_t waiting = ReceiveBuf(nullptr, -1);
        if (waiting > 0) {
            const size_t had = text.size();
            const size_t want = std::min(static_cast<size_t>(waiting), MaxReplySize + 1 - had);
            text.resize(had + want);
            const int32_t got = ReceiveBuf(text.data() + had, static_cast<int32_t>(want));
            text.resize(had + static_cast<size_t>(std::max(got, 0)));
            if (got <= 0)
                return;
            Log.append(text, had, std::string::npos);
            if (text.size() > MaxReplySize)
                ReplyFailure("Reply longer than " + IntToStr(static_cast<int64_t>(MaxReplySize)) + " bytes.");
            lastByte = GetTickCount();
        } else if (GetTickCount() - lastByte >= kPollPeriodMs) {
            return;
        }
        if (GetTickCount() - waitStart >= limit)
            ReplyFailure("Socket timeout.");
        if (waiting <= 0)
            Sleep(1);
    }
}

void TZorvikClientSocket::ReceiveText(std::string& text) { ReceiveReply(text, GetTickCount()); }

void TZorvikClientSocket::ReplyFailure(const std::string& message) { RaiseError(DropConnection(message)); }

std::string TZorvikClientSocket::DropConnection(const std::string& message) {
    // The message keeps the log, which closing empties.
    const std::string full = SocketErrorText(message, Log);
    if (Handle != INVALID_SOCKET)
        closesocket(Handle);
    Handle = INVALID_SOCKET;
    Connected = false;
    Log.clear();
    return full;
}

void TZorvikClientSocket::GetFullText(std::string& text) {
    const DWORD start = GetTickCount();
    for (;;) {
        ReceiveReply(text, start);
        if (!text.empty() || !Connected || GetTickCount() - start >= static_cast<DWORD>(std::max(Timeout, 0)))
            return;
        Sleep(1);
    }
}

void TZorvikClientSocket::ReceiveFullText(std::string& text) {
    GetFullText(text);
    if (text.empty())
        RaiseError("Socket timeout.");
}

void TZorvikClientSMTP::Open() {
    // Once connected the greeting has been read; reading it again would wait
    // for a reply that never comes.
    if (Connected)
        return;
    TZorvikClientSocket::Open();
    if (!GetText({220}))
        RaiseError(Log);
}

bool TZorvikClientSMTP::GetText(const std::vector<int>& accepted) {
    std::string reply;
    ReceiveFullText(reply);
    return SmtpReplyAccepted(reply, accepted);
}

bool TZorvikClientSMTP::SendCommand(const std::string& command, const std::vector<int>& accepted) {
    if (command.empty())
        return false;
    const std::string line = SmtpCommandLine(command);
    bool result = false;
    if (SendText(line) == static_cast<int32_t>(line.size())) {
        Log += line;
        result = GetText(accepted);
    }
    if (!result)
        RaiseError(Log);
    return result;
}

std::vector<std::string> MXDnsServers() {
    std::vector<std::string> servers;
    if (HMODULE lib = LoadLibraryA("IPHLPAPI.DLL")) {
        using GetNetworkParamsFn = DWORD(WINAPI*)(PFIXED_INFO, PULONG);
        auto getParams = reinterpret_cast<GetNetworkParamsFn>(reinterpret_cast<void*>(GetProcAddress(lib, "GetNetworkParams")));
        ULONG size = 0;
        if (getParams && getParams(nullptr, &size) == ERROR_BUFFER_OVERFLOW && size > 0) {
            std::vector<uint8_t> buffer(size);
            auto* info = reinterpret_cast<FIXED_INFO*>(buffer.data());
            if (getParams(info, &size) == ERROR_SUCCESS) {
                for (const IP_ADDR_STRING* a = &info->DnsServerList; a != nullptr; a = a->Next) {
                    const std::string ip = Trim(std::string(a->IpAddress.String, strnlen(a->IpAddress.String, 16)));
                    if (!ip.empty() && ip != "0.0.0.0")
                        servers.push_back(ip);
                }
            }
        }
        FreeLibrary(lib);
    }
    servers.push_back(kFallbackDnsServer);
    return servers;
}

std::string GetMXServerFromEmail(const std::string& address, int32_t timeoutMs) {
    return GetMXServerFromEmail(address, timeoutMs, MXDnsServers(), kDnsPort);
}

std::string GetMXServerFromEmail(const std::string& address, int32_t timeoutMs,
                                 const std::vector<std::string>& servers, uint16_t port) {
    const std::string domain = MxDomainOfAddress(address);
    const std::string query = BuildMxQuery(domain);
    for (const std::string& server : servers) {
        for (int32_t tryTimeout : MxTryTimeouts(timeoutMs)) {
            TZorvikClientSocket socket(server, tryTimeout, false, port);
            socket.Open();  // an error here ends the whole lookup
            std::string reply;
            try {
                if (socket.SendText(query) == static_cast<int32_t>(query.size()))
                    socket.GetFullText(reply);
            } catch (const EZorvikSocketError&) {
                // A server that refuses (port unreachable) is just one without an answer.
                reply.clear();
            }
            const std::string name = ParseMxReply(reply);
            if (!name.empty())
                return name;
        }
    }
    throw EZorvikSocketError("Cannot resolve the \"" + domain + "\" MX record.");
}

void StartSockets() { StartWinsock(); }

void StopSockets() {
    if (gWinsockStarted)
        WSACleanup();
    gWinsockStarted = false;
}
