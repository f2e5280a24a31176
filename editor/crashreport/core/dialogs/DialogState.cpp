#include "editor/crashreport/core/dialogs/DialogState.h"

#include "editor/crashreport/support/ProfileFiles.h"

TDialogState& DialogState()
{
    static TDialogState state;
    return state;
}

TProfileStore& DialogStateStore()
{
    static TPrivateProfileStore store;
    return store;
}
