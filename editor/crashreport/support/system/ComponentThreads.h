#pragma once
// The crash-report component's own threads (processing, freeze watchdog,
// send and send-progress dialog) start through the system's CreateThread
// itself, never through the program's import entry that the core hooks: they
// are never listed among the program's threads, wrapped or paused by a report.
#include <windows.h>

HANDLE CreateComponentThread(LPTHREAD_START_ROUTINE routine, void* parameter, DWORD flags = 0);
