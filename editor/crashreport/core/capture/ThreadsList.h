#pragma once
// Every thread of the process the core knows: the main thread first, then
// each thread made through CreateThread or _beginthreadex (hooked in the
// import tables of the program, and of each library that carries the core
// as well, whose copy tells the program's), with the stack of the thread
// that resumed it. The core's own threads are not listed.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct TZorvikThreadRecord {
    uint32_t ThreadId = 0;
    HANDLE Handle = nullptr;  // a duplicate owned by the record
    uint32_t ResumerId = 0;
    int32_t Priority = static_cast<int32_t>(0x80000000);
    uintptr_t StackTop = 0;
    uintptr_t StartAddress = 0;
    void* Parameter = nullptr;
    uintptr_t SavedStackStart = 0;  // where the resumer's stack copy began
    std::vector<uint8_t> SavedStack;
};

class TZorvikThreadsList {
public:
    TZorvikThreadsList();
    ~TZorvikThreadsList();
    void AddMainThread(uint32_t id, HANDLE handle, uintptr_t stackTop);
    void Add(TZorvikThreadRecord record);
    void RemoveThread(uint32_t id);
    // Drops the records of threads that have ended.
    void PurgeDeadThreads();
    void Clear();
    std::vector<uint32_t> Ids() const;
    // A copy of one record; false when the thread is not listed.
    bool Find(uint32_t id, TZorvikThreadRecord& record) const;
    // Notes the resume of a thread: who resumed it and that one's stack.
    void NoteResume(uint32_t id, uint32_t resumer, uintptr_t from, uintptr_t top);
    // The same with the stack already copied (`start`: where the copy began);
    // false when the thread is not listed.
    bool SetResume(uint32_t id, uint32_t resumer, uintptr_t start, std::vector<uint8_t> stack);
    void SetStackTop(uint32_t id, uintptr_t top);

private:
    mutable SRWLOCK FLock = SRWLOCK_INIT;
    std::vector<TZorvikThreadRecord> FItems;
};

TZorvikThreadsList& ZorvikThreads();

// The top of another thread's stack, from its thread information block (a
// record's top is 0 until its own thread has run, as for a library's thread
// told to the program's copy). 0 when it cannot be read.
uintptr_t StackTopOf(HANDLE thread);

// Hooks CreateThread, _beginthreadex, ResumeThread and ExitThread in the
// import tables of the module of that file name (empty: the program). A
// library that hands its faults to the program's copy hooks only its own:
// its hooks tell the program's copy of each thread as well.
void InstallThreadHooks(const std::string& moduleName = "");
