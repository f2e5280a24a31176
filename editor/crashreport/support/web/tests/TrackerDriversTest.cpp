#include <gtest/gtest.h>

#include "editor/crashreport/support/web/TrackerSendReport.h"
#include "editor/crashreport/support/web/tests/FakeChannel.h"
#include "editor/crashreport/support/web/tests/TrackerScenarios.h"
#include "editor/crashreport/support/web/HtmlForms.h"
#include "framework/Exceptions.h"

#include <algorithm>

namespace {

// Connections over the fake wire; the archive is read from memory.
THTTPConnectionClass FakeConnections(std::shared_ptr<TFakeWire> wire) {
    return [wire](const std::string& url, const std::string& proxy) -> std::unique_ptr<THTTPConnectionBase> {
        auto c = std::make_unique<TRecordingConnection>(url, proxy, NewFakeChannel(wire));
        c->FileReader = [](const std::string& path, std::string& bytes) {
            if (path != "C:\\reports\\BugReport.zip")
                return false;
            bytes = SampleArchiveBytes;
            return true;
        };
        return c;
    };
}

}  // namespace

TEST(TrackerDrivers, EveryCaseAgainstTheFakeTrackers) {
    for (const TTrackerCase& c : TrackerCases()) {
        auto wire = std::make_shared<TFakeWire>();
        wire->Server = ScriptServer("trackers/" + c.Script);
        const TTrackerReport report = SampleReport(c, "http://tracker.local/bugs/tracker", "C:\\reports\\BugReport.zip");
        THTTPResponse response;
        const TSendResult result = SendWebTrakerReport(FakeConnections(wire), c.Driver, report, response);
        CheckTrackerCase(c, result, response, wire->Requests);
        EXPECT_EQ(wire->Connects, 1) << c.Name;
        EXPECT_EQ(wire->Disconnects, 1) << c.Name;
    }
}

// The progress states a driver sets, in order, around its requests.
TEST(TrackerDrivers, ProgressStates) {
    auto wire = std::make_shared<TFakeWire>();
    wire->Server = ScriptServer("trackers/mantis_update.txt");
    std::vector<std::pair<TSendState, int32_t>> states;
    const TTrackerCase& c = TrackerCases()[2];
    ASSERT_EQ(c.Name, "MantisUpdate");
    THTTPMantisSendReport driver;
    driver.SetHTTPConnectionClass([&](const std::string& url, const std::string& proxy) {
        auto connection = std::make_unique<TRecordingConnection>(url, proxy, NewFakeChannel(wire));
        connection->Shared = &states;
        return connection;
    });
    THTTPResponse response;
    EXPECT_EQ(driver.PostBug(SampleReport(c, "http://tracker.local/bugs", ""), response), TSendResult::srOK);
    using S = TSendState;
    std::vector<S> kinds;
    int32_t highest = 0;
    for (const auto& [state, value] : states) {
        if (kinds.empty() || kinds.back() != state)
            kinds.push_back(state);
        if (state == S::ssSending) {
            EXPECT_GE(value, 0);
            EXPECT_LE(value, 100);
            highest = std::max(highest, value);
        }
    }
    EXPECT_EQ(kinds, (std::vector<S>{S::ssConnecting, S::ssConnected, S::ssLogin, S::ssSelectProject, S::ssSearching,
                                     S::ssModifying, S::ssSending, S::ssSent, S::ssDisconnecting, S::ssDisconnected}));
    EXPECT_EQ(highest, 100);
}

TEST(TrackerDrivers, WithoutTheWebLibraryTheResultIsUnknown) {
    for (const TTrackerCase& c : TrackerCases()) {
        auto wire = std::make_shared<TFakeWire>();
        wire->Missing = true;
        THTTPResponse response;
        const TSendResult result =
            SendWebTrakerReport(FakeConnections(wire), c.Driver, SampleReport(c, "http://tracker.local/", ""), response);
        EXPECT_EQ(result, TSendResult::srUnknownError) << c.Name;
        EXPECT_EQ(response.ErrorCode, 126) << c.Name;
        EXPECT_EQ(response.ErrorMessage, "Cannot find the \"wininet.dll\" library.");
        EXPECT_TRUE(wire->Requests.empty());
    }
    THTTPResponse response;
    EXPECT_EQ(SendWebTrakerReport(nullptr, NewSendReport<THTTPMantisSendReport>, TTrackerReport{}, response),
              TSendResult::srUnknownError);
    EXPECT_EQ(SendWebTrakerReport(FakeConnections(std::make_shared<TFakeWire>()), nullptr, TTrackerReport{}, response),
              TSendResult::srUnknownError);
}

// A connection that cannot be made is an error of the send, not a result;
// so is one that cannot be closed.
TEST(TrackerDrivers, ConnectionErrorsAreRaised) {
    auto refused = std::make_shared<TFakeWire>();
    refused->RefuseConnect = true;
    THTTPResponse response;
    const TTrackerCase& c = TrackerCases()[0];
    EXPECT_THROW(SendWebTrakerReport(FakeConnections(refused), c.Driver,
                                     SampleReport(c, "http://tracker.local/", ""), response),
                 Exception);

    auto stuck = std::make_shared<TFakeWire>();
    stuck->RefuseDisconnect = true;
    stuck->Server = ScriptServer("trackers/" + c.Script);
    EXPECT_THROW(SendWebTrakerReport(FakeConnections(stuck), c.Driver,
                                     SampleReport(c, "http://tracker.local/", ""), response),
                 Exception);
}

// A failed request ends with the step's result and the wire's error.
TEST(TrackerDrivers, FailedRequestsGiveTheStepsResult) {
    struct {
        int failing;
        TSendResult result;
    } steps[] = {{0, TSendResult::srInvalidLogin},
                 {2, TSendResult::srInvalidSelection},
                 {4, TSendResult::srInvalidSearch},
                 {6, TSendResult::srInvalidInsert},
                 {7, TSendResult::srInvalidInsert}};
    const TTrackerCase& c = TrackerCases()[0];
    for (const auto& s : steps) {
        auto wire = std::make_shared<TFakeWire>();
        wire->Server = ScriptServer("trackers/" + c.Script);
        wire->FailRequest = s.failing;
        THTTPResponse response;
        EXPECT_EQ(SendWebTrakerReport(FakeConnections(wire), c.Driver, SampleReport(c, "http://t/", ""), response),
                  s.result)
            << s.failing;
        EXPECT_EQ(response.ErrorCode, 12029);
        EXPECT_EQ(wire->Requests.size(), static_cast<size_t>(s.failing + 1));
    }
}

// Mantis looks the project up by its UTF-8 title.
TEST(TrackerDrivers, MantisLooksProjectsUpInUtf8) {
    auto wire = std::make_shared<TFakeWire>();
    wire->Server = [](const TRecordedRequest& r) {
        if (r.Document == "login.php")
            return WireAnswer(302, "Found", "", {{"Location", "login_select_proj_page.php"}});
        if (r.Document == "login_select_proj_page.php")
            return WireAnswer(200, "OK",
                              "<select name=\"project_id\"><option value=\"4\">Cafe</option>"
                              "<option value=\"5\">Caf\xC3\xA9</option></select>");
        return WireAnswer(404, "Not Found", "");
    };
    const TTrackerCase& c = TrackerCases()[0];
    TTrackerReport report = SampleReport(c, "http://t/", "");
    report.Project = "Caf\xE9";
    THTTPResponse response;
    EXPECT_EQ(SendWebTrakerReport(FakeConnections(wire), c.Driver, report, response), TSendResult::srInvalidSelection);
    ASSERT_EQ(wire->Requests.size(), 3u);
    EXPECT_EQ(wire->Requests[2].Field("project_id"), "5");
    EXPECT_EQ(response.StatusCode, 404);
}
