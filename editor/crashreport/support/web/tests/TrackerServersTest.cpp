#include <gtest/gtest.h>

#include "editor/crashreport/support/testing/TestFiles.h"
#include "editor/crashreport/support/web/WinInetChannel.h"
#include "editor/crashreport/support/web/tests/FakeChannel.h"
#include "editor/crashreport/support/web/tests/LocalServers.h"
#include "editor/crashreport/support/web/tests/TrackerScenarios.h"

// Every tracker case through Wine's WinInet against the scripted tracker
// served by the Python web server on 127.0.0.1.
class TrackerServers : public testing::TestWithParam<size_t> {};

TEST_P(TrackerServers, Case) {
    const TTrackerCase& c = TrackerCases()[GetParam()];
    auto server = TLocalServer::Web("trackers/" + c.Script);
    if (server->Port == 0)
        GTEST_SKIP() << server->Problem;
    const std::string folder = TestFolder("web_tracker_" + c.Name);
    WriteTestFile(folder + "BugReport.zip", SampleArchiveBytes);
    const TTrackerReport report =
        SampleReport(c, "http://127.0.0.1:" + std::to_string(server->Port) + "/bugs/tracker", folder + "BugReport.zip");
    THTTPConnectionClass connections = [](const std::string& url, const std::string& proxy) {
        return std::make_unique<TRecordingConnection>(url, proxy, NewWinInetChannel());
    };
    THTTPResponse response;
    const TSendResult result = SendWebTrakerReport(connections, c.Driver, report, response);
    EXPECT_EQ(response.ErrorCode, 0) << response.ErrorMessage;
    CheckTrackerCase(c, result, response, server->Requests());
}

INSTANTIATE_TEST_SUITE_P(Trackers, TrackerServers, testing::Range<size_t>(0, TrackerCases().size()),
                         [](const testing::TestParamInfo<size_t>& info) { return TrackerCases()[info.param].Name; });
