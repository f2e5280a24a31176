#pragma once
// Ini-style files through the system's private-profile functions. A file
// name without a folder is kept in the settings folder; a file that is not
// writable in place or in the library folder gives the defaults on reading
// and ignores writes.
#include <string>

#include "editor/crashreport/support/texts/TextCollection.h"

std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& def);
int ReadInteger(const std::string& file, const std::string& section, const std::string& key, int def);
bool ReadBool(const std::string& file, const std::string& section, const std::string& key, bool def);
void WriteString(const std::string& file, const std::string& section, const std::string& key,
                 const std::string& value);
void WriteInteger(const std::string& file, const std::string& section, const std::string& key, int value);
void WriteBool(const std::string& file, const std::string& section, const std::string& key, bool value);

// The text-collection files' access to real ini files.
class TPrivateProfileStore : public TProfileStore {
public:
    std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& def) override;
    void WriteString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override;
};
