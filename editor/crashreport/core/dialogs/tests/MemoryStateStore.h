#pragma once
// A profile store in memory for the state-file tests: what was written and
// what a read sees.
#include <map>
#include <string>
#include <tuple>

#include "editor/crashreport/support/texts/TextCollection.h"

class TMemoryStateStore : public TProfileStore {
public:
    using TKey = std::tuple<std::string, std::string, std::string>;
    std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& def) override
    {
        auto it = Values.find({file, section, key});
        return it == Values.end() ? def : it->second;
    }
    void WriteString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override
    {
        Values[{file, section, key}] = value;
    }
    void Set(const std::string& key, const std::string& value) { Values[{"ZorvikLog.ini", "Coordinates", key}] = value; }
    bool Has(const std::string& key) const { return Values.count({"ZorvikLog.ini", "Coordinates", key}) > 0; }
    std::string Get(const std::string& key) const
    {
        auto it = Values.find({"ZorvikLog.ini", "Coordinates", key});
        return it == Values.end() ? "<none>" : it->second;
    }
    std::map<TKey, std::string> Values;
};
