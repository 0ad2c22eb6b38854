#include "host/RunRecord.h"
#include "host/Selectors.h"

int16_t RunParametersSelector(RunRecord& run) {
    // The host asked for the parameters: this run shows the dialog, unless
    // scripting decides otherwise at start.
    if (run.dialogMode == kDialogModeUndecided) run.dialogMode = kDialogModeShow;
    return 0;
}
