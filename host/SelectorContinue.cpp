#include "filters/ParameterBlock.h"
#include "host/DocumentFacts.h"
#include "host/FullSizeRender.h"
#include "host/HostMessages.h"
#include "host/HostRequests.h"
#include "host/ParametersHandle.h"
#include "host/RunRecord.h"
#include "host/Selectors.h"

int16_t RunContinueSelector(ps::FilterRecord& record, RunRecord& run) {
    // Cleared on every way out, so that the host stops calling continue.
    RequestsClearedOnExit clearOnExit(record);
    if (!run.filter) return ResultCode::kFailure;
    ApplyDocumentFacts(*run.filter, record);
    ResultCode rendered;
    {
        LockedParameters parameters(record, *run.filter);
        rendered = parameters.Status();
        if (rendered.IsSuccess()) {
            parameters.DefaultsUnlessOwnKind(*run.filter);
            rendered = RenderFullSize(record, *run.filter, run, *parameters.Block());
        }
    }
    return HostResultFor(rendered, &record);
}
