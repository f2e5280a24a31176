#include "editor/crashreport/core/capture/Captures.h"

namespace {
TCaptureSink sink;
}

const char* CaptureKindName(TCaptureKind kind)
{
    switch (kind) {
    case TCaptureKind::FrameworkException: return "framework exception";
    case TCaptureKind::HardwareFault: return "hardware fault";
    case TCaptureKind::UnhandledException: return "unhandled exception";
    case TCaptureKind::ThreadException: return "thread exception";
    case TCaptureKind::FrozenApplication: return "frozen application";
    }
    return "";
}

void SetCaptureSink(TCaptureSink s) { sink = std::move(s); }

std::vector<std::unique_ptr<TCapture>>& CapturedFaults()
{
    static std::vector<std::unique_ptr<TCapture>> list;
    return list;
}

bool DeliverCapture(std::unique_ptr<TCapture> capture)
{
    if (sink)
        return sink(*capture);
    CapturedFaults().push_back(std::move(capture));
    return true;
}
