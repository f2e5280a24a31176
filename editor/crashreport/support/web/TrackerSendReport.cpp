#include "editor/crashreport/support/web/TrackerSendReport.h"

TSendResult THTTPSendReport::WithConnection(const TTrackerReport& report, THTTPResponse& response,
                                            const std::function<TSendResult(THTTPConnectionBase&)>& steps) {
    if (!HTTPConnectionClass)
        return TSendResult::srUnknownError;
    std::unique_ptr<THTTPConnectionBase> connection = HTTPConnectionClass(report.SiteURL, report.ProxyURL);
    if (!connection)
        return TSendResult::srUnknownError;
    if (!connection->Open()) {
        response.Clear();
        response.ErrorCode = connection->LoadFailure().Code;
        response.ErrorMessage = connection->LoadFailure().Message;
        return TSendResult::srUnknownError;
    }
    const TSendResult result = steps(*connection);
    connection->Close();
    return result;
}

std::string THTTPSendReport::WebField(const TTrackerReport& report, const std::string& name) {
    TStringList lines;
    WebFieldLines(report, lines);
    return lines.Values(name);
}

void THTTPSendReport::WebFieldLines(const TTrackerReport& report, TStringList& lines) {
    lines.Clear();
    for (const std::string& line : report.WebFields)
        lines.Add(line);
}

TSendResult SendWebTrakerReport(const THTTPConnectionClass& connectionClass, const THTTPSendReportClass& driverClass,
                                const TTrackerReport& report, THTTPResponse& response) {
    if (!driverClass)
        return TSendResult::srUnknownError;
    std::unique_ptr<THTTPSendReport> driver = driverClass();
    if (!driver)
        return TSendResult::srUnknownError;
    driver->SetHTTPConnectionClass(connectionClass);
    return driver->PostBug(report, response);
}
