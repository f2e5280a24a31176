#pragma once
// The tracker cases both test programs run: the native one against the
// in-process fake, the Windows one through WinInet against the Python
// server, each answering from the same site script.
#include <functional>
#include <string>
#include <vector>

#include "editor/crashreport/support/web/TrackerSendReport.h"
#include "editor/crashreport/support/web/tests/SiteScripts.h"

// The bytes of the attached report archive in every case.
extern const char* const SampleArchiveBytes;

struct TTrackerCase {
    std::string Name;
    THTTPSendReportClass Driver;
    std::string Script;  // under data/trackers
    bool Attach;         // the report archive goes along
    std::function<void(TTrackerReport&)> Adjust;
    TSendResult Expected;
    std::vector<std::string> Steps;  // "METHOD document" of every request
    std::function<void(const std::vector<TRecordedRequest>&, const THTTPResponse&)> Check;
};

const std::vector<TTrackerCase>& TrackerCases();

// The report a case files at the site, with the archive at `archive`.
TTrackerReport SampleReport(const TTrackerCase& c, const std::string& siteUrl, const std::string& archive);

// Checks what the server saw and what came back.
void CheckTrackerCase(const TTrackerCase& c, TSendResult result, const THTTPResponse& response,
                      const std::vector<TRecordedRequest>& requests);
