#pragma once
// The text rules of the SMTP transport and of the socket client's errors,
// apart from any socket.
#include <initializer_list>
#include <string>
#include <vector>

// The reply's code: its leading decimal digits; -1 when it has none.
int SmtpReplyCode(const std::string& reply);

// True when the reply's code is one of the accepted codes.
bool SmtpReplyAccepted(const std::string& reply, const std::vector<int>& accepted);

// The command as sent: "\r\n" appended unless it already ends so.
std::string SmtpCommandLine(const std::string& command);

// A socket error's message: the log appended under "Socket log:" unless the
// message already holds it.
std::string SocketErrorText(const std::string& message, const std::string& log);
