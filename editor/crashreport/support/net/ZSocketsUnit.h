#pragma once
// Start-up and shut-down of the sockets unit, guarded and counted: Winsock
// is started by the first start and cleaned up by the last end.

void ZSocketsInit();
void ZSocketsDone();

// The work itself (ZorvikSockets.cpp).
void StartSockets();
void StopSockets();
