#include "framework/Bevel.h"

TBevel::TBevel(TComponent* owner) : TWinControl(owner) { FVisible = true; }

// The line runs along the left or the bottom edge of the bevel's box.
void TBevel::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = "STATIC";
    params.Style |= Shape == bsLeftLine ? SS_ETCHEDVERT : SS_ETCHEDHORZ;
}
