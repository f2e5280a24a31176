#include "editor/crashreport/support/web/HtmlForms.h"
#include "editor/crashreport/support/web/TrackerSendReport.h"

// Mantis: login, project choice and a simple filter by the search text; a
// new bug from the advanced report page, or the found bug's update page.
TSendResult THTTPMantisSendReport::PostBug(const TTrackerReport& report, THTTPResponse& response) {
    return WithConnection(report, response, [&](THTTPConnectionBase& c) {
        const std::string project = c.Utf8Text(report.Project);
        const std::string category = c.Utf8Text(report.Category);
        const std::string assignTo = c.Utf8Text(report.AssignTo);
        TStringList webFields;
        WebFieldLines(report, webFields);

        c.SetSendState(TSendState::ssLogin, 0);
        c.SetRequest("login.php", TRequestMethod::rmPOST);
        c.AddField("return", "login_select_proj_page.php");
        c.AddField("username", report.User);
        c.AddField("password", report.Password);
        if (!c.SendRequest(response, false) || !c.IsSuccessfulSend("login_select_proj_page.php", "name=\"project_id\""))
            return TSendResult::srInvalidLogin;

        c.SetSendState(TSendState::ssSelectProject, 0);
        c.SetRequest("set_project.php", TRequestMethod::rmPOST);
        c.AddFieldByListTitle("project_id", project);
        if (!c.SendRequest(response, false) || !(c.IsSuccessfulSend("my_view_page.php", ">" + project + "</option>") ||
                                                 c.IsSuccessfulSend("my_view_page.php", " " + project + "</option>")))
            return TSendResult::srInvalidSelection;

        c.SetSendState(TSendState::ssSearching, 0);
        c.SetRequest("view_all_set.php?f=3", TRequestMethod::rmPOST);
        c.AddField("type", "1");
        c.AddField("page_number", "1");
        c.AddField("view_type", "simple");
        c.AddSearchText("search", report.Version, report.ClassName, report.BugIdentifier);
        if (!c.SendRequest(response, false) ||
            !(c.IsSuccessfulSend("view_all_bug_page.php", "name=\"reset_query_button\"") ||
              c.IsSuccessfulSend("view_all_bug_page.php", "name=\"source_query_id\"")))
            return TSendResult::srInvalidSearch;

        const char* const updateMarker = "bug_update_page.php?bug_id=";
        const char* const advancedMarker = "bug_update_advanced_page.php?bug_id=";
        if (!c.IsSuccessfulSend("", updateMarker) && !c.IsSuccessfulSend("", advancedMarker)) {
            c.SetRequest("bug_report_advanced_page.php", TRequestMethod::rmGET);
            if (!c.SendRequest(response, false) ||
                !c.IsSuccessfulSend("bug_report_advanced_page.php", "name=\"file\" type=\"file\""))
                return TSendResult::srInvalidInsert;

            c.SetRequest("bug_report.php", TRequestMethod::rmBinaryPOST);
            c.AddFieldValue("m_id");
            c.AddFieldValue("project_id");
            c.AddFieldByListTitle("handler_id", assignTo);
            c.AddFieldByListTitle("category", category);
            c.AddField("reproducibility", "10");
            c.AddFieldByDefaultList("severity");
            c.AddFieldByDefaultList("priority");
            c.AddFieldValue("platform");
            c.AddField("os", webFields.Values("ZV_OSType"));
            c.AddField("os_build", webFields.Values("ZV_OSBuild"));
            c.AddField("build", report.Version);
            c.AddBugSummary("summary", report.Version, report.ClassName, report.BugIdentifier);
            c.AddField("description", report.Message);
            c.AddField("steps_to_reproduce", webFields.Values("ZV_ReproduceText"));
            c.AddField("additional_info", "");
            c.AddField("view_state", "10");
            c.AddFieldValue("report_stay");
            c.AddFieldValue("bug_report_token");
            c.AddCustomFields(webFields);
            if (!report.AttachedFile.empty())
                c.AddFile("file", report.AttachedFile);
            if (!c.SendRequest(response, true) || !c.IsSuccessfulSend("bug_report.php", "href=\"view.php?id="))
                return TSendResult::srInvalidInsert;
            return TSendResult::srOK;
        }

        c.SetSendState(TSendState::ssModifying, 0);
        std::string bugId = FindTextAfterMarker(c.Response.Body, updateMarker, 1);
        if (bugId.empty())
            bugId = FindTextAfterMarker(c.Response.Body, advancedMarker, 1);
        c.SetRequest("bug_update_page.php", TRequestMethod::rmGET);
        c.AddField("bug_id", bugId);
        if (!c.SendRequest(response, false) || !c.IsSuccessfulSend("bug_update_page.php", "name=\"severity\""))
            return TSendResult::srInvalidModify;

        c.SetRequest("bug_update.php", TRequestMethod::rmPOST);
        if (!c.GetBugCountField("summary"))
            return TSendResult::srOK;
        std::string status;
        FindSelectedListValue(c.Response.Body, "status", status);
        if (status == "80" || status == "90")
            return TSendResult::srBugClosed;
        c.AddField("bug_id", bugId);
        c.AddFieldValue("update_mode");
        for (const char* list : {"category", "severity", "reproducibility", "reporter_id", "view_state", "handler_id",
                                 "priority", "resolution"})
            c.AddFieldByDefaultList(list);
        for (const char* area : {"description", "additional_information", "bugnote_text"})
            c.AddFieldByTextArea(area);
        c.AddField("build", report.Version);
        c.AddFieldValue("bug_update_token");
        c.AddCustomFields(webFields);
        if (!c.SendRequest(response, true) || !(c.IsSuccessfulSend("bug_update.php", "href=\"view.php?id=") ||
                                                c.IsSuccessfulSend("view.php", "href=\"view.php?id=")))
            return TSendResult::srInvalidModify;
        return TSendResult::srOK;
    });
}
