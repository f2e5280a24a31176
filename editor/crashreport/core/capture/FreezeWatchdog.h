#pragma once
// The freeze watchdog: a thread of the core that probes the program's main
// window with a null message every 50 ms and, once it has gone unanswered
// for the options' FreezeTimeout seconds, captures a frozen application with
// the main thread's call stack. TZorvikModuleOptionsEx starts and stops it
// when Active or FreezeActivate change.
#include <cstdint>
#include <string>

#include "editor/crashreport/support/options/ModuleOptions.h"

class TZorvikModuleOptionsEx : public TZorvikModuleOptions {
public:
    using TZorvikModuleOptions::TZorvikModuleOptions;
    std::string ClassName() const override { return "TZorvikModuleOptionsEx"; }
    void SetActive(bool value) override;
    void SetFreezeActivate(bool value) override;
    // Publish the options in the module's shared virtual file, and read
    // them from there.
    void StoreSharedData() override;
    void LoadSharedData() override;
};

// Starts the watchdog when FreezeActivate is on and none runs.
void StartFreezeWatchdog();
// Asks the watchdog to end and waits for it; nothing when none runs.
void StopFreezeWatchdog();
bool FreezeWatchdogRunning();
