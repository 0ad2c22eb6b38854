#include "filters/Filter.h"
#include "filters/ParameterBlock.h"
#include "host/DialogRunner.h"
#include "host/DocumentFacts.h"
#include "host/DocumentValidation.h"
#include "host/HostMessages.h"
#include "host/HostProperties.h"
#include "host/ParametersHandle.h"
#include "host/RunRecord.h"
#include "host/ScriptingDescriptors.h"
#include "host/SelectionMaskReader.h"
#include "host/Selectors.h"

namespace {

// Creates or locks the parameters and reads what a host action recorded.
ResultCode ReadStoredParameters(ps::FilterRecord& record, RunRecord& run) {
    LockedParameters parameters(record, *run.filter);
    if (parameters.Status().IsFailure()) return parameters.Status();
    // Recorded values are read into a block of this effect, never into what
    // another effect left there (which would be replaced by defaults later).
    parameters.DefaultsUnlessOwnKind(*run.filter);
    run.firstUse = parameters.FreshDefaults() ? 1 : 0;
    const ResultCode read = ReadScriptParameters(record, *run.filter, *parameters.Block(), run);
    // -1: no descriptor to read, which is no error.
    if (read.status == ResultCode::kFailure) return ResultCode::Success();
    return read;
}

ResultCode RunDialog(ps::FilterRecord& record, RunRecord& run) {
    SetBusyCursorSuspended(true);
    ResultCode result;
    {
        LockedParameters parameters(record, *run.filter);
        result = parameters.Status();
        if (result.IsSuccess()) {
            parameters.DefaultsUnlessOwnKind(*run.filter);
            result = RunFilterDialog(*run.filter, *parameters.Block(), run, record);
        }
    }
    run.dialogConfirmed = result.IsSuccess() ? 1 : 0;
    SetBusyCursorSuspended(false);
    return result;
}

// Asks the host for one pixel of input and nothing else, so that it calls
// continue exactly once.
void RequestSingleContinue(ps::FilterRecord& record) {
    record.inRect = ps::Rect16{0, 0, 1, 1};
    record.inLoPlane = 0;
    record.inHiPlane = 0;
    record.outRect = ps::Rect16{0, 0, 0, 0};
    const ps::Rect16 filterRect = record.filterRect;
    record.maskRect = ps::Rect16{filterRect.top, filterRect.left, filterRect.top, filterRect.left};
    record.maskRate = ps::kFixedOne;
}

}  // namespace

int16_t RunStartSelector(ps::FilterRecord& record, RunRecord& run) {
    if (!run.filter) return ResultCode::kFailure;
    Filter& filter = *run.filter;
    ApplyDocumentFacts(filter, record);

    const ResultCode parameters = ReadStoredParameters(record, run);
    if (parameters.IsFailure()) return HostResultFor(parameters, &record);

    record.autoMask = 0;  // the core applies the selection mask itself
    const ResultCode mask = ReadSelectionMask(record, filter, run);
    if (mask.status == ResultCode::kFailure) {
        ShowHostWarning(&record, kMessageSelectionUnreadable);
        return 1;
    }
    if (mask.IsFailure()) return HostResultFor(mask, &record);

    if (!ValidateDocument(filter, record, run.selectionMask->Bounds(), false)) return 1;
    ReadHostPropertiesInto(run);

    if (run.dialogMode == kDialogModeShow && filter.WantsDialog()) {
        const ResultCode dialog = RunDialog(record, run);
        if (dialog.IsFailure()) return HostResultFor(dialog, &record);
    }
    RequestSingleContinue(record);
    return 0;
}
