#include "viewer/PageLayout.h"

#include <algorithm>
#include <limits>
#include <new>

#include "framework/Exceptions.h"
#include "framework/SysUtils.h"
#include "viewer/PageTextDecoder.h"
#include "viewer/TextSearch.h"

namespace {

int32_t Clamp32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

void Grow(int32_t& v, int64_t by) { v = Clamp32(static_cast<int64_t>(v) + by); }

// Where a line may break: after anything that is not a printable ASCII
// character, and after a hyphen. Bytes from 0x80 up are letters of the
// ANSI code page (and 0xA0 the no-break space), so they never break.
bool IsBreak(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return u <= 32 || u == 127 || c == '-';
}

bool IsTag(const std::string& name, const char* tag) { return SameText(name, tag); }

unsigned char Fold(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 32) : u;
}

// Where the word next occurs at or after from, letters a-z compared without
// regard to case as FindText compares them; npos when it does not.
size_t FindFrom(const std::string& text, const std::string& word, size_t from) {
    auto at = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), word.begin(), word.end(),
                          [](char a, char b) { return Fold(a) == Fold(b); });
    return at == text.end() ? std::string::npos : static_cast<size_t>(at - text.begin());
}

const std::string kNoLink;

}  // namespace

const std::string& PageItem::Link() const {
    return Kind == pkLink && Strings ? Strings->Links[static_cast<size_t>(Ref)] : kNoLink;
}

PageItem PageItems::operator[](size_t i) const {
    auto at = std::lower_bound(Extras_.begin(), Extras_.end(), i,
                               [](const Extra& e, size_t index) { return e.Index < index; });
    return At(i, static_cast<size_t>(at - Extras_.begin()));
}

PageItem PageItems::At(size_t i, size_t e) const {
    const Stored& s = Stored_[i];
    PageItem item;
    item.Y = s.Y;
    item.X = s.X;
    item.Width = s.Width;
    item.TextStart = s.TextStart;
    size_t end = i + 1 < Stored_.size() ? Stored_[i + 1].TextStart : (Strings_ ? Strings_->Texts.size() : 0);
    item.TextSize = static_cast<uint32_t>(end - s.TextStart);
    item.Kind = s.Kind;
    item.Size = s.Size;
    item.Hit = s.Hit;
    item.EndsWord = s.EndsWord;
    item.Strings = Strings_;
    if (e < Extras_.size() && Extras_[e].Index == i) {
        item.Ref = Extras_[e].Ref;
        item.HitNumber = Extras_[e].HitNumber;
    }
    return item;
}

void PageItems::clear() {
    Stored_.clear();
    Extras_.clear();
}

// Items come with their texts in order: each text starts where the one
// before it ended.
void PageItems::push_back(const PageItem& item) {
    if (item.Ref != 0 || item.HitNumber != 0)
        Extras_.push_back({static_cast<uint32_t>(Stored_.size()), item.Ref, item.HitNumber});
    Stored_.push_back({item.Y, item.X, item.Width, item.TextStart, item.Kind, item.Size, item.Hit, item.EndsWord});
}

disphtml::disphtml(TextMeasurer& measurer, PictureLoader& pictures) : Measurer_(measurer), Loader_(pictures) {
    Reset();
}

void disphtml::Reset() {
    Items_.clear();
    Strings_ = std::make_unique<PageStrings>();
    Items_.Strings_ = Strings_.get();
    Strings_->Links.emplace_back();
    LinkRef_ = 0;
    RunStart_ = RunChecked_ = 0;
    RunIndent_ = 0;
    RunAtIndent_ = false;
    InBody_ = InTitle_ = InLink_ = LineHasContent_ = InTable_ = TableOpen_ = Bold_ = Italic_ = false;
    ListDepth_ = ExcessLists_ = 0;
    LineHeight_ = 0;
    Title_.clear();
    LinkTarget_.clear();
    Error_.clear();
    HitPositions_.clear();
    HitCount_ = 0;
    MainY_ = X_ = Indent_ = LeftMargin;
    TargetColumn_ = -1;
    RightEdge_ = Clamp32(static_cast<int64_t>(LayoutWidth) - 10 - 20);
    CellIgnored_ = false;
}

void disphtml::LayoutPage(const xml_parser& parser) {
    Reset();
    // The items' texts are the page's texts with their runs of blanks
    // folded: room for the page's bytes holds them without ever doubling.
    OutOfMemory_ = false;
    try {
        Strings_->Texts.reserve(static_cast<size_t>(std::max(parser.Size(), 0)));
        parser.Parse(*this);
    } catch (const std::bad_alloc&) {
        Reset();  // what the page took is given back first
        OutOfMemory_ = true;
    }
}

// Every item comes through here: its text joins the shared texts and the
// word being placed grows or starts anew.
void disphtml::Append(PageItem item, std::string_view text) {
    item.Strings = Strings_.get();
    item.TextStart = static_cast<uint32_t>(Strings_->Texts.size());
    item.TextSize = static_cast<uint32_t>(text.size());
    Strings_->Texts.append(text);
    size_t k = Items_.size();
    bool continues = RunStart_ < k && Items_.Stored_.back().Y == item.Y;
    if (item.EndsWord || !continues) {
        RunStart_ = item.EndsWord ? k + 1 : k;
        RunChecked_ = RunStart_;
        RunAtIndent_ = false;
    }
    Items_.push_back(item);
}

// The first of the trailing items that belong to the word being placed: the
// items that end no word, on the line being filled.
size_t disphtml::WordStart() {
    if (RunStart_ >= Items_.size() || Items_.Stored_.back().Y != TargetY()) return Items_.size();
    return RunStart_;
}

// Whether one of the word's pieces stands at the indent, in which case the
// word began at the start of the line and does not wrap.
bool disphtml::WordAtIndent(size_t wordStart) {
    if (wordStart != RunStart_) return false;  // no pieces
    if (RunIndent_ != Indent_) {
        RunIndent_ = Indent_;
        RunChecked_ = RunStart_;
        RunAtIndent_ = false;
    }
    for (; RunChecked_ < Items_.size(); ++RunChecked_) RunAtIndent_ |= Items_.Stored_[RunChecked_].X == Indent_;
    return RunAtIndent_;
}

int32_t& disphtml::TargetY() { return TargetColumn_ < 0 ? MainY_ : Columns_[static_cast<size_t>(TargetColumn_)].Y; }

void disphtml::Fail(const std::exception& e) {
    if (Error_.empty()) Error_ = e.what();
}

// ---- lines ---------------------------------------------------------------

void disphtml::NewLine() {
    Grow(TargetY(), LineHasContent_ ? LineHeight_ : BaseLineHeight);
    X_ = Indent_;
    LineHasContent_ = false;
    LineHeight_ = 0;
}

void disphtml::ParagraphEnd() {
    if (LineHasContent_) {
        Grow(TargetY(), static_cast<int64_t>(LineHeight_) + BaseLineHeight);
        LineHasContent_ = false;
        LineHeight_ = 0;
    }
    X_ = Indent_;
}

void disphtml::RowEnd() {
    int32_t m = -1;
    for (const Column& c : Columns_) m = std::max(m, c.Y);
    for (Column& c : Columns_) c.Y = Clamp32(static_cast<int64_t>(m + 1.5 * BaseLineHeight));
    MainY_ = Clamp32(static_cast<int64_t>(m) + BaseLineHeight);
    X_ = LeftMargin;
    LineHasContent_ = false;
    LineHeight_ = 0;
}

// ---- lists ---------------------------------------------------------------

// Levels beyond the ones held are counted, so that their end tags match,
// but change nothing: their items go on in the innermost level held.
void disphtml::OpenList(int32_t kind) {
    if (ListDepth_ >= kListLevels) {
        ++ExcessLists_;
        return;
    }
    Lists_[static_cast<size_t>(ListDepth_)] = {kind, 0};
    ++ListDepth_;
    Grow(Indent_, 2 * static_cast<int64_t>(BaseLineHeight));
}

// An end tag with no open level closes nothing.
void disphtml::CloseList() {
    if (ExcessLists_ > 0) {
        --ExcessLists_;
    } else if (ListDepth_ > 0) {
        --ListDepth_;
        Grow(Indent_, -2 * static_cast<int64_t>(BaseLineHeight));
    }
}

void disphtml::ListMarker() {
    if (ListDepth_ == 0) return;
    ListLevel& level = Lists_[static_cast<size_t>(ListDepth_ - 1)];
    if (level.Counter < std::numeric_limits<int32_t>::max()) ++level.Counter;
    PageItem item;
    item.Size = static_cast<uint8_t>(FontSize);
    if (level.Kind == 1) {
        item.Kind = pkText;
        item.X = Clamp32(static_cast<int64_t>(X_ - 1.4 * BaseLineHeight));
        item.Y = TargetY();
        Append(item, IntToStr(level.Counter) + ".");
    } else {
        item.Kind = pkBullet;
        item.X = Clamp32(static_cast<int64_t>(X_) - BaseLineHeight);
        item.Y = Clamp32(static_cast<int64_t>(TargetY() + 0.7 * BaseLineHeight));
        Append(item, {});
    }
}

// ---- tables --------------------------------------------------------------

// A cell outside any table is ignored (its text flows on as ordinary text);
// a cell before the first row of a table opens that row. Cells beyond the
// columns held share the last column.
void disphtml::StartCell() {
    CellIgnored_ = !TableOpen_;
    if (CellIgnored_) return;
    if (!InTable_) {
        InTable_ = true;
        ColumnIndex_ = -1;
    }
    if (ColumnIndex_ < kColumns) ++ColumnIndex_;
    EnterColumn();
}

void disphtml::EnterColumn() {
    TargetColumn_ = std::min(ColumnIndex_, kColumns - 1);
    const Column& c = Columns_[static_cast<size_t>(TargetColumn_)];
    X_ = Indent_ = c.Left;
    RightEdge_ = c.Right;
}

// The value is a percentage whose last character (the percent sign) is
// dropped whatever it is. A width that is no decimal number is skipped and
// the cell keeps its natural width; one above 100 fills the row.
void disphtml::SetCellWidth(const std::string& value) {
    if (CellIgnored_ || ColumnIndex_ < 0 || ColumnIndex_ >= kColumns) return;
    std::string number = value.empty() ? value : value.substr(0, value.size() - 1);
    bool decimal = !number.empty() && std::all_of(number.begin(), number.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
    int64_t percent = 0;
    if (!decimal || !TryStrToInt64(number, percent)) {
        Fail(EConvertError("'" + number + "' is not a valid integer value"));
        return;
    }
    Columns_[static_cast<size_t>(ColumnIndex_)].Percent = static_cast<int32_t>(std::min<int64_t>(percent, 100));
    CompletePercentages();
    ComputeColumns();
    EnterColumn();
}

void disphtml::CompletePercentages() {
    int64_t sum = 0;
    for (Column& c : Columns_) {
        if (c.Percent == 0) {
            c.Percent = static_cast<int32_t>(std::max<int64_t>(0, 100 - sum));
            return;
        }
        sum += c.Percent;
    }
}

void disphtml::ComputeColumns() {
    int64_t s = 0, sum = 0;
    for (Column& c : Columns_) {
        c.Left = Clamp32(s + 10);
        s += (static_cast<int64_t>(LayoutWidth) - 20) * c.Percent / 100;
        c.Right = Clamp32(s - 10);
        sum += c.Percent;
        if (sum >= 100) break;
    }
}

// ---- pictures ------------------------------------------------------------

// A picture that cannot be loaded is left out; the rest of the page is
// still laid out and the first such error is kept for the view to report.
void disphtml::AddPicture(const std::string& src) {
    std::unique_ptr<TGraphic> picture;
    try {
        picture = Loader_.Load(PageFolder + src);
    } catch (const std::exception& e) {
        Fail(e);
        return;
    }
    if (!picture) return;
    PageItem item;
    item.Y = TargetY();
    item.X = X_;
    item.Kind = pkPicture;
    item.Size = static_cast<uint8_t>(FontSize);
    item.Ref = static_cast<int32_t>(Strings_->Pictures.size());
    Grow(X_, static_cast<int64_t>(picture->Width()) + 2);
    LineHasContent_ = true;
    LineHeight_ = Clamp32(std::max<int64_t>(LineHeight_, static_cast<int64_t>(picture->Height()) + 2));
    Strings_->Pictures.push_back(std::move(picture));
    Append(item, {});
}

// ---- tags ----------------------------------------------------------------

void disphtml::StartTag(const std::string& name) {
    if (IsTag(name, "h1")) {
        ParagraphEnd();
        FontSize = 30;
    } else if (IsTag(name, "h2")) {
        ParagraphEnd();
        FontSize = 20;
    } else if (IsTag(name, "h3")) {
        ParagraphEnd();
        FontSize = 14;
    } else if (IsTag(name, "ol")) {
        OpenList(1);
        NewLine();
    } else if (IsTag(name, "ul")) {
        OpenList(2);
        NewLine();
    } else if (IsTag(name, "li")) {
        NewLine();
        ListMarker();
    } else if (IsTag(name, "td")) {
        StartCell();
    } else if (IsTag(name, "table")) {
        NewLine();
        Columns_[0].Percent = 100;
        for (size_t i = 1; i < Columns_.size(); ++i) Columns_[i].Percent = 0;
        ComputeColumns();
        for (Column& c : Columns_) c.Y = MainY_;
        TableOpen_ = true;
    } else if (IsTag(name, "tr")) {
        // A row outside any table would take the row height of columns
        // long left behind and throw the page back up; it is ignored.
        if (!TableOpen_) return;
        RowEnd();
        InTable_ = true;
        ColumnIndex_ = -1;
    } else if (IsTag(name, "b")) {
        Bold_ = true;
    } else if (IsTag(name, "i")) {
        Italic_ = true;
    } else if (IsTag(name, "br")) {
        NewLine();
    } else if (IsTag(name, "p")) {
        ParagraphEnd();
    } else if (IsTag(name, "a")) {
        InLink_ = true;
    } else if (IsTag(name, "title")) {
        InTitle_ = true;
    } else if (IsTag(name, "body")) {
        InBody_ = true;
    }
}

void disphtml::EndTag(const std::string& name) {
    if (IsTag(name, "h1") || IsTag(name, "h2") || IsTag(name, "h3")) {
        FontSize = 12;
        ParagraphEnd();
    } else if (IsTag(name, "ol") || IsTag(name, "ul")) {
        CloseList();
        ParagraphEnd();
    } else if (IsTag(name, "b")) {
        Bold_ = false;
    } else if (IsTag(name, "i")) {
        Italic_ = false;
    } else if (IsTag(name, "table")) {
        if (!TableOpen_) return;
        TargetColumn_ = -1;
        Indent_ = LeftMargin;
        RightEdge_ = Clamp32(static_cast<int64_t>(LayoutWidth) - 30);
        RowEnd();
        NewLine();
        InTable_ = false;
        TableOpen_ = false;
    } else if (IsTag(name, "a")) {
        LinkTarget_.clear();
        LinkRef_ = 0;
        InLink_ = false;
    } else if (IsTag(name, "title")) {
        InTitle_ = false;
    } else if (IsTag(name, "body")) {
        InBody_ = false;
    }
}

void disphtml::Attribute(const std::string& tag, const std::string& name, const std::string& value) {
    if (IsTag(tag, "img") && IsTag(name, "src"))
        AddPicture(value);
    else if (IsTag(tag, "td") && IsTag(name, "width"))
        SetCellWidth(value);
    else if (IsTag(tag, "a") && IsTag(name, "href")) {
        LinkTarget_ = value;
        LinkRef_ = static_cast<int32_t>(Strings_->Links.size());
        Strings_->Links.push_back(value);
    }
}

// ---- text ----------------------------------------------------------------

void disphtml::Text(const std::string& raw) {
    if (InTitle_) Title_ += raw;
    if (!InBody_) return;
    std::string text = DecodePageText(raw);
    if (text.empty()) return;
    bool blank = Trim(text).empty();
    if (!LineHasContent_) {
        if (blank) return;
        size_t start = 0;
        while (start < text.size() && static_cast<unsigned char>(text[start]) <= ' ') ++start;
        text.erase(0, start);
    }
    if (!blank) LineHasContent_ = true;

    // Each word remembers where it occurs next, so the text is searched
    // once per word however many hits it holds.
    std::vector<std::string> words;
    for (int32_t i = 0; i < SearchWords.Count(); ++i) {
        std::string w = SearchWords.Word(i);
        if (!w.empty()) words.push_back(std::move(w));
    }
    std::vector<size_t> next(words.size(), 0);
    for (size_t i = 0; i < words.size(); ++i) next[i] = FindFrom(text, words[i], 0);
    size_t from = 0;
    for (;;) {
        size_t best = std::string::npos, bestLength = 0;
        for (size_t i = 0; i < words.size(); ++i) {
            if (next[i] != std::string::npos && next[i] < from) next[i] = FindFrom(text, words[i], from);
            if (next[i] < best) best = next[i], bestLength = words[i].size();
        }
        if (best == std::string::npos) break;
        if (best > from) Place(text.substr(from, best - from), false, 0);
        Place(text.substr(best, bestLength), true, HitCount_);
        if (HitCount_ < std::numeric_limits<int32_t>::max()) ++HitCount_;
        HitPositions_.push_back(TargetY());
        from = best + bestLength;
    }
    if (from < text.size()) Place(text.substr(from), false, 0);
}

// Places a text segment by segment, each ending at a break character. A
// word that no longer fits moves to the next line together with the pieces
// of it already placed (a word split by tags wraps as one piece) unless it
// began at the line's start, where it overflows instead.
void disphtml::Place(const std::string& text, bool hit, int32_t hitNumber) {
    PageItem tmpl;
    tmpl.Kind = pkText;
    if (Bold_) tmpl.Kind = pkBold;
    if (Italic_) tmpl.Kind = pkItalic;
    if (InLink_) {
        tmpl.Kind = pkLink;
        tmpl.Ref = LinkRef_;
    }
    tmpl.Hit = hit;
    tmpl.HitNumber = hitNumber;
    tmpl.Size = static_cast<uint8_t>(FontSize);
    int32_t fontLine = Clamp32(2 - static_cast<int64_t>(Measurer_.SelectFont(tmpl.Kind, tmpl.Size)));
    LineHeight_ = std::max(LineHeight_, fontLine);
    if (RightEdge_ < 30) return;

    size_t segStart = 0;
    bool first = true;
    for (size_t i = 0; i <= text.size(); ++i) {
        bool atEnd = i == text.size();
        if (!atEnd && !IsBreak(text[i])) continue;
        int64_t w = Measurer_.TextWidth(text.substr(segStart, i - segStart));
        if (static_cast<int64_t>(X_) + w > RightEdge_ && i > segStart && X_ != Indent_) {
            // The word's earlier pieces: the items before this one that
            // end no word, on this line.
            size_t wordStart = first ? WordStart() : Items_.size();
            if (!WordAtIndent(wordStart)) {
                X_ = Indent_;
                Grow(TargetY(), LineHeight_);
                LineHeight_ = fontLine;
                for (size_t k = wordStart; k < Items_.size(); ++k) {
                    PageItems::Stored& moved = Items_.Stored_[k];
                    moved.Y = TargetY();
                    moved.X = X_;
                    Grow(X_, moved.Width);
                }
                // The moved pieces now start the line at the indent.
                RunIndent_ = Indent_;
                RunChecked_ = Items_.size();
                RunAtIndent_ = wordStart < Items_.size();
            }
        }
        int64_t f = atEnd ? 0 : Measurer_.TextWidth(std::string(1, text[i]));
        if (!(atEnd && i == segStart)) {  // an empty piece at the end would show nothing
            PageItem item = tmpl;
            item.Y = TargetY();
            item.X = X_;
            item.Width = Clamp32(w + f);
            item.EndsWord = f != 0;
            Append(item, std::string_view(text).substr(segStart, i - segStart + (atEnd ? 0 : 1)));
        }
        Grow(X_, w + f);
        segStart = i + 1;
        first = false;
    }
}
