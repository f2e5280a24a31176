#include "editor/crashreport/core/dialogs/DialogState.h"

#include "editor/crashreport/support/files/ProfileFiles.h"

TDialogState& DialogState()
{
    static TDialogState state;
    return state;
}

void NoteDialogPainted()
{
    TDialogState& s = DialogState();
    const bool first = !s.Painted.exchange(true);
    if (first && s.PaintedNotify)
        s.PaintedNotify();
}

TProfileStore& DialogStateStore()
{
    static TPrivateProfileStore store;
    return store;
}
