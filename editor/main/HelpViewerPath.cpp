#include "editor/main/HelpViewerPath.h"

std::string HelpViewerPath(const std::string& exePath, const std::string& helpDir) {
    size_t cut = exePath.find_last_of("\\/:");
    std::string folder = cut == std::string::npos ? std::string() : exePath.substr(0, cut + 1);
    return folder + helpDir + "Vellumo.exe";
}
