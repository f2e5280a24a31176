#include "editor/crashreport/support/web/WebSettings.h"

const char* const WebUserAgent = "ZorvikLog";
const char* const ProxyBypass = "<local>";

std::string CurrentProxyServer;
std::string CurrentProxyUser;
std::string CurrentProxyPassword;
uint32_t FTPPassiveFlag = 0;

void SetProxyServer(const std::string& host, int32_t port) {
    CurrentProxyServer = host + ":" + std::to_string(port);
}

void SetProxyAuthenticationData(const std::string& user, const std::string& password) {
    CurrentProxyUser = user;
    CurrentProxyPassword = password;
}

void SetFTPPassiveMode(bool passive) {
    FTPPassiveFlag = passive ? PassiveFtpFlag : 0;
}

void ClearWebSettings() {
    CurrentProxyServer.clear();
    CurrentProxyUser.clear();
    CurrentProxyPassword.clear();
    FTPPassiveFlag = 0;
}

bool UploadProxyInUse() {
    const size_t colon = CurrentProxyServer.rfind(':');
    return !(colon == std::string::npos ? CurrentProxyServer : CurrentProxyServer.substr(0, colon)).empty();
}

std::string AnswerTooLongText() {
    return "The server's answer is longer than " + std::to_string(MaxAnswerBodySize) + " bytes.";
}
