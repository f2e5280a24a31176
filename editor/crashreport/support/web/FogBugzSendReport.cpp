#include "editor/crashreport/support/web/HtmlForms.h"
#include "editor/crashreport/support/web/TrackerSendReport.h"

namespace {

// The submit page, with the page's action token when it carries one.
std::string SubmitPage(const THTTPConnectionBase& c) {
    size_t position = 0;
    const std::string token = FindTagText(c.Response.Body, "sActionToken=", QuoteStops, position);
    return token.empty() ? "default.asp?pre=preSubmitBug" : "default.asp?pre=preSubmitBug&sActionToken=" + token;
}

}  // namespace

// FogBugz: every page is default.asp; log in, search closed bugs too, then
// submit a new case with the archive or edit the found one.
TSendResult THTTPFogBugzSendReport::PostBug(const TTrackerReport& report, THTTPResponse& response) {
    return WithConnection(report, response, [&](THTTPConnectionBase& c) {
        TStringList webFields;
        WebFieldLines(report, webFields);
        const std::string page = "default.asp";

        c.SetSendState(TSendState::ssLogin, 0);
        c.SetRequest(page, TRequestMethod::rmPOST);
        c.AddField("pre", "preLogon");
        c.AddField("sPerson", report.User);
        c.AddField("sPassword", report.Password);
        c.AddField("fRememberPassword", "0");
        const std::string trialId = webFields.Values("FogBugzTrialID");
        if (!trialId.empty())
            c.AddField("ID", trialId);
        if (!c.SendRequest(response, false) || !c.IsSuccessfulSend(page, "pre=preLogOff"))
            return TSendResult::srInvalidLogin;

        c.SetSendState(TSendState::ssSearching, 0);
        c.SetRequest(page, TRequestMethod::rmGET);
        c.AddField("pre", "preSearch");
        c.AddField("pg", "pgList");
        c.AddField("pgBack", "pgSearch");
        c.AddField("search", "1");
        c.AddField("bAlsoSearchClosedBugs", "ON");
        c.AddSearchText("searchFor", report.Version, report.ClassName, report.BugIdentifier);
        if (!c.SendRequest(response, false) || !c.IsSuccessfulSend(page, "searchFor="))
            return TSendResult::srInvalidSearch;

        if (!c.IsSuccessfulSend("", "default.asp?pg=pgeditbug") &&
            !c.IsSuccessfulSend("", "default.asp?pgx=EV&amp;ixBug=")) {
            c.SetSendState(TSendState::ssSelectProject, 0);
            c.SetRequest(page, TRequestMethod::rmGET);
            c.AddField("command", "new");
            c.AddField("pg", "pgEditBug");
            if (!c.SendRequest(response, false) || !c.IsSuccessfulSend(page, ""))
                return TSendResult::srInvalidInsert;

            c.SetRequest(SubmitPage(c), TRequestMethod::rmBinaryPOST);
            for (const char* input : {"command", "dtTimeStamp", "ixBug", "ixBugEventLatest", "ixPersonLastOwner",
                                      "ixDiscussTopic", "ixScreenshot", "sOriginalTitle"})
                c.AddFieldValue(input);
            c.AddBugSummary("sTitle", report.Version, report.ClassName, report.BugIdentifier);
            c.AddField("sEvent", c.AddOptionalField(report.Message, webFields.Values("ZV_ReproduceText")));
            c.AddFieldByListTitle("ixProject", report.Project);
            c.AddFieldByListTitle("ixArea", report.Project + ": " + report.Category);
            if (report.AssignTo.empty())
                c.AddFieldByDefaultList("ixPersonAssignedTo");
            else
                c.AddFieldByListTitle("ixPersonAssignedTo", report.AssignTo);
            c.AddFieldByDefaultList("ixCategory");
            c.AddFieldByDefaultList("ixFixFor");
            c.AddField("ixPriority", "1");
            c.AddFieldValue("sDueDate");
            c.AddFieldValue("sDueTime");
            c.AddField("hrsCurrEstNew", "");
            for (const char* input : {"hrsElapsedNew", "omitAtt", "fIEFileBrowse"})
                c.AddFieldValue(input);
            c.AddField("sVersion", report.Version);
            c.AddFieldValue("sComputer");
            c.AddFieldValue("dblTimeStamp");
            c.AddCustomFields(webFields);
            if (!report.AttachedFile.empty()) {
                c.AddField("nFileCount", "1");
                c.AddFile("File1", report.AttachedFile);
            } else {
                c.AddField("nFileCount", "0");
            }
            if (!c.SendRequest(response, true) || !c.IsSuccessfulSend(page, "command=resolve"))
                return TSendResult::srInvalidInsert;
            return TSendResult::srOK;
        }

        c.SetSendState(TSendState::ssModifying, 0);
        const std::string bugId = FindTextAfterMarker(c.Response.Body, "ixBug=", 1);
        c.SetRequest(page, TRequestMethod::rmGET);
        c.AddField("pg", "pgEditBug");
        c.AddField("command", "edit");
        c.AddField("ixBug", bugId);
        if (!c.SendRequest(response, false) || !c.IsSuccessfulSend(page, "name=\"OK\""))
            return TSendResult::srInvalidModify;

        c.SetRequest(SubmitPage(c), TRequestMethod::rmBinaryPOST);
        if (!c.GetBugCountField("sTitle"))
            return TSendResult::srOK;
        if (c.IsSuccessfulSend("", "default.asp?pg=pgEditReleaseNotes"))
            return TSendResult::srBugClosed;
        c.AddFieldValue("command");
        c.AddFieldValue("dtTimeStamp");
        c.AddField("ixBug", bugId);
        for (const char* input : {"ixBugEventLatest", "ixPersonLastOwner", "ixDiscussTopic", "ixScreenshot",
                                  "sOriginalTitle", "sEvent"})
            c.AddFieldValue(input);
        for (const char* list : {"ixProject", "ixArea", "ixPersonAssignedTo", "ixCategory", "ixFixFor", "ixPriority"})
            c.AddFieldByDefaultList(list);
        for (const char* input : {"sDueDate", "sDueTime", "hrsCurrEstNew", "hrsElapsedNew", "dblTimeStamp",
                                  "fIEFileBrowse", "fIEFileBrowse", "hrsCurrEstNew", "idSubscriptionState",
                                  "ixDiscussTopic", "ixPersonLastOwner", "nFileCount", "omitAtt", "sComputer"})
            c.AddFieldValue(input);
        c.AddFieldByTextArea("sEvent");
        c.AddFieldValue("sOriginalTitle");
        c.AddField("sVersion", report.Version);
        c.AddCustomFields(webFields);
        if (!c.SendRequest(response, true) || !c.IsSuccessfulSend(page, "command=resolve"))
            return TSendResult::srInvalidModify;
        return TSendResult::srOK;
    });
}
