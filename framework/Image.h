#pragma once
// An image: shows an icon of the program, drawn at its own size.
#include <string>

#include "framework/Controls.h"

class TImage : public TWinControl {
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;
    std::string ClassName() const override { return "TImage"; }
    // The icon resource of that name in the program; false when there is none.
    bool LoadIcon(const std::string& resourceName);

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    HICON FIcon = nullptr;
};
