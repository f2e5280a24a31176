#include "viewer/PageTextCache.h"

#include "viewer/PageTextScan.h"

namespace {

// The texts of one page, gathered into strings that keep their memory.
class TextGatherer : public PageTextSink {
public:
    explicit TextGatherer(PageTexts& into) : Into_(into) {
        Into_.Body.clear();
        Into_.Title.clear();
    }
    void BodyText(const char* text, size_t length) override { Into_.Body.append(text, length); }
    void TitleText(const char* text, size_t length) override { Into_.Title.append(text, length); }

private:
    PageTexts& Into_;
};

}  // namespace

// The stamp and the time are taken before the read: a change made while the
// file is read gives it a later stamp than the one kept with its texts.
const PageTexts* PageTextCache::Texts(const std::string& path) {
    PageStamp stamp;
    const bool stamped = Stamps_.Stamp(path, stamp);
    auto found = Entries_.find(path);
    if (stamped && found != Entries_.end() && found->second.Keep && found->second.Stamp == stamp)
        return &found->second.Texts;

    const int64_t now = stamped ? Stamps_.Now() : 0;
    ++FilesRead_;
    if (!Reader_.Read(path)) {
        if (found != Entries_.end()) Entries_.erase(found);
        return nullptr;
    }
    Entry& entry = found != Entries_.end() ? found->second : Entries_[path];
    TextGatherer gather(entry.Texts);
    ScanPageText(Reader_.Data(), Reader_.Size(), gather);
    entry.Stamp = stamp;
    entry.Keep = stamped && now - stamp.WriteTime >= SettledAge;
    return &entry.Texts;
}
