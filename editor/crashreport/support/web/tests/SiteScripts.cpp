#include "editor/crashreport/support/web/tests/SiteScripts.h"

#include <cctype>
#include <fstream>
#include <sstream>

#include "editor/crashreport/support/testing/TestFiles.h"
#include "framework/SysUtils.h"

namespace {

std::string PercentDecoded(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() + 0 && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else if (text[i] == '+') {
            out += ' ';
        } else {
            out += text[i];
        }
    }
    return out;
}

void AddEncodedFields(const std::string& text, std::vector<std::pair<std::string, std::string>>& fields) {
    if (text.empty())
        return;
    size_t start = 0;
    for (;;) {
        const size_t amp = text.find('&', start);
        const std::string pair = text.substr(start, amp == std::string::npos ? std::string::npos : amp - start);
        const size_t eq = pair.find('=');
        fields.emplace_back(PercentDecoded(pair.substr(0, eq)),
                            eq == std::string::npos ? "" : PercentDecoded(pair.substr(eq + 1)));
        if (amp == std::string::npos)
            break;
        start = amp + 1;
    }
}

std::string Quoted(const std::string& head, const std::string& key) {
    const size_t at = head.find(key);
    if (at == std::string::npos)
        return "";
    const size_t from = at + key.size();
    return head.substr(from, head.find('"', from) - from);
}

void AddMultipart(const std::string& body, const std::string& boundary, TRecordedRequest& request) {
    const std::string delimiter = "--" + boundary;
    size_t at = body.find(delimiter);
    while (at != std::string::npos) {
        size_t from = at + delimiter.size();
        if (body.compare(from, 2, "--") == 0)
            break;
        from += 2;  // CR LF
        const size_t next = body.find("\r\n" + delimiter, from);
        const std::string part = body.substr(from, next == std::string::npos ? std::string::npos : next - from);
        const size_t split = part.find("\r\n\r\n");
        const std::string head = part.substr(0, split);
        const std::string content = split == std::string::npos ? "" : part.substr(split + 4);
        const std::string name = Quoted(head, "form-data; name=\"");
        if (head.find("filename=\"") != std::string::npos)
            request.Files.push_back({name, Quoted(head, "filename=\""), content});
        else
            request.Fields.emplace_back(name, content);
        at = next == std::string::npos ? next : next + 2;
    }
}

std::string Unescaped(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char c = text[++i];
            out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c == '\\' ? '\\' : (out += '\\', c);
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::string TRecordedRequest::Header(const std::string& name) const {
    for (const std::string& h : Headers) {
        const size_t colon = h.find(':');
        if (colon != std::string::npos && SameText(h.substr(0, colon), name))
            return Trim(h.substr(colon + 1));
    }
    return "";
}

std::vector<std::string> TRecordedRequest::FieldNames() const {
    std::vector<std::string> names;
    for (const auto& f : Fields)
        names.push_back(f.first);
    return names;
}

bool TRecordedRequest::HasField(const std::string& name) const {
    for (const auto& f : Fields)
        if (f.first == name)
            return true;
    return false;
}

std::string TRecordedRequest::Field(const std::string& name) const {
    for (const auto& f : Fields)
        if (f.first == name)
            return f.second;
    return "";
}

TRecordedRequest RecordedRequest(const std::string& method, const std::string& target,
                                 const std::vector<std::string>& headers, const std::string& body) {
    TRecordedRequest r;
    r.Method = method;
    r.Target = target;
    r.Headers = headers;
    r.Body = body;
    const size_t q = target.find('?');
    const std::string path = target.substr(0, q);
    r.Document = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
    if (q != std::string::npos)
        AddEncodedFields(target.substr(q + 1), r.Fields);
    const std::string type = r.Header("Content-Type");
    if (type.rfind("application/x-www-form-urlencoded", 0) == 0)
        AddEncodedFields(body, r.Fields);
    else if (type.rfind("multipart/form-data", 0) == 0 && type.find("boundary=") != std::string::npos)
        AddMultipart(body, Trim(type.substr(type.find("boundary=") + 9)), r);
    return r;
}

bool ReadRecordedRequest(const std::string& raw, TRecordedRequest& request) {
    size_t at = raw.find('\n');
    if (at == std::string::npos)
        return false;
    const std::string line = raw.substr(0, at);
    const size_t blank = line.find(' ');
    std::vector<std::string> headers;
    size_t from = at + 1;
    for (;;) {
        const size_t end = raw.find('\n', from);
        if (end == std::string::npos)
            return false;
        const std::string h = raw.substr(from, end - from);
        from = end + 1;
        if (h.empty())
            break;
        headers.push_back(h);
    }
    request = RecordedRequest(line.substr(0, blank), line.substr(blank + 1), headers, raw.substr(from));
    return true;
}

TSiteScript::TSiteScript(const std::string& path) {
    Load(path);
}

void TSiteScript::Load(const std::string& path) {
    std::istringstream in(ReadWholeTestFile(path));
    const size_t slash = path.find_last_of("/\\");
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    enum { None, Status, Headers, Body } state = None;
    std::vector<std::string> body;
    auto finish = [&] {
        if (state != None && !FRoutes.empty()) {
            std::string text;
            for (size_t i = 0; i < body.size(); ++i)
                text += (i ? "\n" : "") + body[i];
            while (!text.empty() && text.back() == '\n')
                text.pop_back();
            FRoutes.back().Answer.Body = Unescaped(text);
        }
        body.clear();
    };
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("== ", 0) == 0) {
            finish();
            std::istringstream words(line.substr(3));
            TRoute route;
            words >> route.Method >> route.Document;
            route.Document = LowerCase(route.Document);
            for (std::string w; words >> w;) {
                const size_t eq = w.find('=');
                route.When.emplace_back(w.substr(0, eq), eq == std::string::npos ? "" : w.substr(eq + 1));
            }
            route.Answer.Body.clear();
            FRoutes.push_back(route);
            state = Status;
        } else if (line.rfind("@include ", 0) == 0 && (state == None || state == Body)) {
            finish();
            state = None;
            Load(folder + Trim(line.substr(9)));
        } else if (state == Status) {
            const size_t blank = line.find(' ');
            FRoutes.back().Answer.Status = std::atoi(line.c_str());
            FRoutes.back().Answer.Reason = blank == std::string::npos ? "" : line.substr(blank + 1);
            state = Headers;
        } else if (state == Headers) {
            if (line.empty()) {
                state = Body;
            } else {
                const size_t colon = line.find(':');
                FRoutes.back().Answer.Headers.emplace_back(Trim(line.substr(0, colon)), Trim(line.substr(colon + 1)));
            }
        } else if (state == Body) {
            body.push_back(line);
        }
    }
    finish();
}

TScriptAnswer TSiteScript::Answer(const TRecordedRequest& request) const {
    for (const TRoute& route : FRoutes) {
        if ((route.Method != request.Method && route.Method != "ANY") || route.Document != LowerCase(request.Document))
            continue;
        bool all = true;
        for (const auto& [name, value] : route.When)
            if (!request.HasField(name) || request.Field(name) != value)
                all = false;
        if (all)
            return route.Answer;
    }
    return TScriptAnswer{};
}

std::string WebDataFile(const std::string& name) {
    return SourceTreeFile("editor/crashreport/support/web/tests/data/" + name);
}

std::string ReadWholeTestFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}
