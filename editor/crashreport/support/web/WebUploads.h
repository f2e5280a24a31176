#pragma once
// The report files uploaded in one call: as one multipart/form-data POST to
// an HTTP or HTTPS server, or stored in a folder of an FTP server; and the
// small WinInet services beside them (connection state, one page read).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TStrings;

enum class TConnectionType { ctConnection, ctConnected, ctSending };
// Progress: the stage, the total number of bytes and the number done.
using TUploadProgress = std::function<void(TConnectionType stage, int64_t total, int64_t done)>;

// Results: 0 success; 0xFFFFFFFF WinInet could not be loaded; 2147483647 the
// HTTP status is not a number; another HTTP status than 200; else the system
// error code of the WinInet call that failed. `errorText` is the server's
// status text for an HTTP status, else WinInet's text for the code.
uint32_t HTTPUploadFiles(const std::string& host, const std::string& path, const std::string& user,
                         const std::string& password, uint16_t port, bool secure,
                         const std::vector<std::string>& files, const std::vector<std::string>& names,
                         const TStrings& fields, const TUploadProgress& progress, std::string& errorText);

// Each existing file i stored as folder + "/" + the file name of names[i].
// An empty files list makes no connection and succeeds.
uint32_t FTPUploadFiles(const std::string& host, const std::string& folder, const std::string& user,
                        const std::string& password, uint16_t port, const std::vector<std::string>& files,
                        const std::vector<std::string>& names, const TUploadProgress& progress,
                        std::string& errorText);

// WinInet loads and the system has a modem, LAN or proxy connection.
bool CheckInternetConnection();

// The whole answer for the address; true when it could be opened. An answer
// longer than MaxAnswerBodySize is false, with an empty text.
bool GetHTMLPage(const std::string& url, std::string& text);
