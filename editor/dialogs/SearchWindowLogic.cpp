#include "editor/dialogs/SearchWindowLogic.h"

#include "editor/document/DataFile.h"
#include "editor/document/LanguageSystem.h"
#include "editor/main/EditorView.h"
#include "editor/main/NumberImports.h"
#include "framework/SysUtils.h"

namespace {
std::string Text(const char* key) { return LanguageSystem.getText(key); }
const char* const ProductCaption = "Tessaly";

// Tells a refused conversion; true when the data can be used.
bool Accept(EditorView& view, DataConversion result, const char* emptyKey) {
    switch (result) {
        case DataConversion::Ok: return true;
        case DataConversion::Empty: view.Tell(Text(emptyKey), ProductCaption); return false;
        case DataConversion::NotDecimal: view.Tell(Text("USE8BITSDEC"), ProductCaption); return false;
        case DataConversion::NotHexadecimal: view.Tell(Text("USEHEXAD"), ProductCaption); return false;
    }
    return false;
}
}  // namespace

// A pattern of numbers made of blanks only gives no bytes: searching for
// nothing would find a hit everywhere and never end, so it counts as no data
// at all.
DataConversion ConvertSearchData(SearchDataKind kind, const std::string& text, std::vector<uint8_t>& out,
                                 bool pattern) {
    out.clear();
    switch (kind) {
        case SearchDataKind::Text: out.assign(text.begin(), text.end()); break;
        case SearchDataKind::Decimal:
            if (pattern && Trim(text).empty()) return DataConversion::Empty;
            if (ParseInt8List(text, out, false) < 0) return DataConversion::NotDecimal;
            break;
        case SearchDataKind::Hexadecimal:
            if (ParseHexBytes(text, out) < 0) return DataConversion::NotHexadecimal;
            break;
    }
    return out.empty() ? DataConversion::Empty : DataConversion::Ok;
}

// ---- the search window ----

TSearchWindowLogic::TSearchWindowLogic(TDataFile& document, EditorView& view, TSearchState& state,
                                       TFindReplace& finder) noexcept
    : FDocument(document), FView(view), S(state), FFinder(finder) {}

std::string TSearchWindowLogic::Activate(int32_t firstByteNumber) {
    S.SearchInSelection = 0;
    std::string caption;
    if (FView.SelectionActive())
        caption = Text("SEARCHSELECTION") + " (" + std::to_string(int64_t(FView.SelStart()) + firstByteNumber) + " " +
                  Text("TO") + " " + std::to_string(int64_t(FView.SelEnd()) + firstByteNumber) + ")";
    FFinder.SetWholeRange();
    FSavedSelStart = FView.SelStart();
    FSavedSelEnd = FView.SelEnd();
    S.SearchRestart = 1;
    ResetSearchState();
    return caption;
}

void TSearchWindowLogic::SelectionBoxClick(bool checked) {
    ResetSearchState();
    S.SearchInSelection = checked ? 1 : 0;
    if (checked) {
        S.SearchRangeStart = FSavedSelStart;
        S.SearchRangeEnd = FSavedSelEnd;
    } else {
        FSavedSelStart = S.SearchRangeStart;
        FSavedSelEnd = S.SearchRangeEnd;
        FFinder.SetWholeRange();
    }
}

void TSearchWindowLogic::ResetSearchState() { FFinder.ResetSearchState(); }

void TSearchWindowLogic::SearchPress(const Input& input) {
    if (S.SearchRestart) ResetSearchState();
    RunSearch(input, false);
}

void TSearchWindowLogic::CountPress(const Input& input) { RunSearch(input, true); }

void TSearchWindowLogic::FindNext(Input input) {
    FFinder.SetWholeRange();
    input.Forward = true;
    input.WindowVisible = false;
    S.SearchRestart = 1;
    ResetSearchState();
    RunSearch(input, false);
}

void TSearchWindowLogic::RunSearch(const Input& input, bool count) {
    const char* emptyKey = input.WindowVisible ? "ENTERDATATOSEARCH" : "GOTOSEARCHFOR";
    if (input.Data.empty()) {
        FView.Tell(Text(emptyKey), ProductCaption);
        return;
    }
    std::vector<uint8_t> pattern;
    if (!Accept(FView, ConvertSearchData(input.Kind, input.Data, pattern, true), emptyKey)) return;
    const int32_t n = static_cast<int32_t>(pattern.size());
    if (count) {
        const int32_t hits = FFinder.CountMatches(pattern.data(), n);
        FView.Tell(Text("THISDATAISFOUND") + " " + std::to_string(hits) + " " + Text(hits == 1 ? "TIME" : "TIMES") + " " +
                       Text(input.SelectionBoxChecked ? "THISDATAISFOUNDSEL" : "THISDATAISFOUNDFILE"),
                   Text("SEARCH"));
        return;
    }
    const bool found = SearchFunction ? SearchFunction(pattern.data(), n, input.Forward)
                                      : FFinder.FindData(pattern.data(), n, input.Forward);
    if (found) return;
    FView.ClearSelection();
    FView.GotoPosition(S.SearchStart);
    FView.RepaintAll();
    const char* key = S.FoundCount != 0         ? "SEARCHCOMPLETED"
                      : input.SelectionBoxChecked ? "DATANOTINSELECTION"
                                                  : "DATANOTFOUND";
    FView.Tell(Text(key), Text("SEARCH"));
    S.SearchRestart = 1;
}

// ---- the replace window ----

TReplaceWindowLogic::TReplaceWindowLogic(TDataFile& document, EditorView& view, TSearchState& state,
                                         TFindReplace& finder, ReplaceWindowControls& controls) noexcept
    : FDocument(document), FView(view), S(state), FFinder(finder), FControls(controls) {
    FFinder.ReplaceWindow = this;
}

TReplaceWindowLogic::~TReplaceWindowLogic() {
    if (FFinder.ReplaceWindow == this) FFinder.ReplaceWindow = nullptr;
}

bool TReplaceWindowLogic::ReplaceWindowVisible() const { return FControls.Visible(); }
void TReplaceWindowLogic::ShowEndReached(bool shown) { FControls.ShowEndReached(shown); }
void TReplaceWindowLogic::ShowProgress(int percent) { FControls.ShowProgress(percent); }

void TReplaceWindowLogic::ShowCounts() {
    FControls.SetFoundText(std::to_string(S.FoundCount) + " " + Text(S.FoundCount == 1 ? "TIMEFOUND" : "TIMESFOUND"));
    FControls.SetReplacedText(std::to_string(S.ReplaceCount) + " " +
                              Text(S.ReplaceCount == 1 ? "REPLACEMENT" : "REPLACEMENTS"));
    FControls.SetReplaceAllCaption(Text(S.FoundCount > 0 && S.SearchRestart == 0 ? "REPLACEREMAIN" : "REPLACEALL"));
}

void TReplaceWindowLogic::ResetSearchState() {
    FFinder.ResetSearchState();
    S.ReplaceCount = 0;
    FControls.ShowEndReached(false);
}

bool TReplaceWindowLogic::Activate() {
    S.SearchInSelection = 0;
    FFinder.SetWholeRange();
    FSavedSelStart = FView.SelStart();
    FSavedSelEnd = FView.SelEnd();
    S.SearchRestart = 1;
    ResetSearchState();
    ShowCounts();
    return FView.SelectionActive();
}

void TReplaceWindowLogic::SelectionBoxClick(bool checked) {
    ResetSearchState();
    ShowCounts();
    S.SearchInSelection = checked ? 1 : 0;
    if (checked) {
        S.SearchRangeStart = FSavedSelStart;
        S.SearchRangeEnd = FSavedSelEnd;
    } else {
        FSavedSelStart = S.SearchRangeStart;
        FSavedSelEnd = S.SearchRangeEnd;
        FFinder.SetWholeRange();
    }
}

void TReplaceWindowLogic::DataChange() {
    ResetSearchState();
    ShowCounts();
}

void TReplaceWindowLogic::KindChange(bool replaceList, int index) {
    int& last = replaceList ? FLastReplaceKind : FLastDataKind;
    if (index != last) ResetSearchState();
    last = index;
    ShowCounts();
}

void TReplaceWindowLogic::SearchNextPress(const Input& input) {
    S.ReplaceAllMode = 0;
    Press(input, false);
}

void TReplaceWindowLogic::ReplacePress(const Input& input) {
    S.ReplaceAllMode = 0;
    Press(input, true);
}

void TReplaceWindowLogic::ReplaceAllPress(const Input& input) {
    S.ReplaceAllMode = 1;
    Press(input, true);
}

void TReplaceWindowLogic::Press(const Input& input, bool replace) {
    if (S.SearchRestart) {
        ResetSearchState();
        ShowCounts();
    }
    RunReplace(input, replace);
    ShowCounts();
}

void TReplaceWindowLogic::RunReplace(const Input& input, bool replace) {
    if (input.Data.empty()) {
        FView.Tell(Text("ENTERDATA"), ProductCaption);
        return;
    }
    std::vector<uint8_t> pattern, replacement;
    if (!Accept(FView, ConvertSearchData(input.DataKind, input.Data, pattern, true), "ENTERDATA")) return;
    const DataConversion r = ConvertSearchData(input.ReplaceKind, input.ReplaceData, replacement, false);
    if (r != DataConversion::Empty && !Accept(FView, r, "ENTERDATA")) return;
    const int32_t n = static_cast<int32_t>(pattern.size());
    const int32_t m = static_cast<int32_t>(replacement.size());
    if (replace && m != n && FView.KeepFileSize()) {
        FView.Tell(Text("SAMELENGTH"), ProductCaption);
        return;
    }
    auto replaceOnce = [&] {
        return ReplaceFunction ? ReplaceFunction(pattern.data(), n, S.ReplaceAllMode, m, replacement.data(), 1)
                               : FFinder.ReplaceData(pattern.data(), n, S.ReplaceAllMode, replacement.data(), m);
    };
    bool found;
    if (replace) {
        found = replaceOnce();
        if (!S.ReplaceJustSelected && found) found = replaceOnce();
    } else {
        found = FFinder.FindData(pattern.data(), n, true);
    }
    if (!found) {
        FView.ClearSelection();
        FView.GotoPosition(S.SearchStart);
        FView.RepaintAll();
        ReportEnd(input.SelectionBoxChecked);
    } else if (S.ReplaceAllMode) {
        ReportEnd(input.SelectionBoxChecked);
    }
}

void TReplaceWindowLogic::ReportEnd(bool selectionBoxChecked) {
    ShowCounts();
    const char* key = S.FoundCount != 0   ? "SEARCHCOMPLETED"
                      : selectionBoxChecked ? "DATANOTFOUNDINSEL"
                                            : "DATANOTFOUND";
    FView.Tell(Text(key), Text("WORD_REPLACE"));
    S.SearchRestart = 1;
    FControls.ShowEndReached(false);
    FControls.SetReplaceAllCaption(Text("REPLACEALL"));
}
