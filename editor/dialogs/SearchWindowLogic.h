#pragma once
// What the search window and the replace window do with their controls'
// contents: convert the data, run the search or the replace routine, count,
// and tell the user the outcome. The windows read their controls, call
// these and show what they answer; the main window's Find Next uses the
// search window's logic with the window hidden.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/dialogs/FindReplace.h"
#include "editor/dialogs/SearchState.h"

class TDataFile;
class EditorView;

// The data kinds of both windows, in the order of their lists.
enum class SearchDataKind { Text = 0, Decimal = 1, Hexadecimal = 2 };

enum class DataConversion { Ok, Empty, NotDecimal, NotHexadecimal };
// The bytes of the data typed in a window. Text is taken byte for byte;
// decimal numbers are 8-bit unsigned values; hexadecimal digits are two
// per byte. Empty means no bytes (for a pattern also numbers of blanks
// only); replace data may be empty.
DataConversion ConvertSearchData(SearchDataKind kind, const std::string& text, std::vector<uint8_t>& out,
                                 bool pattern);

// The search window.
class TSearchWindowLogic {
public:
    TSearchWindowLogic(TDataFile& document, EditorView& view, TSearchState& state, TFindReplace& finder) noexcept;

    // The window's contents for one press.
    struct Input {
        std::string Data;
        SearchDataKind Kind = SearchDataKind::Text;
        bool Forward = true;
        bool SelectionBoxChecked = false;
        bool WindowVisible = true;
    };

    // On activation: a new run over the whole document. Answers the caption
    // of the selection box, or an empty text when it stays hidden (no
    // selection). firstByteNumber is 0 or 1.
    std::string Activate(int32_t firstByteNumber);
    void SelectionBoxClick(bool checked);
    // A change of the data, the kind or the direction.
    void ResetSearchState();
    void SearchPress(const Input& input);
    void CountPress(const Input& input);
    // The main window's Find Next: the whole document towards the end,
    // a new run at the cursor, the window hidden.
    void FindNext(Input input);

    // What a search press runs (pattern, length, forward; true when a hit
    // was found and shown): the window's hook, else the finder's FindData.
    std::function<bool(const uint8_t*, int32_t, bool)> SearchFunction;

private:
    void RunSearch(const Input& input, bool count);

    TDataFile& FDocument;
    EditorView& FView;
    TSearchState& S;
    TFindReplace& FFinder;
    int32_t FSavedSelStart = 0;
    int32_t FSavedSelEnd = -1;
};

// The replace window's controls as its logic sets them.
class ReplaceWindowControls {
public:
    virtual ~ReplaceWindowControls() = default;
    virtual bool Visible() const = 0;
    virtual void SetFoundText(const std::string& text) = 0;
    virtual void SetReplacedText(const std::string& text) = 0;
    virtual void SetReplaceAllCaption(const std::string& caption) = 0;
    virtual void ShowEndReached(bool shown) = 0;
    // 0 to 100; -1 hides the progress bar.
    virtual void ShowProgress(int percent) = 0;
};

// The replace window.
class TReplaceWindowLogic : public ReplaceWindowSide {
public:
    TReplaceWindowLogic(TDataFile& document, EditorView& view, TSearchState& state, TFindReplace& finder,
                        ReplaceWindowControls& controls) noexcept;
    ~TReplaceWindowLogic() override;

    struct Input {
        std::string Data;
        SearchDataKind DataKind = SearchDataKind::Text;
        std::string ReplaceData;
        SearchDataKind ReplaceKind = SearchDataKind::Text;
        bool SelectionBoxChecked = false;
    };

    // On activation; answers whether the selection box shows.
    bool Activate();
    void SelectionBoxClick(bool checked);
    void SearchNextPress(const Input& input);
    void ReplacePress(const Input& input);
    void ReplaceAllPress(const Input& input);
    // A change of either data text.
    void DataChange();
    // A change of either kind list (replaceList: the replace data's).
    void KindChange(bool replaceList, int index);

    void ResetSearchState();
    // ReplaceWindowSide.
    bool ReplaceWindowVisible() const override;
    void ShowEndReached(bool shown) override;
    void ShowCounts() override;
    void ShowProgress(int percent) override;

    // What a replace press runs (search bytes, length, all flag, replace
    // length, replace bytes, an unused 1): the window's hook, else the
    // finder's ReplaceData.
    std::function<bool(const uint8_t*, int32_t, bool, int32_t, const uint8_t*, int)> ReplaceFunction;

private:
    void Press(const Input& input, bool replace);
    void RunReplace(const Input& input, bool replace);
    void ReportEnd(bool selectionBoxChecked);

    TDataFile& FDocument;
    EditorView& FView;
    TSearchState& S;
    TFindReplace& FFinder;
    ReplaceWindowControls& FControls;
    int32_t FSavedSelStart = 0;
    int32_t FSavedSelEnd = -1;
    int FLastDataKind = 0;
    int FLastReplaceKind = 0;
};
