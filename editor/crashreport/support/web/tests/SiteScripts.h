#pragma once
// Test support shared by the native and the Windows tests of the web road:
// requests as a server saw them (method, target, headers, fields in order,
// file parts) and the site scripts of canned pages that both the in-process
// fake and the Python server answer from.
#include <string>
#include <utility>
#include <vector>

struct TRecordedFile {
    std::string Name, FileName, Content;
};

struct TRecordedRequest {
    std::string Method;
    std::string Target;    // as on the wire
    std::string Document;  // last path segment, without the query
    std::vector<std::string> Headers;  // "Name: value"
    std::string Body;
    std::vector<std::pair<std::string, std::string>> Fields;  // query first, then the body's
    std::vector<TRecordedFile> Files;

    // The first header of that name (case-insensitive); empty when none.
    std::string Header(const std::string& name) const;
    // Names of the fields in order; the value of the first of a name.
    std::vector<std::string> FieldNames() const;
    bool HasField(const std::string& name) const;
    std::string Field(const std::string& name) const;
    // "METHOD document".
    std::string Step() const { return Method + " " + Document; }
};

// Parses what a server received.
TRecordedRequest RecordedRequest(const std::string& method, const std::string& target,
                                 const std::vector<std::string>& headers, const std::string& body);
// Parses a request file the Python server wrote (request line, header
// lines, an empty line, the body).
bool ReadRecordedRequest(const std::string& raw, TRecordedRequest& request);

struct TScriptAnswer {
    int Status = 404;
    std::string Reason = "Not Found";
    std::vector<std::pair<std::string, std::string>> Headers;
    std::string Body = "no route";
};

// The routes of a site script (the format web_server.py reads): the first
// route whose method, document and field conditions match answers.
class TSiteScript {
public:
    explicit TSiteScript(const std::string& path);
    TScriptAnswer Answer(const TRecordedRequest& request) const;
    bool Empty() const { return FRoutes.empty(); }

private:
    struct TRoute {
        std::string Method, Document;
        std::vector<std::pair<std::string, std::string>> When;
        TScriptAnswer Answer;
    };
    void Load(const std::string& path);
    std::vector<TRoute> FRoutes;
};

// A file of the web road's test data, and the whole of a file.
std::string WebDataFile(const std::string& name);
std::string ReadWholeTestFile(const std::string& path);
