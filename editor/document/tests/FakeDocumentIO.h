#pragma once
// In-memory files for the document's tests, with the failures a real file
// system can produce on demand.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "editor/document/DocumentIO.h"

class FakeDocumentIO : public DocumentIO {
public:
    struct Message {
        std::string text;
        std::u16string fileName;
        std::string caption;
    };

    std::map<std::u16string, std::vector<uint8_t>> files;
    std::vector<Message> messages;
    int64_t reportedSize = -2;  // when not -2, the size every opened file reports
    int64_t readLimit = -1;     // when >= 0, a read returns at most this many bytes
    int reads = 0;              // read calls made
    int64_t writeLimit = -1;    // when >= 0, a write stores at most this many bytes
    bool refuseCreate = false;
    int openFiles = 0;

    std::unique_ptr<DocumentFile> openForReading(const std::u16string& name) override {
        auto it = files.find(name);
        if (it == files.end()) return nullptr;
        return std::make_unique<File>(*this, it->second);
    }
    std::unique_ptr<DocumentFile> createForWriting(const std::u16string& name) override {
        if (refuseCreate) return nullptr;
        std::vector<uint8_t>& content = files[name];
        content.clear();
        return std::make_unique<File>(*this, content);
    }
    void showFileError(const std::string& text, const std::u16string& fileName, const std::string& caption) override {
        messages.push_back({text, fileName, caption});
    }

private:
    class File : public DocumentFile {
    public:
        File(FakeDocumentIO& io, std::vector<uint8_t>& content) : FIO(io), FContent(content) { ++FIO.openFiles; }
        ~File() override { --FIO.openFiles; }
        int64_t size() override {
            return FIO.reportedSize != -2 ? FIO.reportedSize : static_cast<int64_t>(FContent.size());
        }
        // Reads on from where the last read ended, as a real file does.
        int64_t read(uint8_t* buffer, int32_t count) override {
            ++FIO.reads;
            int64_t n = std::min<int64_t>(count, static_cast<int64_t>(FContent.size()) - FPosition);
            if (FIO.readLimit >= 0) n = std::min(n, FIO.readLimit);
            std::copy(FContent.begin() + FPosition, FContent.begin() + FPosition + n, buffer);
            FPosition += n;
            return n;
        }
        int64_t write(const uint8_t* buffer, int32_t count) override {
            int64_t n = FIO.writeLimit >= 0 ? std::min<int64_t>(count, FIO.writeLimit) : count;
            FContent.insert(FContent.end(), buffer, buffer + n);
            return n;
        }

    private:
        FakeDocumentIO& FIO;
        std::vector<uint8_t>& FContent;
        int64_t FPosition = 0;
    };
};
