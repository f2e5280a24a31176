#include "editor/crashreport/support/net/SmtpText.h"

#include <algorithm>

int SmtpReplyCode(const std::string& reply) {
    size_t n = 0;
    while (n < reply.size() && reply[n] >= '0' && reply[n] <= '9')
        ++n;
    if (n == 0)
        return -1;
    // A run of digits longer than any code is no code (and would overflow).
    if (n > 9)
        return -1;
    return std::stoi(reply.substr(0, n));
}

bool SmtpReplyAccepted(const std::string& reply, const std::vector<int>& accepted) {
    const int code = SmtpReplyCode(reply);
    return code >= 0 && std::find(accepted.begin(), accepted.end(), code) != accepted.end();
}

std::string SmtpCommandLine(const std::string& command) {
    if (command.size() >= 2 && command.compare(command.size() - 2, 2, "\r\n") == 0)
        return command;
    return command + "\r\n";
}

std::string SocketErrorText(const std::string& message, const std::string& log) {
    if (message.find(log) != std::string::npos)
        return message;
    return message + "\r\nSocket log:\r\n" + log;
}
