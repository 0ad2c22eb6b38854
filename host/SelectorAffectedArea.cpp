#include "filters/Filter.h"
#include "filters/ParameterBlock.h"
#include "host/DocumentFacts.h"
#include "host/HostMessages.h"
#include "host/ImageFacts.h"
#include "host/ParametersHandle.h"
#include "host/RunRecord.h"
#include "host/ScriptingDescriptors.h"
#include "host/Selectors.h"

int16_t RunAffectedAreaSelector(ps::FilterRecord& record, RunRecord& run) {
    if (!run.filter) return ResultCode::kFailure;
    Filter& filter = *run.filter;
    ApplyDocumentFacts(filter, record);
    // The block stays locked until the effect has answered from it.
    LockedParameters parameters(record, filter);
    if (parameters.Status().IsFailure()) return HostResultFor(parameters.Status(), &record);
    parameters.DefaultsUnlessOwnKind(filter);
    const ResultCode read = ReadScriptParameters(record, filter, *parameters.Block(), run);
    if (read.IsFailure() && read.status != ResultCode::kFailure) return HostResultFor(read, &record);

    const Rect input = RectFromHost(record.inRect);
    const Rect affected = filter.AffectedRect(input, *parameters.Block(), 1.0);
    parameters.Unlock();
    record.outRect = RectToHost(Rect::Union(input, affected));
    return 0;
}
