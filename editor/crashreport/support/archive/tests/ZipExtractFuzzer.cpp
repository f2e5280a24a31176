// Untrusted archives: extraction never crashes and never writes outside the
// target folder.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "editor/crashreport/support/archive/ZipExtractor.h"

namespace fs = std::filesystem;

namespace {

// A scratch folder per process, gone when the run ends.
struct Scratch {
    fs::path root = fs::temp_directory_path() / ("tq_zip_fuzz_" + std::to_string(getpid()));
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Scratch scratch;
    const fs::path& root = scratch.root;
    fs::remove_all(root);
    fs::create_directories(root / "box");
    std::string archive = (root / "in.zip").string();
    if (FILE* f = std::fopen(archive.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    ExtractZipFiles(archive, (root / "box" / "out").string(), "secret");
    // Only the archive and the box may be in the root, and only "out" in the box.
    for (const auto& entry : fs::directory_iterator(root))
        if (entry.path().filename() != "in.zip" && entry.path().filename() != "box")
            std::abort();
    for (const auto& entry : fs::directory_iterator(root / "box"))
        if (entry.path().filename() != "out")
            std::abort();
    return 0;
}
