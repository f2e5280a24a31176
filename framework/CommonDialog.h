#pragma once
// The base of the system's printer and font dialogs: Execute shows the
// dialog modally, owned by the given window, and is true when the user
// accepted. A dialog the system cannot show (no printer, say) is reported
// to the user by the system itself and returns false.
#include <windows.h>

#include <string>

#include "framework/Classes.h"

class TCommonDialog : public TComponent {
public:
    explicit TCommonDialog(TComponent* owner) : TComponent(owner) {}
    std::string ClassName() const override { return "TCommonDialog"; }
    virtual bool Execute(HWND owner) = 0;
};
