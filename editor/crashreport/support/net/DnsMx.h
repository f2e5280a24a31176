#pragma once
// The DNS side of finding a mail exchanger: the MX query we send over UDP and
// the reading of the reply. No sockets here; replies are untrusted bytes.
#include <cstdint>
#include <string>
#include <vector>

// The domain of a mail address: the text after its first "@", the whole text
// when there is none.
std::string MxDomainOfAddress(const std::string& address);

// A standard query for the MX records of domain: identifier "AA", recursion
// desired, one question of type 15 (MX), class 1 (IN).
std::string BuildMxQuery(const std::string& domain);

// The exchange name of the first MX answer of a reply; empty when the reply
// holds none or is damaged.
std::string ParseMxReply(const std::string& reply);

// The time-outs, in ms, of the three tries made with each DNS server.
std::vector<int32_t> MxTryTimeouts(int32_t timeoutMs);
