#include "editor/crashreport/support/texts/TextCollection.h"

#include <vector>

#include "editor/crashreport/support/texts/CommonStrings.h"
#include "framework/SysUtils.h"

namespace {
const char* const kSection = "Exception Log";
// A damaged or hostile file must not make one text cost millions of reads.
const int32_t kMaxLines = 4096;
}

TCustomizedTexts DefaultCustomizedTexts()
{
    TCustomizedTexts texts;
    for (int id = 0; id < MessageTypeCount; ++id)
        texts[id] = DefaultMessageText(id);
    return texts;
}

void WriteRawStrings(TProfileStore& store, const std::string& file, const std::string& section,
                     const std::string& countKey, const std::string& text, const std::string& itemPrefix)
{
    const std::vector<std::string> lines = SplitText(text, "\r\n");
    store.WriteString(file, section, countKey, IntToStr(static_cast<int64_t>(lines.size())));
    for (size_t k = 0; k < lines.size(); ++k)
        store.WriteString(file, section, itemPrefix + IntToStr(static_cast<int64_t>(k)), "\"" + lines[k] + "\"");
}

std::string ReadRawStrings(TProfileStore& store, const std::string& file, const std::string& section,
                           const std::string& countKey, const std::string& itemPrefix, const std::string& def)
{
    int32_t count = StrToIntDef(store.ReadString(file, section, countKey, "0"), 0);
    if (count < 1)
        return def;
    if (count > kMaxLines)
        count = kMaxLines;
    std::string result;
    for (int32_t k = 0; k < count; ++k) {
        // The store has already taken off the quotes written around the
        // line; a line that itself starts and ends with a quote stays whole.
        result += store.ReadString(file, section, itemPrefix + IntToStr(k), def);
        result += "\r\n";
    }
    result.resize(result.size() - 2);
    return result;
}

void SaveCustomizedTextsToFile(TProfileStore& store, const TCustomizedTexts& texts, const std::string& fileName)
{
    for (int id = 0; id < MessageTypeCount; ++id) {
        const std::string name = MessageTypeName(id);
        WriteRawStrings(store, fileName, kSection, "Count " + name, texts[id], name);
    }
}

void LoadCustomizedTextsFromFile(TProfileStore& store, TCustomizedTexts& texts, const std::string& fileName)
{
    for (int id = 0; id < MessageTypeCount; ++id) {
        const std::string name = MessageTypeName(id);
        texts[id] = ReadRawStrings(store, fileName, kSection, "Count " + name, name, texts[id]);
    }
}

std::string TextsCollectionName(const std::string& fileName)
{
    return WithoutFileExtension(fileName);
}
