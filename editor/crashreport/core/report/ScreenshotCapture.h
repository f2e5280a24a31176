#pragma once
// The screenshot of a report: the screen (or the active window) as it was at
// the error, with a red frame around the focused control and the cursor
// drawn in, reduced to 256 colours and written as a PNG picture. One capture
// at a time, held in the process between the capture and the write.
#include <windows.h>

#include <string>

#include "framework/Streams.h"

// The focused window and the cursor shape, recorded in the faulting thread
// before processing starts.
void RememberScreenshotFocus();
void SetScreenshotFocus(HWND focusWindow, HCURSOR cursor);

// Takes the picture: the foreground window alone with onlyActiveWindow,
// else the monitors that the process's visible windows lie on. False when
// nothing could be captured (nothing is then held).
bool CaptureScreenshot(bool onlyActiveWindow);
bool ScreenshotCaptured();
// Reduces the held picture to 256 colours and writes it as PNG at the
// stream's position; raises on a write error.
void WriteScreenshot(TStream& stream);
// Writes the held picture to a file; a failure leaves no file. False then.
bool WriteScreenshotFile(const std::string& fileName);
void ReleaseScreenshot();

// The exported forms: capture, write, release; the active window alone when
// the core's options ask for it (sndUseOnlyActiveWindow). An empty file name
// skips the write.
bool SaveScreenshot(const std::string& fileName);
bool SaveScreenshotToStream(TStream& stream);
// The same with the choice given.
bool SaveScreenshot(const std::string& fileName, bool onlyActiveWindow);
bool SaveScreenshotToStream(TStream& stream, bool onlyActiveWindow);
