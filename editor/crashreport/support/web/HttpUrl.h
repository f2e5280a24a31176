#pragma once
// Web addresses as the crash-report component writes and reads them: the
// parts of a site address, credentials and port built into one, the URL
// encoding of form values and the pieces of a request path.
#include <cstdint>
#include <string>

// Splits a site address into protocol, user, password, host, path (without
// its leading or trailing "/") and port (0 when none). The port is read from
// ":digits" at the very end (as AddAuthenticationToURL writes it) or from
// ":digits" after the host; user and password only from "user:password@"
// in front of the host. False (the outputs then stay as they are) when a
// port is not a number from 0 to 65535.
bool ElaborateURL(const std::string& url, std::string& protocol, std::string& user, std::string& password,
                  std::string& host, std::string& path, int32_t& port);

// Appends ":" + port when the port is not 0, and puts user:password@ just
// after the first "://" (or in front) when either is not empty.
void AddAuthenticationToURL(std::string& url, const std::string& user, const std::string& password, int32_t port);

// Every byte that is not an ASCII letter or digit becomes "%" and two
// upper-case hexadecimal digits.
std::string URLEncode(const std::string& text);

// A request path cut into its folder (up to and including the last "/"
// before the query), document and query (from the first "?", inclusive).
struct TRequestPath {
    std::string Directory;
    std::string Document;
    std::string Query;
};
TRequestPath SplitRequestPath(const std::string& path);

// The request target sent on the wire: always begins with "/".
std::string RequestTarget(const TRequestPath& path);

// Where a redirect leads, as a path on the same server: a Location relative
// to the current folder is resolved against it, one beginning with "/" is
// taken as it stands, and an absolute address keeps only its path when it
// names the same host. False for an address on another host or an empty one.
bool ResolveRedirect(const std::string& location, const TRequestPath& current, const std::string& host,
                     std::string& path);
