#include "editor/crashreport/core/sending/WebSendTexts.h"

#include <cmath>

TSendStateStep SendStateStep(TSendState state, int32_t value, int32_t highest) {
    switch (state) {
    case TSendState::ssConnecting:
        return {mtSendDialog_Connecting, 5, true};
    case TSendState::ssConnected:
        return {mtSendDialog_Connected, highest + 5};
    case TSendState::ssLogin:
        return {mtSendDialog_Login, highest + 5};
    case TSendState::ssSelectProject:
        return {mtSendDialog_SelectProject, highest + 5};
    case TSendState::ssSearching:
        return {mtSendDialog_Searching, highest + 5};
    case TSendState::ssModifying:
        return {mtSendDialog_Modifying, highest + 5};
    case TSendState::ssSending:
        return {mtSendDialog_Sending, static_cast<int32_t>(std::lround(value / 100.0 * 65.0 + 35.0))};
    case TSendState::ssSent:
        return {mtSendDialog_Sent, 100};
    case TSendState::ssDisconnecting:
        return {mtSendDialog_Disconnecting, 100};
    case TSendState::ssDisconnected:
        return {mtSendDialog_Disconnected, 100};
    }
    return {mtSendDialog_Sending, highest};
}

std::string UploadFailureText(const std::string& label, int64_t code, const std::string& errorText) {
    std::string detail;
    if (code == -1)
        detail = " - Cannot find the \"wininet.dll\" library.";
    else if (!errorText.empty())
        detail = " (" + errorText + ")";
    return label + " error code: " + std::to_string(code) + detail;
}

TMessageType TrackerResultText(TSendResult result) {
    switch (result) {
    case TSendResult::srInvalidLogin: return mtSend_InvalidLoginMsg;
    case TSendResult::srInvalidSelection: return mtSend_InvalidSelectionMsg;
    case TSendResult::srInvalidSearch: return mtSend_InvalidSearchMsg;
    case TSendResult::srInvalidInsert: return mtSend_InvalidInsertMsg;
    case TSendResult::srInvalidModify: return mtSend_InvalidModifyMsg;
    default: return mtSend_UnknownErrorMsg;
    }
}

std::string TrackerFailureText(const std::string& resultText, int32_t errorCode, const std::string& errorMessage) {
    return resultText + "\r\n\r\nError Code: " + std::to_string(errorCode) + "\r\nError Message: \"" + errorMessage + "\"";
}

void AddBuiltInWebFields(TStrings& fields, const std::string& trialId, const std::string& osType,
                         const std::string& osBuild, const std::string& reproduceText) {
    fields.Add("FogBugzTrialID=" + trialId);
    fields.Add("ZV_OSType=" + osType);
    fields.Add("ZV_OSBuild=" + osBuild);
    fields.Add("ZV_ReproduceText=" + reproduceText);
}
