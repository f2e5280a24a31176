#include "editor/crashreport/support/web/tests/TrackerScenarios.h"

#include <gtest/gtest.h>

const char* const SampleArchiveBytes = "PK\x03\x04 report archive \r\n bytes";

namespace {

using TFields = std::vector<std::pair<std::string, std::string>>;

const TRecordedRequest* Find(const std::vector<TRecordedRequest>& requests, const std::string& step, int nth = 1) {
    for (const TRecordedRequest& r : requests)
        if (r.Step() == step && --nth == 0)
            return &r;
    return nullptr;
}

void ExpectFields(const std::vector<TRecordedRequest>& requests, const std::string& step, const TFields& fields,
                  int nth = 1) {
    const TRecordedRequest* r = Find(requests, step, nth);
    ASSERT_NE(r, nullptr) << step;
    EXPECT_EQ(r->Fields, fields) << step;
}

const std::string Summary = "[v1.0 - 1]: EAccessViolation (1A2B)";
const std::string Message = "Access violation at address 00401000.";
const std::string Described = Message + "\r\n\r\n---\r\n\r\nOpen a file.";

std::vector<TTrackerCase> MakeCases() {
    std::vector<TTrackerCase> cases;
    const std::vector<std::string> mantisSearch = {"POST login.php",    "GET login_select_proj_page.php",
                                                   "POST set_project.php", "GET my_view_page.php",
                                                   "POST view_all_set.php", "GET view_all_bug_page.php"};
    auto with = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };

    cases.push_back({"MantisNewBug", NewSendReport<THTTPMantisSendReport>, "mantis_new.txt", true, nullptr,
                     TSendResult::srOK,
                     with(mantisSearch, {"GET bug_report_advanced_page.php", "POST bug_report.php"}),
                     [](const std::vector<TRecordedRequest>& r, const THTTPResponse& response) {
                         ExpectFields(r, "POST login.php",
                                      {{"return", "login_select_proj_page.php"}, {"username", "joe"},
                                       {"password", "secret"}});
                         ExpectFields(r, "POST set_project.php", {{"project_id", "7"}});
                         ExpectFields(r, "POST view_all_set.php",
                                      {{"f", "3"}, {"type", "1"}, {"page_number", "1"}, {"view_type", "simple"},
                                       {"search", "EAccessViolation (1A2B)"}});
                         ExpectFields(r, "POST bug_report.php",
                                      {{"m_id", "0"},
                                       {"project_id", "7"},
                                       {"handler_id", "0"},
                                       {"category", "2"},
                                       {"reproducibility", "10"},
                                       {"severity", "50"},
                                       {"priority", "30"},
                                       {"platform", "x86"},
                                       {"os", "Windows 10"},
                                       {"os_build", "19045"},
                                       {"build", "1.0"},
                                       {"summary", Summary},
                                       {"description", Message},
                                       {"steps_to_reproduce", "Open a file."},
                                       {"additional_info", ""},
                                       {"view_state", "10"},
                                       {"report_stay", "1"},
                                       {"bug_report_token", "20261210a&b"},
                                       {"Custom", "yes"}});
                         const TRecordedRequest* report = Find(r, "POST bug_report.php");
                         ASSERT_NE(report, nullptr);
                         ASSERT_EQ(report->Files.size(), 1u);
                         EXPECT_EQ(report->Files[0].Name, "file");
                         EXPECT_EQ(report->Files[0].FileName, "BugReport.zip");
                         EXPECT_EQ(report->Files[0].Content, SampleArchiveBytes);
                         EXPECT_EQ(response.Page, "bug_report.php");
                         EXPECT_EQ(response.StatusCode, 200);
                     }});

    cases.push_back({"MantisWrongLogin", NewSendReport<THTTPMantisSendReport>, "mantis_new.txt", true,
                     [](TTrackerReport& report) { report.Password = "wrong"; }, TSendResult::srInvalidLogin,
                     {"POST login.php"},
                     [](const std::vector<TRecordedRequest>&, const THTTPResponse& response) {
                         EXPECT_EQ(response.StatusCode, 200);
                         EXPECT_EQ(response.ErrorCode, 0);
                         EXPECT_NE(response.Body.find("incorrect"), std::string::npos);
                     }});

    cases.push_back({"MantisUpdate", NewSendReport<THTTPMantisSendReport>, "mantis_update.txt", true, nullptr,
                     TSendResult::srOK,
                     with(mantisSearch, {"GET bug_update_page.php", "POST bug_update.php", "GET view.php"}),
                     [](const std::vector<TRecordedRequest>& r, const THTTPResponse& response) {
                         ExpectFields(r, "GET bug_update_page.php", {{"bug_id", "42"}});
                         ExpectFields(r, "POST bug_update.php",
                                      {{"summary", "[v1.0 - 4]: EAccessViolation (1A2B)"},
                                       {"bug_id", "42"},
                                       {"update_mode", "1"},
                                       {"category", "2"},
                                       {"severity", "50"},
                                       {"reproducibility", "10"},
                                       {"reporter_id", "3"},
                                       {"view_state", "10"},
                                       {"handler_id", "0"},
                                       {"priority", "30"},
                                       {"resolution", "10"},
                                       {"description", Message},
                                       {"additional_information", ""},
                                       {"bugnote_text", ""},
                                       {"build", "1.0"},
                                       {"bug_update_token", "upd77"},
                                       {"Custom", "yes"}});
                         ExpectFields(r, "GET view.php", {{"id", "42"}});
                         EXPECT_EQ(response.Page, "view.php");
                     }});

    cases.push_back({"MantisClosedBug", NewSendReport<THTTPMantisSendReport>, "mantis_closed.txt", true, nullptr,
                     TSendResult::srBugClosed, with(mantisSearch, {"GET bug_update_page.php"}), nullptr});

    cases.push_back({"MantisCountAtLimit", NewSendReport<THTTPMantisSendReport>, "mantis_limit.txt", true, nullptr,
                     TSendResult::srOK, with(mantisSearch, {"GET bug_update_page.php"}), nullptr});

    const std::vector<std::string> bugzillaSearch = {"POST enter_bug.cgi", "GET buglist.cgi"};
    cases.push_back({"BugzillaNewBug", NewSendReport<THTTPBugzillaSendReport>, "bugzilla_new.txt", false, nullptr,
                     TSendResult::srOK,
                     with(bugzillaSearch, {"GET enter_bug.cgi", "POST post_bug.cgi", "POST attachment.cgi"}),
                     [](const std::vector<TRecordedRequest>& r, const THTTPResponse&) {
                         ExpectFields(r, "POST enter_bug.cgi",
                                      {{"project", "Tessaly"}, {"Bugzilla_login", "joe"}, {"Bugzilla_password", "secret"}});
                         ExpectFields(r, "GET buglist.cgi",
                                      {{"query_format", "specific"},
                                       {"order", "relevance desc"},
                                       {"bug_status", "__all__"},
                                       {"product", "Tessaly"},
                                       {"content", " (1A2B)"}});
                         ExpectFields(r, "GET enter_bug.cgi", {{"product", "Tessaly"}});
                         ExpectFields(r, "POST post_bug.cgi",
                                      {{"product", "Tessaly"},
                                       {"version", "1.0"},
                                       {"component", "Core"},
                                       {"rep_platform", "PC"},
                                       {"op_sys", "Windows"},
                                       {"priority", "P3"},
                                       {"bug_severity", "normal"},
                                       {"target_milestone", "---"},
                                       {"bug_status", "NEW"},
                                       {"assigned_to", "joe"},
                                       {"bug_file_loc", "http://"},
                                       {"short_desc", Summary},
                                       {"comment", Described},
                                       {"keywords", "crash"},
                                       {"form_name", "enter_bug"},
                                       {"bug_status", "NEW"},
                                       {"Custom", "yes"}});
                         ExpectFields(r, "POST attachment.cgi",
                                      {{"bugid", "77"},
                                       {"action", "insert"},
                                       {"description", "FILE"},
                                       {"contenttypemethod", "list"},
                                       {"contenttypeselection", "application/octet-stream"},
                                       {"contenttypeentry", ""},
                                       {"flag_type-1", "X"},
                                       {"flag_type-2", "X"},
                                       {"flag_type-3", "X"},
                                       {"flag_type-4", "X"},
                                       {"comment", ""}});
                         const TRecordedRequest* attachment = Find(r, "POST attachment.cgi");
                         ASSERT_NE(attachment, nullptr);
                         EXPECT_TRUE(attachment->Files.empty());
                     }});

    cases.push_back({"BugzillaWrongLogin", NewSendReport<THTTPBugzillaSendReport>, "bugzilla_new.txt", false,
                     [](TTrackerReport& report) { report.Password = "wrong"; }, TSendResult::srInvalidLogin,
                     {"POST enter_bug.cgi"}, nullptr});

    cases.push_back({"BugzillaUpdate", NewSendReport<THTTPBugzillaSendReport>, "bugzilla_update.txt", true, nullptr,
                     TSendResult::srOK, with(bugzillaSearch, {"GET show_bug.cgi", "POST process_bug.cgi"}),
                     [](const std::vector<TRecordedRequest>& r, const THTTPResponse&) {
                         ExpectFields(r, "GET show_bug.cgi", {{"id", "77"}});
                         ExpectFields(r, "POST process_bug.cgi",
                                      {{"short_desc", "[v1.0 - 4]: EAccessViolation (1A2B)"},
                                       {"delta_ts", "2026-12-10 10:00:00"},
                                       {"longdesclength", "2"},
                                       {"id", "77"},
                                       {"bug_file_loc", ""},
                                       {"product", "Tessaly"},
                                       {"component", "Core"},
                                       {"version", "1.0"},
                                       {"flag_type-6", "X"},
                                       {"comment", ""},
                                       {"knob", "none"},
                                       {"resolution", ""},
                                       {"form_name", "process_bug"},
                                       {"Custom", "yes"}});
                     }});

    cases.push_back({"BugzillaReopenOffered", NewSendReport<THTTPBugzillaSendReport>, "bugzilla_reopen.txt", true,
                     nullptr, TSendResult::srBugClosed, with(bugzillaSearch, {"GET show_bug.cgi"}), nullptr});

    const std::vector<std::string> fogbugzSearch = {"POST default.asp", "GET default.asp"};
    cases.push_back({"FogBugzNewCase", NewSendReport<THTTPFogBugzSendReport>, "fogbugz_new.txt", true, nullptr,
                     TSendResult::srOK, with(fogbugzSearch, {"GET default.asp", "POST default.asp"}),
                     [](const std::vector<TRecordedRequest>& r, const THTTPResponse&) {
                         ExpectFields(r, "POST default.asp",
                                      {{"pre", "preLogon"}, {"sPerson", "joe"}, {"sPassword", "secret"},
                                       {"fRememberPassword", "0"}});
                         ExpectFields(r, "GET default.asp",
                                      {{"pre", "preSearch"},
                                       {"pg", "pgList"},
                                       {"pgBack", "pgSearch"},
                                       {"search", "1"},
                                       {"bAlsoSearchClosedBugs", "ON"},
                                       {"searchFor", "EAccessViolation (1A2B)"}});
                         ExpectFields(r, "GET default.asp", {{"command", "new"}, {"pg", "pgEditBug"}}, 2);
                         ExpectFields(r, "POST default.asp",
                                      {{"pre", "preSubmitBug"},
                                       {"sActionToken", "tok123"},
                                       {"command", "new"},
                                       {"dtTimeStamp", "12/10/2026"},
                                       {"ixBug", "0"},
                                       {"sTitle", Summary},
                                       {"sEvent", Described},
                                       {"ixProject", "2"},
                                       {"ixArea", "6"},
                                       {"ixPersonAssignedTo", "1"},
                                       {"ixCategory", "1"},
                                       {"ixFixFor", "1"},
                                       {"ixPriority", "1"},
                                       {"hrsCurrEstNew", ""},
                                       {"sVersion", "1.0"},
                                       {"sComputer", "PC1"},
                                       {"Custom", "yes"},
                                       {"nFileCount", "1"}},
                                      2);
                         const TRecordedRequest* submit = Find(r, "POST default.asp", 2);
                         ASSERT_NE(submit, nullptr);
                         ASSERT_EQ(submit->Files.size(), 1u);
                         EXPECT_EQ(submit->Files[0].Name, "File1");
                         EXPECT_EQ(submit->Files[0].FileName, "BugReport.zip");
                         EXPECT_EQ(submit->Files[0].Content, SampleArchiveBytes);
                     }});

    cases.push_back({"FogBugzTrialWithoutArchive", NewSendReport<THTTPFogBugzSendReport>, "fogbugz_new.txt", false,
                     [](TTrackerReport& report) {
                         report.WebFields[1] = "FogBugzTrialID=T-9";
                         report.AssignTo = "joe";
                     },
                     TSendResult::srOK, with(fogbugzSearch, {"GET default.asp", "POST default.asp"}),
                     [](const std::vector<TRecordedRequest>& r, const THTTPResponse&) {
                         ExpectFields(r, "POST default.asp",
                                      {{"pre", "preLogon"}, {"sPerson", "joe"}, {"sPassword", "secret"},
                                       {"fRememberPassword", "0"}, {"ID", "T-9"}});
                         const TRecordedRequest* submit = Find(r, "POST default.asp", 2);
                         ASSERT_NE(submit, nullptr);
                         EXPECT_EQ(submit->Field("nFileCount"), "0");
                         EXPECT_EQ(submit->Field("ixPersonAssignedTo"), "3");
                         EXPECT_TRUE(submit->Files.empty());
                     }});

    cases.push_back({"FogBugzUpdate", NewSendReport<THTTPFogBugzSendReport>, "fogbugz_update.txt", true, nullptr,
                     TSendResult::srOK, with(fogbugzSearch, {"GET default.asp", "POST default.asp"}),
                     [](const std::vector<TRecordedRequest>& r, const THTTPResponse&) {
                         ExpectFields(r, "GET default.asp", {{"pg", "pgEditBug"}, {"command", "edit"}, {"ixBug", "31"}},
                                      2);
                         ExpectFields(r, "POST default.asp",
                                      {{"pre", "preSubmitBug"},
                                       {"sActionToken", "tok456"},
                                       {"sTitle", "[v1.0 - 4]: EAccessViolation (1A2B)"},
                                       {"command", "edit"},
                                       {"ixBug", "31"},
                                       {"ixProject", "2"},
                                       {"nFileCount", "0"},
                                       {"sEvent", ""},
                                       {"sVersion", "1.0"},
                                       {"Custom", "yes"}},
                                      2);
                     }});

    cases.push_back({"FogBugzWrongLogin", NewSendReport<THTTPFogBugzSendReport>, "fogbugz_new.txt", true,
                     [](TTrackerReport& report) { report.Password = "wrong"; }, TSendResult::srInvalidLogin,
                     {"POST default.asp"}, nullptr});
    return cases;
}

}  // namespace

const std::vector<TTrackerCase>& TrackerCases() {
    static const std::vector<TTrackerCase> cases = MakeCases();
    return cases;
}

TTrackerReport SampleReport(const TTrackerCase& c, const std::string& siteUrl, const std::string& archive) {
    TTrackerReport report;
    report.Version = "1.0";
    report.ClassName = "EAccessViolation";
    report.Message = Message;
    report.BugIdentifier = "1A2B";
    report.SiteURL = siteUrl;
    report.User = "joe";
    report.Password = "secret";
    report.Project = "Tessaly";
    report.Category = "Crashes";
    report.AttachedFile = c.Attach ? archive : "";
    report.WebFields = {"Custom=yes", "FogBugzTrialID=", "ZV_OSType=Windows 10", "ZV_OSBuild=19045",
                        "ZV_ReproduceText=Open a file."};
    if (c.Adjust)
        c.Adjust(report);
    return report;
}

void CheckTrackerCase(const TTrackerCase& c, TSendResult result, const THTTPResponse& response,
                      const std::vector<TRecordedRequest>& requests) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(static_cast<int>(result), static_cast<int>(c.Expected));
    std::vector<std::string> steps;
    for (const TRecordedRequest& r : requests)
        steps.push_back(r.Step());
    EXPECT_EQ(steps, c.Steps);
    for (const TRecordedRequest& r : requests)
        EXPECT_EQ(r.Target.substr(0, 1), "/") << r.Target;
    if (c.Check)
        c.Check(requests, response);
}
