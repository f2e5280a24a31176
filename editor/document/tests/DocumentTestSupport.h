#pragma once
// Helpers shared by the document's tests.
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "editor/document/DataFile.h"
#include "editor/document/LanguageSystem.h"

inline std::vector<uint8_t> Bytes(const TDataFile& doc) { return std::vector<uint8_t>(doc.data, doc.data + doc.size); }

inline void SetBytes(TDataFile& doc, const std::vector<uint8_t>& bytes) {
    doc.setSize(static_cast<int32_t>(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), doc.data);
}

inline std::vector<uint8_t> Text(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

// The global table filled from the English pack of the source tree.
inline void LoadEnglishPackFromSources() {
    const char* dir = std::getenv("TQ_SOURCE_DIR");
    std::ifstream in(std::string(dir ? dir : "../../..") + "/resources/lang_en.txt", std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    LanguageSystem.parseText(s.str());
}
