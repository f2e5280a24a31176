#pragma once
// The layout of a help page: the reader's callbacks become a flat list of
// positioned items (words and word pieces, list markers, pictures, marked
// search hits) in one forward pass. Positions are pixels from the page's top
// left; the page view subtracts its scroll position when it paints.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/PictureLoader.h"
#include "viewer/Sentence.h"
#include "viewer/TextMeasurer.h"
#include "viewer/XmlParser.h"

enum PageItemKind : int32_t {
    pkText = 0,
    pkLink = 1,
    pkItalic = 2,
    pkBold = 3,
    pkBullet = 10,
    pkPicture = 20,
};

// What the items of one layout share: the texts of all items one after the
// other, the link targets and the pictures. Items refer to them by position,
// which keeps an item small: a page of a few megabytes makes a million items.
struct PageStrings {
    std::string Texts;
    std::vector<std::string> Links;  // entry 0 is the empty link
    std::vector<std::unique_ptr<TGraphic>> Pictures;
};

struct PageItem {
    int32_t Y = 0;
    int32_t X = 0;
    int32_t Width = 0;      // of the text, the trailing break character included
    int32_t HitNumber = 0;  // meaningful when Hit is set
    uint32_t TextStart = 0, TextSize = 0;
    int32_t Ref = 0;        // link number of a link item, picture number of a picture
    int8_t Kind = pkText;
    bool Hit = false;
    bool EndsWord = false;  // the text ends with a break character of non-zero width
    uint8_t Size = 12;      // font size in points
    const PageStrings* Strings = nullptr;

    // The text drawn, a trailing break character included.
    std::string_view Text() const {
        return Strings ? std::string_view(Strings->Texts).substr(TextStart, TextSize) : std::string_view();
    }
    // Target of a link item, empty for the others.
    const std::string& Link() const;
    // The picture of a picture item, owned by the layout.
    TGraphic* Picture() const {
        return Kind == pkPicture && Strings ? Strings->Pictures[static_cast<size_t>(Ref)].get() : nullptr;
    }
};

// The items of one layout. A page of a few megabytes makes a million of
// them, so they are held packed: what every item needs in twenty bytes, the
// link or picture number and the hit number only for the items that have
// one, and the text's length taken from where the next item's text starts.
// Reading an item gives the whole PageItem by value.
class PageItems {
public:
    size_t size() const { return Stored_.size(); }
    bool empty() const { return Stored_.empty(); }
    PageItem operator[](size_t i) const;
    PageItem front() const { return (*this)[0]; }
    PageItem back() const { return (*this)[size() - 1]; }

    class const_iterator {
    public:
        using value_type = PageItem;
        using difference_type = std::ptrdiff_t;
        const_iterator(const PageItems* items, size_t i, size_t extra) : Items_(items), I_(i), E_(extra) {}
        PageItem operator*() const { return Items_->At(I_, E_); }
        const_iterator& operator++() {
            ++I_;
            while (E_ < Items_->Extras_.size() && Items_->Extras_[E_].Index < I_) ++E_;
            return *this;
        }
        bool operator==(const const_iterator& o) const { return I_ == o.I_; }
        bool operator!=(const const_iterator& o) const { return I_ != o.I_; }

    private:
        const PageItems* Items_;
        size_t I_;
        size_t E_;  // the first extra not before item I_: walking the items stays linear
    };
    const_iterator begin() const { return {this, 0, 0}; }
    const_iterator end() const { return {this, size(), Extras_.size()}; }

private:
    friend class disphtml;
    struct Stored {
        int32_t Y = 0, X = 0, Width = 0;
        uint32_t TextStart = 0;
        int8_t Kind = pkText;
        uint8_t Size = 12;
        bool Hit = false, EndsWord = false;
    };
    static_assert(sizeof(Stored) == 20, "an item is held in twenty bytes");
    struct Extra {
        uint32_t Index = 0;  // of the item
        int32_t Ref = 0, HitNumber = 0;
    };
    // Item i, its extra (if any) at or after extras position e.
    PageItem At(size_t i, size_t e) const;
    void clear();
    void push_back(const PageItem& item);
    std::deque<Stored> Stored_;
    std::deque<Extra> Extras_;  // by rising item index
    const PageStrings* Strings_ = nullptr;
};

class disphtml : public xml_user {
public:
    static constexpr int kListLevels = 10;
    static constexpr int kColumns = 10;

    disphtml(TextMeasurer& measurer, PictureLoader& pictures);

    // Set by the page view.
    int32_t LeftMargin = 10;
    int32_t LayoutWidth = 0;
    int32_t BaseLineHeight = 18;  // 2 - the pixel height of the view's default font
    int32_t FontSize = 12;        // carries over from one layout to the next
    std::string PageFolder;       // with its trailing backslash
    Sentence SearchWords;

    // Empties the page and the state for a new layout.
    void Reset();
    // Reset, then one pass of the reader over its page. A page whose items
    // do not fit in memory is left empty and OutOfMemory() tells so.
    void LayoutPage(const xml_parser& parser);
    bool OutOfMemory() const { return OutOfMemory_; }

    void StartTag(const std::string& name) override;
    void EndTag(const std::string& name) override;
    void Text(const std::string& text) override;
    void Attribute(const std::string& tag, const std::string& name, const std::string& value) override;

    const PageItems& Items() const { return Items_; }
    const std::string& Title() const { return Title_; }
    int32_t PageHeight() const { return MainY_; }
    int32_t HitCount() const { return HitCount_; }
    const std::vector<int32_t>& HitPositions() const { return HitPositions_; }
    // The first picture or cell width of this layout that had to be skipped,
    // empty when none. The view reports it once per page load.
    const std::string& LayoutError() const { return Error_; }

private:
    struct ListLevel {
        int32_t Kind = 0;  // 1 numbered, 2 bulleted
        int32_t Counter = 0;
    };
    struct Column {
        int32_t Left = 0, Right = 0, Percent = 0, Y = 0;
    };

    int32_t& TargetY();
    void NewLine();
    void ParagraphEnd();
    void RowEnd();
    void OpenList(int32_t kind);
    void CloseList();
    void ListMarker();
    void StartCell();
    void SetCellWidth(const std::string& value);
    void EnterColumn();
    void CompletePercentages();
    void ComputeColumns();
    void AddPicture(const std::string& src);
    void Place(const std::string& text, bool hit, int32_t hitNumber);
    void Append(PageItem item, std::string_view text);
    size_t WordStart();
    bool WordAtIndent(size_t wordStart);
    void Fail(const std::exception& e);

    TextMeasurer& Measurer_;
    PictureLoader& Loader_;

    // Deques, not vectors: a page of a million items never needs twice
    // their memory while it grows.
    PageItems Items_;
    std::unique_ptr<PageStrings> Strings_;  // stays where it is while the layout lives
    int32_t LinkRef_ = 0;                   // link number of the open link; 0 none
    // The trailing items that end no word and stand on one line: the pieces
    // of the word being placed. Whether one of them stands at the indent is
    // kept up to date as items come, so that wrapping never looks back over
    // the whole word again.
    size_t RunStart_ = 0;
    size_t RunChecked_ = 0;
    int32_t RunIndent_ = 0;
    bool RunAtIndent_ = false;
    std::string Title_, LinkTarget_, Error_;
    bool OutOfMemory_ = false;
    std::vector<int32_t> HitPositions_;
    int32_t HitCount_ = 0;

    int32_t MainY_ = 0, X_ = 0, Indent_ = 0, RightEdge_ = 0, LineHeight_ = 0;
    int32_t TargetColumn_ = -1;  // -1: lines advance the main y; else that column's y
    bool InBody_ = false, InTitle_ = false, InLink_ = false, LineHasContent_ = false;
    bool InTable_ = false, TableOpen_ = false, Bold_ = false, Italic_ = false;

    std::array<ListLevel, kListLevels> Lists_{};
    int32_t ListDepth_ = 0;
    int32_t ExcessLists_ = 0;  // levels opened beyond the ones held

    std::array<Column, kColumns> Columns_{};
    int32_t ColumnIndex_ = -1;
    bool CellIgnored_ = false;
};
