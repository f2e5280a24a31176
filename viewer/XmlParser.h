#pragma once
// The one-pass reader of help pages. It knows no document structure: it
// reports start tags, end tags, text and attributes to a handler as it meets
// them, and leaves entities and white space to the handler.
#include <cstdint>
#include <string>

// The handler base; the reader checks Stop before each byte.
class xml_user {
public:
    virtual ~xml_user() = default;
    virtual void StartTag(const std::string& name) {}
    virtual void EndTag(const std::string& name) {}
    virtual void Text(const std::string& text) {}
    virtual void Attribute(const std::string& tag, const std::string& name, const std::string& value) {}
    int Stop = 0;
};

class xml_parser {
public:
    // Replaces the page held with the whole file; -1 (and nothing held) when
    // the file cannot be opened or read.
    int32_t ReadFile(const std::string& path);
    // Holds these bytes as the page (pages that do not come from a file).
    void SetBuffer(std::string bytes);
    bool HasBuffer() const { return HasBuffer_; }
    int32_t Size() const { return static_cast<int32_t>(Buffer_.size()); }
    // One pass over the page held; the page stays for the next pass.
    void Parse(xml_user& handler) const;

private:
    std::string Buffer_;
    bool HasBuffer_ = false;
};
