#include "editor/unicode/UvxStdActnsSearch.h"

#include "editor/unicode/UvxControls.h"
#include "editor/unicode/UvxEdits.h"
#include "editor/unicode/UvxMessageDialog.h"
#include "framework/WinText.h"

// A framework dialog (a plain framework action's) has 8-bit texts only.
std::u16string UvxSearch_FindWhat(TFindDialog* dialog) {
    if (auto* find = dynamic_cast<TUvxFindDialog*>(dialog)) return find->GetFindText();
    if (auto* replace = dynamic_cast<TUvxReplaceDialog*>(dialog)) return replace->GetFindText();
    return AnsiToWide(dialog->FindText);
}

std::u16string UvxSearch_ReplaceWith(TFindDialog* dialog) {
    if (auto* replace = dynamic_cast<TUvxReplaceDialog*>(dialog)) return replace->GetReplaceText();
    if (auto* plain = dynamic_cast<TReplaceDialog*>(dialog)) return AnsiToWide(plain->ReplaceText);
    return u"";
}

std::u16string UvxSearch_EditText(TCustomEdit* edit) { return UvxControl_GetText(edit); }

void UvxSearch_GetSelection(TCustomEdit* edit, int& start, int& length) {
    start = UvxCustomEdit_GetSelStart(edit);
    length = UvxCustomEdit_GetSelLength(edit);
}

void UvxSearch_Select(TCustomEdit* edit, int start, int length) {
    UvxCustomEdit_SetSelStart(edit, start);
    UvxCustomEdit_SetSelLength(edit, length);
}

void UvxSearch_ReplaceSelection(TCustomEdit* edit, const std::u16string& text) {
    UvxCustomEdit_SetSelText(edit, text);
}

void UvxSearch_TextNotFound(const std::u16string& what) { WideShowMessageFmt(u"Text not found: \"%s\"", {what}); }
