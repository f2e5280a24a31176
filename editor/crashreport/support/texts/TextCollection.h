#pragma once
// Text-collection files: the 158 user texts in an ini-style file, section
// "Exception Log", each text as a line count and one quoted key per line.
#include <string>

#include "editor/crashreport/support/texts/MessageTypes.h"

// The 158 default wordings, in id order.
TCustomizedTexts DefaultCustomizedTexts();

// Ini-style values by file, section and key. ReadString gives a value with
// one pair of enclosing double quotes removed, as the system's profile
// functions do; writes that fail are silent.
class TProfileStore {
public:
    virtual ~TProfileStore() = default;
    virtual std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                                   const std::string& def) = 0;
    virtual void WriteString(const std::string& file, const std::string& section, const std::string& key,
                             const std::string& value) = 0;
};

// Writes `text` split at CR LF: the count key, then each line in double
// quotes under itemPrefix + 0, 1, ...
void WriteRawStrings(TProfileStore& store, const std::string& file, const std::string& section,
                     const std::string& countKey, const std::string& text, const std::string& itemPrefix);

// Reads such a value back; a missing or non-positive count gives `def`, and
// a missing line key gives `def` as that line.
std::string ReadRawStrings(TProfileStore& store, const std::string& file, const std::string& section,
                           const std::string& countKey, const std::string& itemPrefix, const std::string& def);

void SaveCustomizedTextsToFile(TProfileStore& store, const TCustomizedTexts& texts, const std::string& fileName);
// A text missing from the file keeps its current value.
void LoadCustomizedTextsFromFile(TProfileStore& store, TCustomizedTexts& texts, const std::string& fileName);

// The TextsCollection name of a file: its name without the extension.
std::string TextsCollectionName(const std::string& fileName);
