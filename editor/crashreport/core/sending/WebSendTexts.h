#pragma once
// The rules of the web road apart from the wire: how each send state moves
// the send dialog, the texts of a failed upload or tracker send, and the
// built-in web fields.
#include <cstdint>
#include <string>

#include "editor/crashreport/support/texts/MessageTypes.h"
#include "editor/crashreport/support/web/HttpConnection.h"
#include "editor/crashreport/support/web/TrackerSendReport.h"

// What a send state shows: its text and the bar's new position, given the
// highest position reached so far. ResetFirst: the bar restarts from 0.
struct TSendStateStep {
    TMessageType Text;
    int32_t Position;
    bool ResetFirst = false;
};
TSendStateStep SendStateStep(TSendState state, int32_t value, int32_t highest);

// The failure text of an upload: "<label> error code: <code><detail>".
std::string UploadFailureText(const std::string& label, int64_t code, const std::string& errorText);

// The text id of a failed tracker result (mtSend_UnknownErrorMsg and kin).
TMessageType TrackerResultText(TSendResult result);
// "<text>\r\n\r\nError Code: n\r\nError Message: \"m\"".
std::string TrackerFailureText(const std::string& resultText, int32_t errorCode, const std::string& errorMessage);

// The four built-in fields appended to a copy of the web fields.
void AddBuiltInWebFields(TStrings& fields, const std::string& trialId, const std::string& osType,
                         const std::string& osBuild, const std::string& reproduceText);
