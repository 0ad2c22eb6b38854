#include "host/DialogRunner.h"

#include <utility>

namespace {

FilterDialogRunner& Runner() {
    static FilterDialogRunner runner;
    return runner;
}

}  // namespace

FilterDialogRunner SetFilterDialogRunner(FilterDialogRunner runner) {
    return std::exchange(Runner(), std::move(runner));
}

ResultCode RunFilterDialog(Filter& filter, ParameterBlock& block, RunRecord& run, ps::FilterRecord& record) {
    const FilterDialogRunner& runner = Runner();
    if (!runner) return ResultCode::Failure(kMessageNoDialog);
    return runner(filter, block, run, record);
}
