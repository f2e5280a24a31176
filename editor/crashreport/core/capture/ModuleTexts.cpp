#include "editor/crashreport/core/capture/ModuleTexts.h"

std::string PriorityClassName(uint32_t c)
{
    switch (c) {
    case 32: return "Normal";
    case 64: return "Low";
    case 128: return "High";
    case 256: return "Real-Time";
    case 16384: return "Below-Normal";
    case 32768: return "Above-Normal";
    default: return "";
    }
}

uint32_t PriorityClassFromBase(int32_t b)
{
    if (b == 0) return 0;
    if (b < 6) return 64;
    if (b < 8) return 16384;
    if (b < 10) return 32;
    if (b < 13) return 32768;
    if (b > 23) return 256;
    return 128;
}

std::string ThreadCountText(uint32_t threads) { return threads == 0 ? "??" : std::to_string(threads); }

std::string SizeText(uint32_t bytes)
{
    if (bytes == 0)
        return "";
    return std::to_string((static_cast<uint64_t>(bytes) + 512) / 1024) + " Kb";
}

std::string ShortVersionText(const std::string& version)
{
    const size_t first = version.find('.');
    const size_t second = first == std::string::npos ? first : version.find('.', first + 1);
    if (second == std::string::npos)
        return version;
    return version.substr(0, second + 1) + "x";
}

std::string ModuleFolder(const std::string& fileName)
{
    std::string name = fileName.compare(0, 4, "\\??\\") == 0 ? fileName.substr(4) : fileName;
    const size_t slash = name.find_last_of('\\');
    if (slash == std::string::npos)
        return "";
    // A drive root such as C:\ keeps its backslash.
    if (slash == 2 && name[1] == ':')
        return name.substr(0, 3);
    return name.substr(0, slash);
}
