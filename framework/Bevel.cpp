#include "framework/Bevel.h"

TBevel::TBevel(TComponent* owner) : TWinControl(owner) { FVisible = true; }

// The line runs along the left or the bottom edge of the bevel's box; a
// frame runs around the whole box.
void TBevel::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = "STATIC";
    params.Style |= Shape == bsFrame ? SS_ETCHEDFRAME : Shape == bsLeftLine ? SS_ETCHEDVERT : SS_ETCHEDHORZ;
}
