#pragma once
// Filing a crash report in a bug tracker through its ordinary web forms, as
// a browser would: log in, look for a bug that already describes the same
// exception, then either raise the occurrence count in that bug's title or
// enter a new bug with the report archive attached. One driver per tracker
// kind, all on the HTTP connection and its form scraping.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/crashreport/support/web/HttpConnection.h"

enum class TSendResult {
    srOK,
    srBugClosed,
    srUnknownError,
    srInvalidLogin,
    srInvalidSelection,
    srInvalidSearch,
    srInvalidInsert,
    srInvalidModify
};

// What a driver files.
struct TTrackerReport {
    std::string Version;        // of the main program
    std::string ClassName;      // exception class name
    std::string Message;        // exception message
    std::string BugIdentifier;  // four hex digits from the call stack
    std::string SiteURL;        // with credentials and port built in
    std::string ProxyURL;       // built the same way
    std::string User, Password; // of the tracker
    std::string Project, Category, AssignTo;
    std::string AttachedFile;   // the report archive, or empty
    // Custom name=value lines followed by the four built-in ones:
    // FogBugzTrialID, ZV_OSType, ZV_OSBuild, ZV_ReproduceText.
    std::vector<std::string> WebFields;
};

// Makes the connection a driver talks through (not yet opened).
using THTTPConnectionClass =
    std::function<std::unique_ptr<THTTPConnectionBase>(const std::string& url, const std::string& proxyUrl)>;

class THTTPSendReport : public TObject {
public:
    std::string ClassName() const override { return "THTTPSendReport"; }
    void SetHTTPConnectionClass(THTTPConnectionClass connectionClass) { HTTPConnectionClass = std::move(connectionClass); }
    // Runs the tracker's page sequence; `response` ends with the last answer
    // or the failed call's error. An error of the connection itself (it
    // cannot be opened or closed) is raised, not turned into a result.
    virtual TSendResult PostBug(const TTrackerReport& report, THTTPResponse& response) = 0;

    THTTPConnectionClass HTTPConnectionClass;

protected:
    // Opens a connection, runs the steps on it and closes it. Without the
    // system's web library the result is srUnknownError.
    TSendResult WithConnection(const TTrackerReport& report, THTTPResponse& response,
                               const std::function<TSendResult(THTTPConnectionBase&)>& steps);
    // The value of a web field (the first line of that name).
    static std::string WebField(const TTrackerReport& report, const std::string& name);
    // The web fields as the list the connection reads custom fields from.
    static void WebFieldLines(const TTrackerReport& report, TStringList& lines);
};

class THTTPMantisSendReport : public THTTPSendReport {
public:
    std::string ClassName() const override { return "THTTPMantisSendReport"; }
    TSendResult PostBug(const TTrackerReport& report, THTTPResponse& response) override;
};

class THTTPBugzillaSendReport : public THTTPSendReport {
public:
    std::string ClassName() const override { return "THTTPBugzillaSendReport"; }
    TSendResult PostBug(const TTrackerReport& report, THTTPResponse& response) override;
};

class THTTPFogBugzSendReport : public THTTPSendReport {
public:
    std::string ClassName() const override { return "THTTPFogBugzSendReport"; }
    TSendResult PostBug(const TTrackerReport& report, THTTPResponse& response) override;
};

// Makes a driver.
using THTTPSendReportClass = std::function<std::unique_ptr<THTTPSendReport>()>;
template <typename Driver>
std::unique_ptr<THTTPSendReport> NewSendReport() {
    return std::make_unique<Driver>();
}

// Creates the driver, gives it the connection class and returns its result.
TSendResult SendWebTrakerReport(const THTTPConnectionClass& connectionClass, const THTTPSendReportClass& driverClass,
                                const TTrackerReport& report, THTTPResponse& response);
