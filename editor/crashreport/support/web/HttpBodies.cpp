#include "editor/crashreport/support/web/HttpBodies.h"

#include <random>
#include <vector>

#include "editor/crashreport/support/files/LocalFiles.h"
#include "editor/crashreport/support/web/HttpUrl.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"

bool ReadLocalFile(const std::string& path, std::string& bytes) {
    std::vector<uint8_t> data;
    if (!ReadWholeFile(path, data))
        return false;
    bytes.assign(data.begin(), data.end());
    return true;
}

std::string EncodedFields(const TStrings& fields, bool encodeNames) {
    std::string out;
    for (int i = 0; i < fields.Count(); ++i) {
        if (i > 0)
            out += '&';
        const std::string name = fields.Names(i);
        out += (encodeNames ? URLEncode(name) : name) + "=" + URLEncode(fields.ValueFromIndex(i));
    }
    return out;
}

std::string MultipartBoundary(uint16_t a, uint16_t b, uint16_t c) {
    return "---------------------------" + IntToHex(a, 4) + IntToHex(b, 4) + IntToHex(c, 4);
}

std::string NewMultipartBoundary() {
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<int> below(0, 0xFFFE);
    const uint16_t a = static_cast<uint16_t>(below(generator));
    const uint16_t b = static_cast<uint16_t>(below(generator));
    const uint16_t c = static_cast<uint16_t>(below(generator));
    return MultipartBoundary(a, b, c);
}

std::string MultipartContentType(const std::string& boundary) {
    return "Content-Type: multipart/form-data; boundary=" + boundary;
}

namespace {

void FieldPart(std::string& body, const std::string& boundary, const std::string& name, const std::string& value) {
    body += "--" + boundary + "\r\n";
    body += "Content-Disposition: form-data; name=\"" + name + "\";\r\n\r\n";
    body += value + "\r\n";
}

void FilePart(std::string& body, const std::string& boundary, const std::string& name, const std::string& fileName,
              const std::string& bytes) {
    body += "--" + boundary + "\r\n";
    body += "Content-Disposition: form-data; name=\"" + name + "\"; filename=\"" + fileName + "\";\r\n";
    body += "Content-Type: application/octet-stream\r\n\r\n";
    body += bytes + "\r\n";
}

}  // namespace

std::string MultipartBody(const TStrings& fields, const TStrings& files, const std::string& boundary,
                          const TFileReader& reader) {
    std::string body;
    for (int i = 0; i < fields.Count(); ++i)
        FieldPart(body, boundary, fields.Names(i), fields.ValueFromIndex(i));
    for (int i = 0; i < files.Count(); ++i) {
        const std::string path = files.ValueFromIndex(i);
        std::string bytes;
        if (reader && reader(path, bytes))
            FilePart(body, boundary, files.Names(i), BareFileName(path), bytes);
        else
            FilePart(body, boundary, files.Names(i), "", "");
    }
    body += "--" + boundary + "--\r\n";
    return body;
}

std::string UploadBody(const TStrings& fields, const std::vector<std::string>& files,
                       const std::vector<std::string>& names, const std::string& boundary,
                       const TFileReader& reader) {
    std::string body;
    for (int i = 0; i < fields.Count(); ++i) {
        const std::string name = fields.Names(i);
        FieldPart(body, boundary, name, fields.Values(name));
    }
    for (size_t i = 0; i < files.size(); ++i) {
        std::string bytes;
        if (!reader || !reader(files[i], bytes))
            continue;
        const std::string announced = i < names.size() ? names[i] : BareFileName(files[i]);
        FilePart(body, boundary, "zv_upload_file_" + std::to_string(i), announced, bytes);
    }
    body += "--" + boundary + "--\r\n";
    return body;
}

std::string BareFileName(const std::string& path) {
    const size_t p = path.find_last_of("\\/:");
    return p == std::string::npos ? path : path.substr(p + 1);
}

void CleanBody(std::string& body) {
    for (char& c : body)
        if (static_cast<unsigned char>(c) < 32)
            c = ' ';
}

std::string RefreshTarget(const std::string& value) {
    const size_t p = LowerCase(value).find("url=");
    return p == std::string::npos ? Trim(value) : Trim(value.substr(p + 4));
}

bool HeaderValue(const std::string& rawHeaders, const std::string& name, std::string& value) {
    size_t start = 0;
    while (start < rawHeaders.size()) {
        size_t end = rawHeaders.find('\n', start);
        if (end == std::string::npos)
            end = rawHeaders.size();
        std::string line = rawHeaders.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t colon = line.find(':');
        if (colon != std::string::npos && SameText(Trim(line.substr(0, colon)), name)) {
            value = Trim(line.substr(colon + 1));
            return true;
        }
        start = end + 1;
    }
    return false;
}

uint32_t UploadStatusResult(const std::string& statusText) {
    int32_t status = 0;
    if (!TryStrToInt(Trim(statusText), status))
        return 2147483647u;
    return status == 200 ? 0u : static_cast<uint32_t>(status);
}

std::string FtpRemoteName(const std::string& folder, const std::string& announcedName) {
    std::string remote = folder;
    if (!remote.empty() && remote.back() != '/')
        remote += '/';
    return remote + BareFileName(announcedName);
}

std::string WinInetErrorText(int32_t code) {
    static const struct {
        int32_t code;
        const char* text;
    } table[] = {
        {12002, "The request has timed out."},
        {12003, "An extended error was returned from the server."},
        {12004, "An internal error has occurred."},
        {12005, "The URL is invalid."},
        {12006, "The URL scheme could not be recognized, or is not supported."},
        {12007, "The server name could not be resolved."},
        {12013, "User name incorrect."},
        {12014, "Password incorrect."},
        {12015, "Log on request failed."},
        {12016, "The requested operation is invalid."},
        {12020, "The request cannot be made via a proxy."},
        {12028, "The requested item could not be located."},
        {12029, "The attempt to connect to the server failed."},
        {12030, "The connection with the server has been terminated."},
        {12031, "The connection with the server has been reset."},
        {12033, "The request to the proxy was invalid."},
        {12037, "SSL certificate date is bad."},
        {12038, "SSL certificate host name field is incorrect."},
        {12039, "The application is moving from a non-SSL to an SSL connection because of a redirect."},
        {12040, "The application is moving from an SSL to an non-SSL connection because of a redirect."},
        {12041, "The content is not entirely secure."},
        {12042, "The application is posting and attempting to change multiple lines of text on a server that is not "
                "secure."},
        {12043, "The application is posting data to a server that is not secure."},
        {12044, "The server is requesting client authentication."},
        {12045, "The function is unfamiliar with the Certificate Authority that generated the server's certificate."},
        {12052, "The data being submitted to an SSL connection is being redirected to a non-SSL connection."},
        {12055, "The SSL certificate contains errors."},
        {12111, "FTP session aborted."},
        {12112, "Passive mode is not available on the server."},
        {12133, "The end of the data has been reached."},
        {12150, "The requested header could not be located."},
        {12151, "The server did not return any headers."},
        {12152, "The server response could not be parsed."},
        {12153, "The supplied header is invalid."},
        {12160, "The HTTP request was not redirected."},
        {12161, "The HTTP cookie requires confirmation."},
        {12162, "The HTTP cookie was declined by the server."},
        {12163, "The Internet connection has been lost."},
        {12164, "The Web site or server indicated is unreachable."},
        {12165, "The designated proxy server cannot be reached."},
        {12166, "There was an error in the automatic proxy configuration script."},
        {12167, "The automatic proxy configuration script could not be downloaded."},
        {12168, "The redirection requires user confirmation."},
        {12169, "SSL certificate is invalid."},
        {12170, "SSL certificate was revoked."},
        {12171, "The function failed due to a security check."},
    };
    for (const auto& entry : table)
        if (entry.code == code)
            return entry.text;
    return "";
}
