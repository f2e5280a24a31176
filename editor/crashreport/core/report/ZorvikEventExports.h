#pragma once
// The events' exported entries (ZorvikLog_*Event), through which another
// module of the process that carries the core delivers an exception's events
// to this one, and the Win32 side of the events' bridge: the other module's
// entries are found by name in the module that holds the exception address.

// Installs the bridge: the runner on the faulting thread, the look-up of
// another module's entries and the options' reload after each event.
void InstallEventBridge();
