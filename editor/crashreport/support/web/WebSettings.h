#pragma once
// The settings every web road of the component reads: the proxy for uploads
// and page reads, its credentials, and the FTP passive flag. The core sets
// them before a web send.
#include <cstddef>
#include <cstdint>
#include <string>

// The user agent of every Internet handle, and the proxy bypass list.
extern const char* const WebUserAgent;   // "ZorvikLog"
extern const char* const ProxyBypass;    // "<local>"
// WinInet's INTERNET_FLAG_PASSIVE.
constexpr uint32_t PassiveFtpFlag = 0x08000000;

extern std::string CurrentProxyServer;   // host + ":" + port
extern std::string CurrentProxyUser;
extern std::string CurrentProxyPassword;
extern uint32_t FTPPassiveFlag;          // PassiveFtpFlag or 0

void SetProxyServer(const std::string& host, int32_t port);
void SetProxyAuthenticationData(const std::string& user, const std::string& password);
void SetFTPPassiveMode(bool passive);
// Back to no proxy, no credentials and active FTP.
void ClearWebSettings();

// The uploads and page reads go through the proxy only when the host part of
// CurrentProxyServer (the text before its last ':') is not empty.
bool UploadProxyInUse();

// The longest answer body read from a web server: tracker pages and upload
// answers are small, so a longer (or endless) answer is an error rather than
// a drain on the sending thread's memory.
constexpr size_t MaxAnswerBodySize = size_t{16} << 20;
// The failure text of such an answer.
std::string AnswerTooLongText();
