#include "viewer/tests/ProgramInstall.h"

#include <cstdlib>
#include <vector>

#include "framework/testing/GuiTest.h"

namespace progtest {

std::string Backslashes(std::string s) {
    for (char& c : s)
        if (c == '/') c = '\\';
    return s;
}

std::string BinaryDir() {
    const char* bin = std::getenv("TQ_BINARY_DIR");
    return Backslashes(bin ? bin : ".");
}

std::string SourceDir() {
    const char* src = std::getenv("TQ_SOURCE_DIR");
    return Backslashes(src ? src : ".");
}

namespace {

// The files of a folder (no sub-folders), by name.
std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((folder + "*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
    } while (FindNextFileA(h, &found));
    FindClose(h);
    return names;
}

std::vector<std::string> FoldersIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((folder + "*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        std::string n = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && n != "." && n != "..") names.push_back(n);
    } while (FindNextFileA(h, &found));
    FindClose(h);
    return names;
}

void RemoveTree(const std::string& folder) {
    for (const std::string& n : FilesIn(folder)) DeleteFileA((folder + n).c_str());
    for (const std::string& n : FoldersIn(folder)) RemoveTree(folder + n + "\\");
    RemoveDirectoryA(folder.c_str());
}

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

struct Search {
    std::string Folder, Class;
    HWND Found = nullptr;
};

BOOL CALLBACK Match(HWND h, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    char cls[64] = {};
    GetClassNameA(h, cls, sizeof cls);
    if (s->Class != cls || !IsWindowVisible(h)) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return TRUE;
    char path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    BOOL named = QueryFullProcessImageNameA(process, 0, path, &size);
    CloseHandle(process);
    if (named && Lower(path).rfind(Lower(s->Folder), 0) == 0) {
        s->Found = h;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

Install::Install(const std::string& name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    Folder_ = std::string(temp) + name + "_" + std::to_string(GetCurrentProcessId()) + "\\";
    RemoveTree(Folder_);  // what an earlier run that was cut short left
    CreateDirectoryA(Folder_.c_str(), nullptr);
}

Install::~Install() { RemoveTree(Folder_); }

void Install::CopyFile(const std::string& from, const std::string& name) {
    if (!::CopyFileA(from.c_str(), (Folder_ + name).c_str(), FALSE) && Failed_.empty()) Failed_ = from;
}

void Install::CopyFolder(const std::string& from, const std::string& name) {
    CreateDirectoryA((Folder_ + name).c_str(), nullptr);
    const std::vector<std::string> files = FilesIn(from);
    if (files.empty() && Failed_.empty()) Failed_ = from;
    for (const std::string& n : files) CopyFile(from + n, name + "\\" + n);
}

void Install::WriteFile(const std::string& name, const std::string& bytes) {
    HANDLE f = CreateFileA((Folder_ + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    if (f == INVALID_HANDLE_VALUE ||
        !::WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
        if (Failed_.empty()) Failed_ = Folder_ + name;
    }
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
}

bool Process::Start(const std::string& program, const std::string& args) {
    std::string cmd = "\"" + program + "\"" + (args.empty() ? "" : " " + args);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    return CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &Info_);
}

int Process::Wait(DWORD ms) {
    if (!Info_.hProcess || WaitForSingleObject(Info_.hProcess, ms) != WAIT_OBJECT_0) return -2;
    DWORD code = 0;
    GetExitCodeProcess(Info_.hProcess, &code);
    return static_cast<int>(code);
}

Process::~Process() {
    if (!Info_.hProcess) return;
    if (Wait(0) == -2) TerminateProcess(Info_.hProcess, 1);
    CloseHandle(Info_.hProcess);
    CloseHandle(Info_.hThread);
}

HWND WindowOfProgramIn(const std::string& folder, const std::string& windowClass) {
    Search s{folder, windowClass};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&s));
    return s.Found;
}

std::string WaitForCaption(const std::string& folder, const std::string& windowClass, const std::string& caption,
                           DWORD ms) {
    std::string seen;
    const DWORD start = GetTickCount();
    do {
        if (HWND w = WindowOfProgramIn(folder, windowClass)) {
            seen = guitest::WindowText(w);
            if (seen == caption) return seen;
        }
        Sleep(20);
    } while (GetTickCount() - start < ms);
    return seen;
}

namespace {
struct Described {
    DWORD Pid;
    std::string Text;
};

BOOL CALLBACK Describe(HWND h, LPARAM p) {
    auto* d = reinterpret_cast<Described*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != d->Pid || !IsWindowVisible(h)) return TRUE;
    char cls[64] = {};
    GetClassNameA(h, cls, sizeof cls);
    d->Text += std::string(d->Text.empty() ? "" : ", ") + cls + " \"" + guitest::WindowText(h) + "\"";
    return TRUE;
}
}  // namespace

std::string DescribeWindowsOf(DWORD pid) {
    Described d{pid, {}};
    EnumWindows(Describe, reinterpret_cast<LPARAM>(&d));
    return d.Text.empty() ? "(no visible window)" : d.Text;
}

HANDLE OpenProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid) : nullptr;
}

}  // namespace progtest
