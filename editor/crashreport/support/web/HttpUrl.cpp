#include "editor/crashreport/support/web/HttpUrl.h"

#include "framework/SysUtils.h"

namespace {

bool HostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool AllHostCharacters(const std::string& text) {
    for (char c : text)
        if (!HostCharacter(c))
            return false;
    return true;
}

bool AllDigits(const std::string& text) {
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// A port text of digits as a number; false beyond 65535.
bool PortNumber(const std::string& digits, int32_t& port) {
    if (digits.size() > 5)
        return false;
    int32_t value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    if (value > 65535)
        return false;
    port = value;
    return true;
}

}  // namespace

bool ElaborateURL(const std::string& url, std::string& protocol, std::string& user, std::string& password,
                  std::string& host, std::string& path, int32_t& port) {
    std::string rest = Trim(url);
    if (rest.empty() || rest.back() != '/')
        rest += '/';
    int32_t number = 0;

    // ":digits" just before the final "/" is the port, wherever it stands:
    // AddAuthenticationToURL writes it at the very end of the address.
    size_t end = rest.size() - 1;
    size_t first = end;
    while (first > 0 && rest[first - 1] >= '0' && rest[first - 1] <= '9')
        --first;
    bool trailingPort = false;
    if (first < end && first > 0 && rest[first - 1] == ':') {
        if (!PortNumber(rest.substr(first, end - first), number))
            return false;
        rest.erase(first - 1);
        if (rest.empty() || rest.back() != '/')
            rest += '/';
        trailingPort = true;
    }

    std::string scheme;
    size_t p = rest.find("://");
    if (p != std::string::npos && AllHostCharacters(rest.substr(0, p))) {
        scheme = rest.substr(0, p);
        rest.erase(0, p + 3);
    }

    // Credentials count only in front of the host: an at sign before the
    // first "/". A colon in them separates the password.
    std::string name, secret;
    const size_t slash = rest.find('/');
    const size_t at = rest.rfind('@', slash);
    if (at != std::string::npos && at < slash) {
        const std::string credentials = rest.substr(0, at);
        const size_t colon = credentials.find(':');
        name = credentials.substr(0, colon);
        if (colon != std::string::npos)
            secret = credentials.substr(colon + 1);
        rest.erase(0, at + 1);
    }

    std::string server;
    const size_t hostEnd = rest.find('/');
    std::string hostPart = rest.substr(0, hostEnd);
    const size_t colon = hostPart.find(':');
    if (colon != std::string::npos && AllDigits(hostPart.substr(colon + 1)) &&
        AllHostCharacters(hostPart.substr(0, colon))) {
        int32_t hostPort = 0;
        if (!PortNumber(hostPart.substr(colon + 1), hostPort))
            return false;
        if (!trailingPort)
            number = hostPort;
        hostPart.erase(colon);
        rest = hostPart + rest.substr(hostEnd);
    }
    if (AllHostCharacters(hostPart)) {
        server = hostPart;
        rest.erase(0, hostPart.size() + 1);
    }

    protocol = scheme;
    user = name;
    password = secret;
    host = server;
    path = rest.empty() ? rest : rest.substr(0, rest.size() - 1);
    port = number;
    return true;
}

void AddAuthenticationToURL(std::string& url, const std::string& user, const std::string& password, int32_t port) {
    if (port != 0)
        url += ":" + std::to_string(port);
    if (!user.empty() || !password.empty()) {
        const std::string credentials = user + ":" + password + "@";
        const size_t p = url.find("://");
        if (p != std::string::npos)
            url.insert(p + 3, credentials);
        else
            url.insert(0, credentials);
    }
}

std::string URLEncode(const std::string& text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() * 3);
    for (char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

TRequestPath SplitRequestPath(const std::string& path) {
    TRequestPath result;
    const size_t q = path.find('?');
    const std::string plain = path.substr(0, q);
    if (q != std::string::npos)
        result.Query = path.substr(q);
    const size_t slash = plain.rfind('/');
    if (slash == std::string::npos) {
        result.Document = plain;
    } else {
        result.Directory = plain.substr(0, slash + 1);
        result.Document = plain.substr(slash + 1);
    }
    return result;
}

std::string RequestTarget(const TRequestPath& path) {
    std::string target = path.Directory + path.Document + path.Query;
    if (target.empty() || target[0] != '/')
        target.insert(0, "/");
    return target;
}

bool ResolveRedirect(const std::string& location, const TRequestPath& current, const std::string& host,
                     std::string& path) {
    const std::string target = Trim(location);
    if (target.empty())
        return false;
    const size_t scheme = target.find("://");
    const size_t firstSlash = target.find('/');
    if (scheme != std::string::npos && firstSlash == scheme + 1) {
        // An absolute address: followed only on our own server.
        const size_t start = scheme + 3;
        size_t hostEnd = target.find_first_of("/?", start);
        std::string authority = target.substr(start, hostEnd == std::string::npos ? std::string::npos : hostEnd - start);
        const size_t at = authority.rfind('@');
        if (at != std::string::npos)
            authority.erase(0, at + 1);
        const size_t colon = authority.find(':');
        if (!SameText(authority.substr(0, colon), host))
            return false;
        path = hostEnd == std::string::npos ? "/" : target.substr(hostEnd);
        if (path[0] == '?')
            path.insert(0, "/");
        return true;
    }
    if (target[0] == '/')
        path = target;
    else if (target[0] == '?')
        path = current.Directory + current.Document + target;
    else
        path = current.Directory + target;
    return true;
}
