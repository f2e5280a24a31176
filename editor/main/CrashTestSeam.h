#pragma once
// The test seam of the crash-report component in the editor: when the
// environment variable TESSALY_TEST_CRASH is set at start-up, the editor
// provokes the fault it names:
// - "exception": an Exception thrown from a message of the application
//   window once the windows exist, which reaches the framework's handler;
// - "second-exception": the same, and a second one from a message the
//   thread answers while the first is being processed;
// - "access-violation": a write to address 0 once the windows exist;
// - "stack-overflow": a recursion without end once the windows exist;
// - "main-window": an Exception thrown in the main window's constructor;
// - "freeze": the main window is minimised and the main thread then stops
//   answering (for a minute).
// When TESSALY_TEST_CRASH_OPTIONS names an option file, its options replace
// the editor's built-in crash-report options before the first window is made
// (a bad file changes nothing). When TESSALY_TEST_CRASH_NOTE names a file,
// the editor appends "started <process id> <current folder>" to it and moves
// to the system's temporary folder before the fault, so that a restart shows
// which folder the new process starts in. Nothing in the editor's menus
// reaches it.

// Before the first window: the test options and the "main-window" fault.
void PrepareCrashTestSeam();
// Once every window exists: the other faults.
void ArmCrashTestSeam();
