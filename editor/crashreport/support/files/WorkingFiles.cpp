#include "editor/crashreport/support/files/WorkingFiles.h"

#include <windows.h>

#include "editor/crashreport/support/system/EnvVariables.h"
#include "editor/crashreport/support/system/SystemFacts.h"
#include "editor/crashreport/support/texts/CommonStrings.h"
#include "framework/SysUtils.h"

namespace {

bool Accessible(const std::string& name, bool readOnly)
{
    return readOnly ? IsReadableFile(name) : IsWritableFile(name);
}

bool DirectoryExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The fallback folder for the component's files, created when missing.
bool FallbackFolder(bool addModuleFolder, std::string& folder)
{
    folder = LibraryFolder();
    if (!ForceDirectoriesEx(folder))
        return false;
    if (addModuleFolder) {
        folder = IncludeLastBackslash(folder) + WithoutFileExtension(ExtractFileNamePart(Real_GetMainModuleFileName()));
        if (!ForceDirectoriesEx(folder))
            return false;
    }
    folder = IncludeLastBackslash(folder);
    return true;
}

} // namespace

std::string AppDataFolder()
{
    // shfolder.dll is looked up at the moment of use, as on old systems.
    using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
    if (HMODULE shfolder = LoadLibraryA("shfolder.dll")) {
        auto getPath = reinterpret_cast<GetFolderPath>(
            reinterpret_cast<void*>(GetProcAddress(shfolder, "SHGetFolderPathA")));
        char path[MAX_PATH + 1] = {};
        const bool ok = getPath && SUCCEEDED(getPath(nullptr, 26 /* CSIDL_APPDATA */, nullptr, 0, path)) && path[0];
        FreeLibrary(shfolder);
        if (ok)
            return path;
    }
    const std::string env = GetEnvVariable("AppData");
    return env.empty() ? "\\" : env;
}

std::string LibraryFolder()
{
    return ExcludeLastBackslash(AppDataFolder()) + "\\ZorvikLog";
}

std::string SettingsFolder()
{
    if (!CurrentWindowsVersion().NT) {
        char windows[MAX_PATH + 1];
        const UINT n = GetWindowsDirectoryA(windows, sizeof windows);
        if (n > 0 && n < sizeof windows)
            return std::string(windows, n);
    }
    return LibraryFolder();
}

bool IsWritableFile(const std::string& name)
{
    const bool existed = GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES;
    HANDLE h = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    if (!existed)
        DeleteFileA(name.c_str());
    return true;
}

bool IsReadableFile(const std::string& name)
{
    HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
}

bool ForceDirectoriesEx(const std::string& path)
{
    if (path.empty())
        return false;
    const std::string dir = ExpandEnvVars(ExcludeLastBackslash(path));
    if (dir.size() <= 2 || DirectoryExists(dir))
        return true;
    const std::string parent = ExcludeLastBackslash(ExtractFileFolder(dir));
    if (parent == dir || parent.empty())
        return true;
    const bool parentOk = ForceDirectoriesEx(parent);
    // A folder made meanwhile by someone else counts as made.
    const bool made = CreateDirectoryA(dir.c_str(), nullptr) || DirectoryExists(dir);
    return parentOk && made;
}

bool GetWorkingFile(std::string& fileName, bool addModuleFolder, bool readOnly)
{
    fileName = ExpandEnvVars(fileName);
    if (Accessible(fileName, readOnly))
        return true;
    std::string folder;
    if (!FallbackFolder(addModuleFolder, folder))
        return false;
    const std::string candidate = folder + ExtractFileNamePart(fileName);
    if (!Accessible(candidate, readOnly))
        return false;
    fileName = candidate;
    return true;
}

bool GetWorkingDir(std::string& folder, bool addModuleFolder, bool readOnly)
{
    std::string probe = IncludeLastBackslash(ExpandEnvVars(folder)) + "X";
    if (!GetWorkingFile(probe, addModuleFolder, readOnly))
        return false;
    folder = ExtractFileFolder(probe);
    return true;
}

std::string OutputFileFor(const std::string& outputPath, const std::string& fileName)
{
    std::string result;
    if (LowerCase(outputPath.size() >= 4 ? outputPath.substr(outputPath.size() - 4) : "") == ".zvf") {
        result = outputPath;
    } else {
        const std::string folder = outputPath.empty() ? ExtractFileFolder(fileName) : IncludeLastBackslash(outputPath);
        result = folder + ExtractFileNamePart(fileName);
    }
    ForceDirectoriesEx(ExtractFileFolder(result));
    GetWorkingFile(result, true, false);
    return result;
}

std::string FileNameSafeComputerName()
{
    std::string name = GetComputerNameText();
    for (char& c : name)
        if (std::string("\"*/:<>?\\|").find(c) != std::string::npos)
            c = '_';
    return name;
}

std::string OutputLogFileFor(const std::string& outputPath, const std::string& moduleName,
                             const std::string& fileName, bool addComputerName)
{
    const std::string name = fileName.empty() ? DotNetHostedFile(moduleName) : fileName;
    std::string result = OutputFileFor(outputPath, WithoutFileExtension(name) + ".zvf");
    if (addComputerName)
        result = WithoutFileExtension(result) + "_" + FileNameSafeComputerName() + ".zvf";
    return result;
}

std::string Real_GetMainModuleFileName()
{
    // The first element of the command line, quoted or not.
    const char* line = GetCommandLineA();
    std::string path;
    if (*line == '"') {
        for (++line; *line && *line != '"'; ++line)
            path += *line;
    } else {
        for (; *line && *line != ' ' && *line != '\t'; ++line)
            path += *line;
    }
    return path;
}

double GetModifiedDate(const std::string& fileName)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(fileName.c_str(), GetFileExInfoStandard, &data))
        return 0;
    FILETIME local;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &st))
        return 0;
    return SystemTimeToDateTime(st);
}

std::string GetLongNameFromShort(const std::string& path)
{
    if (path.find('~') == std::string::npos)
        return path;
    char full[MAX_PATH + 1];
    char* namePart = nullptr;
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, &namePart);
    if (n == 0 || n >= sizeof full)
        return path;
    const std::string expanded(full, n);
    // The root ("C:\" or "\\server\share\") stays as it is.
    size_t at = expanded.find('\\');
    if (expanded.rfind("\\\\", 0) == 0) {
        at = expanded.find('\\', 2);
        at = at == std::string::npos ? at : expanded.find('\\', at + 1);
    }
    if (at == std::string::npos)
        return expanded;
    std::string result = expanded.substr(0, at + 1);
    size_t from = at + 1;
    while (from < expanded.size()) {
        size_t end = expanded.find('\\', from);
        const std::string component = expanded.substr(from, end == std::string::npos ? std::string::npos : end - from);
        WIN32_FIND_DATAA found;
        HANDLE h = FindFirstFileA((result + component).c_str(), &found);
        if (h == INVALID_HANDLE_VALUE) {
            // Not found: the rest goes on unchanged.
            return result + expanded.substr(from);
        }
        FindClose(h);
        result += found.cFileName;
        if (end == std::string::npos)
            break;
        result += '\\';
        from = end + 1;
    }
    return result;
}
