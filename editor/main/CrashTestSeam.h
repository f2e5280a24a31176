#pragma once
// The test seam of the crash-report component in the editor: when the
// environment variable TESSALY_TEST_CRASH is set at start-up, the editor
// provokes the fault it names once its windows exist ("exception": an
// Exception thrown from a message of the application window, which reaches
// the framework's handler; "access-violation": a write to address 0).
// When TESSALY_TEST_CRASH_OPTIONS names an option file, its options replace
// the editor's built-in crash-report options first (a bad file changes
// nothing). When TESSALY_TEST_CRASH_NOTE names a file, the editor appends
// "started <process id> <current folder>" to it at start-up and moves to the
// system's temporary folder before the fault, so that a restart shows which
// folder the new process starts in. Nothing in the editor's menus reaches it.
void ArmCrashTestSeam();
