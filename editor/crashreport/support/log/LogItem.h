#pragma once
// Builds the general part of one crash report: numbered sections of numbered
// name/value lines, laid out in aligned columns with a rule under each title.
#include <cstdint>
#include <string>

#include "framework/Classes.h"

// Every lone CR and every lone LF becomes one CR LF pair.
std::string NormalizeLineBreaks(const std::string& text);

class TLogItem : public TObject {
public:
    explicit TLogItem(int32_t firstHeader);
    std::string ClassName() const override { return "TLogItem"; }

    void Clear();
    void AddHeader(const std::string& title);
    // The item number advances even when the item is left out, so every
    // datum keeps its number from report to report.
    void AddItem(const std::string& label, const std::string& value, bool add);
    // The finished sections: empty ones dropped, values aligned, rules drawn.
    std::string GetString() const;

private:
    std::string FText;
    int32_t FHeader = 0;
    int32_t FItem = 0;
    int32_t FFirstHeader = 0;
};
