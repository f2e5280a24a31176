#include "editor/unicode/UvxStdActnsWindow.h"

// What the framework's window actions do is unchanged; a wide caption or
// hint set on one reaches its menu items and buttons wide.
std::string TUvxWindowAction::ClassName() const { return "TUvxWindowAction"; }
std::string TUvxWindowClose::ClassName() const { return "TUvxWindowClose"; }
std::string TUvxWindowCascade::ClassName() const { return "TUvxWindowCascade"; }
std::string TUvxWindowTileHorizontal::ClassName() const { return "TUvxWindowTileHorizontal"; }
std::string TUvxWindowTileVertical::ClassName() const { return "TUvxWindowTileVertical"; }
std::string TUvxWindowMinimizeAll::ClassName() const { return "TUvxWindowMinimizeAll"; }
std::string TUvxWindowArrange::ClassName() const { return "TUvxWindowArrange"; }
