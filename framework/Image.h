#pragma once
// An image: shows an icon of the program, drawn at its own size, or the
// graphic of its picture.
#include <string>

#include "framework/Controls.h"
#include "framework/Graphic.h"

class TImage : public TWinControl {
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;
    std::string ClassName() const override { return "TImage"; }
    // The icon resource of that name in the program; false when there is none.
    bool LoadIcon(const std::string& resourceName);
    // One of the system's shared icons (IDI_...); false when there is none.
    bool LoadSystemIcon(LPCSTR id);
    // The picture (owned), drawn at the top left when there is no icon.
    TPicture* Picture() const { return FPicture; }

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Puts another picture object in place of the image's own, owned from then on.
    void ReplacePicture(TPicture* picture);

private:
    HICON FIcon = nullptr;
    bool FSharedIcon = false;  // the system's: never destroyed
    TPicture* FPicture;
};
