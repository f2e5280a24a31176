#include "editor/crashreport/support/web/HtmlForms.h"
#include "editor/crashreport/support/web/TrackerSendReport.h"

namespace {

// The version field: the program's version when the page offers it as an
// option, else the list's selected one.
void AddVersion(THTTPConnectionBase& c, const std::string& version) {
    if (HasOptionValue(c.Response.Body, version))
        c.AddField("version", version);
    else
        c.AddFieldByDefaultList("version");
}

// The component: the list's selected one, or else the first component the
// page's script assigns.
void AddComponent(THTTPConnectionBase& c) {
    c.AddFieldByDefaultList("component");
    const int line = c.Fields.IndexOfName("component");
    if (line >= 0 && !c.Fields.ValueFromIndex(line).empty())
        return;
    size_t position = 0;
    const std::string scripted = FindTagText(c.Response.Body, "components[0] = \"", QuoteStops, position);
    if (scripted.empty())
        return;
    if (line >= 0)
        c.Fields.Delete(line);
    c.AddField("component", scripted);
}

}  // namespace

// Bugzilla: log in on the new-bug page, search by the bug identifier, then
// enter a new bug and attach the archive, or update the found bug.
TSendResult THTTPBugzillaSendReport::PostBug(const TTrackerReport& report, THTTPResponse& response) {
    return WithConnection(report, response, [&](THTTPConnectionBase& c) {
        TStringList webFields;
        WebFieldLines(report, webFields);

        c.SetSendState(TSendState::ssLogin, 0);
        c.SetRequest("enter_bug.cgi", TRequestMethod::rmPOST);
        c.AddField("project", report.Project);
        c.AddField("Bugzilla_login", report.User);
        c.AddField("Bugzilla_password", report.Password);
        if (!c.SendRequest(response, false) || !c.IsSuccessfulSend("enter_bug.cgi", "relogin.cgi"))
            return TSendResult::srInvalidLogin;

        c.SetSendState(TSendState::ssSearching, 0);
        c.SetRequest("buglist.cgi", TRequestMethod::rmGET);
        c.AddField("query_format", "specific");
        c.AddField("order", "relevance desc");
        c.AddField("bug_status", "__all__");
        c.AddField("product", report.Project);
        c.AddSearchText("content", report.Version, "", report.BugIdentifier);
        if (!c.SendRequest(response, false) || !c.IsSuccessfulSend("buglist.cgi", "href=\"query.cgi?"))
            return TSendResult::srInvalidSearch;

        const char* const bugMarker = "show_bug.cgi?id=";
        if (!c.IsSuccessfulSend("", bugMarker)) {
            c.SetSendState(TSendState::ssSelectProject, 0);
            c.SetRequest("enter_bug.cgi", TRequestMethod::rmGET);
            c.AddField("product", report.Project);
            if (!c.SendRequest(response, false) || !c.IsSuccessfulSend("enter_bug.cgi", "action=\"post_bug.cgi\""))
                return TSendResult::srInvalidSelection;

            c.SetRequest("post_bug.cgi", TRequestMethod::rmPOST);
            c.AddFieldValue("product");
            AddVersion(c, report.Version);
            AddComponent(c);
            for (const char* list : {"rep_platform", "op_sys", "priority", "bug_severity", "target_milestone"})
                c.AddFieldByDefaultList(list);
            c.AddFieldValue("bug_status");
            c.AddField("assigned_to", report.AssignTo.empty() ? report.User : report.AssignTo);
            for (const char* input : {"qa_contact", "cc", "estimated_time", "deadline", "bug_file_loc"})
                c.AddFieldValue(input);
            c.AddBugSummary("short_desc", report.Version, report.ClassName, report.BugIdentifier);
            c.AddField("comment", c.AddOptionalField(report.Message, webFields.Values("ZV_ReproduceText")));
            for (const char* input : {"keywords", "dependson", "blocked"})
                c.AddFieldValue(input);
            c.AddField("form_name", "enter_bug");
            c.AddFieldByDefaultList("bug_status");
            c.AddCustomFields(webFields);
            if (!c.SendRequest(response, false) || !c.IsSuccessfulSend("post_bug.cgi", bugMarker))
                return TSendResult::srInvalidInsert;

            std::string bugId;
            FindInputValue(c.Response.Body, "id", bugId);
            c.SetRequest("attachment.cgi", TRequestMethod::rmBinaryPOST);
            c.AddField("bugid", bugId);
            c.AddField("action", "insert");
            c.AddField("description", "FILE");
            c.AddField("contenttypemethod", "list");
            c.AddField("contenttypeselection", "application/octet-stream");
            c.AddField("contenttypeentry", "");
            for (const char* flag : {"flag_type-1", "flag_type-2", "flag_type-3", "flag_type-4"})
                c.AddField(flag, "X");
            c.AddField("comment", "");
            if (!report.AttachedFile.empty())
                c.AddFile("data", report.AttachedFile);
            if (!c.SendRequest(response, true) || !c.IsSuccessfulSend("attachment.cgi", "attachment.cgi"))
                return TSendResult::srInvalidInsert;
            return TSendResult::srOK;
        }

        c.SetSendState(TSendState::ssModifying, 0);
        const std::string bugId = FindTextAfterMarker(c.Response.Body, bugMarker, 1);
        c.SetRequest("show_bug.cgi", TRequestMethod::rmGET);
        c.AddField("id", bugId);
        if (!c.SendRequest(response, false) ||
            !(c.IsSuccessfulSend("show_bug.cgi", "name=\"form_name\"") ||
              c.IsSuccessfulSend("show_bug.cgi", "type=\"hidden\" id=\"component\"") ||
              c.IsSuccessfulSend("show_bug.cgi", "select id=\"component\" name=\"component\"")))
            return TSendResult::srInvalidModify;

        c.SetRequest("process_bug.cgi", TRequestMethod::rmPOST);
        if (!c.GetBugCountField("short_desc"))
            return TSendResult::srOK;
        if (c.IsSuccessfulSend("", "value=\"reopen\"") || c.IsSuccessfulSend("", "value=\"reopened\""))
            return TSendResult::srBugClosed;
        for (const char* input : {"delta_ts", "longdesclength", "id", "alias"})
            c.AddFieldValue(input);
        std::string fileLocation;
        if (FindInputValue(c.Response.Body, "bug_file_loc", fileLocation))
            c.AddField("bug_file_loc", fileLocation);
        else
            c.AddField("bug_file_loc", "");
        for (const char* list : {"product", "component", "rep_platform", "op_sys"})
            c.AddFieldByDefaultList(list);
        AddVersion(c, report.Version);
        for (const char* list : {"priority", "bug_severity", "target_milestone"})
            c.AddFieldByDefaultList(list);
        for (const char* input : {"newcc", "cc", "qa_contact", "bug_file_loc", "status_whiteboard", "keywords"})
            c.AddFieldValue(input);
        c.AddField("flag_type-6", "X");
        for (const char* input : {"requestee_type-6", "dependson", "blocked"})
            c.AddFieldValue(input);
        c.AddFieldByTextArea("comment");
        c.AddField("knob", "none");
        c.AddFieldByDefaultList("resolution");
        for (const char* input : {"dup_id", "assigned_to", "form_name"})
            c.AddFieldValue(input);
        c.AddCustomFields(webFields);
        if (!c.SendRequest(response, true) || !c.IsSuccessfulSend("process_bug.cgi", bugMarker))
            return TSendResult::srInvalidModify;
        return TSendResult::srOK;
    });
}
