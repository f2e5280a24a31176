#include "editor/crashreport/support/files/LocalFiles.h"

#include <sys/stat.h>

#include <new>

#ifdef _WIN32
#include <direct.h>
#include <share.h>
#else
#include <cerrno>
#endif

namespace {

bool IsFolder(const std::string& path) {
#ifdef _WIN32
    struct _stat64 st;
    return _stat64(path.c_str(), &st) == 0 && (st.st_mode & _S_IFDIR) != 0;
#else
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
#endif
}

bool MakeFolder(const std::string& path) {
#ifdef _WIN32
    return _mkdir(path.c_str()) == 0;
#else
    return mkdir(path.c_str(), 0777) == 0;
#endif
}

bool IsDelimiter(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

}  // namespace

bool ReadWholeFile(const std::string& name, std::vector<uint8_t>& data) {
    data.clear();
#ifdef _WIN32
    struct _stat64 st;
    if (_stat64(name.c_str(), &st) != 0)
        return false;
    std::FILE* f = _fsopen(name.c_str(), "rb", _SH_DENYWR);
#else
    struct stat st;
    if (stat(name.c_str(), &st) != 0)
        return false;
    std::FILE* f = std::fopen(name.c_str(), "rb");
#endif
    if (f == nullptr)
        return false;
    bool ok = false;
    if ((st.st_mode & S_IFMT) == S_IFREG && st.st_size >= 0 && uint64_t(st.st_size) <= uint64_t(INT32_MAX)) {
        try {
            data.resize(size_t(st.st_size));
            ok = std::fread(data.data(), 1, data.size(), f) == data.size();
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    std::fclose(f);
    if (!ok)
        data.clear();
    return ok;
}

bool FileLocalTime(const std::string& name, std::tm& when) {
#ifdef _WIN32
    struct _stat64 st;
    if (_stat64(name.c_str(), &st) != 0)
        return false;
    __time64_t t = st.st_mtime;
    return _localtime64_s(&when, &t) == 0;
#else
    struct stat st;
    if (stat(name.c_str(), &st) != 0)
        return false;
    time_t t = st.st_mtime;
    return localtime_r(&t, &when) != nullptr;
#endif
}

bool ForceFolders(const std::string& folder) {
    std::string path = folder;
    while (path.size() > 1 && IsDelimiter(path.back()))
        path.pop_back();
    if (path.empty() || IsFolder(path))
        return true;
    // A bare drive ("C:") or the root exists or cannot be made.
    if (path.size() == 2 && path[1] == ':')
        return false;
    size_t cut = path.size();
    while (cut > 0 && !IsDelimiter(path[cut - 1]))
        --cut;
    if (cut > 0 && !ForceFolders(path.substr(0, cut)))
        return false;
    return MakeFolder(path) || IsFolder(path);
}

std::FILE* CreateFileAlways(const std::string& name) {
#ifdef _WIN32
    return _fsopen(name.c_str(), "wb", _SH_DENYWR);
#else
    return std::fopen(name.c_str(), "wb");
#endif
}
