#pragma once
// The HTTP connection's wire through the system's WinInet.
#include <memory>

#include "editor/crashreport/support/web/HttpConnection.h"

std::unique_ptr<THttpChannel> NewWinInetChannel();
