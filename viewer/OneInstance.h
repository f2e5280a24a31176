#pragma once
// The single-instance block: a 4-byte shared-memory block, named after the
// program file, holding the running viewer's window handle.
#include <windows.h>

#include <string>

class TOneInstance {
public:
    TOneInstance() = default;
    ~TOneInstance();
    TOneInstance(const TOneInstance&) = delete;
    TOneInstance& operator=(const TOneInstance&) = delete;

    // The window of the running viewer, or nullptr when none has registered.
    HWND Find(const std::string& name);
    // Publishes window under name for as long as this process runs.
    void Register(const std::string& name, HWND window);
    bool Holding() const { return Mapping_ != nullptr; }

private:
    HANDLE Mapping_ = nullptr;
};

// The process's one holder.
extern TOneInstance OneInstance;
