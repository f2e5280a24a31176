#pragma once
// Real programs started from tests: an installation in a temporary folder of
// its own (so that a test meets no copy but its own), processes that are
// ended when the test leaves, and the top-level windows they show.
#include <windows.h>

#include <string>

namespace progtest {

// A temporary folder that is emptied and removed again at the end.
// Failed names the first file that could not be copied.
class Install {
public:
    explicit Install(const std::string& name);
    ~Install();
    Install(const Install&) = delete;
    Install& operator=(const Install&) = delete;

    const std::string& Folder() const { return Folder_; }
    const std::string& Failed() const { return Failed_; }
    // Copies a file under a name relative to the folder.
    void CopyFile(const std::string& from, const std::string& name);
    // Copies the files (not the sub-folders) of a folder into a sub-folder.
    void CopyFolder(const std::string& from, const std::string& name);
    void WriteFile(const std::string& name, const std::string& bytes);

private:
    std::string Folder_;
    std::string Failed_;
};

class Process {
public:
    Process() = default;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();
    bool Start(const std::string& program, const std::string& args);
    // The exit code, or -2 when it did not end in time.
    int Wait(DWORD ms);
    DWORD Id() const { return Info_.dwProcessId; }

private:
    PROCESS_INFORMATION Info_{};
};

// The visible top-level window of a class in any process whose program lies
// in folder (compared without regard to case); nullptr when none.
HWND WindowOfProgramIn(const std::string& folder, const std::string& windowClass);
// Waits up to ms for such a window to show caption; gives the caption last
// seen (empty when no window showed).
std::string WaitForCaption(const std::string& folder, const std::string& windowClass, const std::string& caption,
                           DWORD ms = 10000);
// The classes and captions of a process's visible top-level windows, for
// the message of a test that did not find the one it waited for.
std::string DescribeWindowsOf(DWORD pid);
// The process of a window, opened for waiting; nullptr when it is gone.
HANDLE OpenProcessOf(HWND window);

// A path with forward slashes turned into backslashes.
std::string Backslashes(std::string s);
// TQ_BINARY_DIR and TQ_SOURCE_DIR, with backslashes.
std::string BinaryDir();
std::string SourceDir();

}  // namespace progtest
