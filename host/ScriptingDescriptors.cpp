#include "host/ScriptingDescriptors.h"

#include <cstring>
#include <new>
#include <vector>

#include "filters/Filter.h"
#include "filters/ParameterBlock.h"
#include "filters/ParameterScript.h"
#include "filters/ParameterSet.h"
#include "host/HostHandles.h"
#include "host/RunRecord.h"

namespace {

bool AllReadProcsPresent(const ps::ReadDescriptorProcs& p) {
    return p.openReadDescriptorProc && p.closeReadDescriptorProc && p.getKeyProc && p.getIntegerProc &&
           p.getFloatProc && p.getUnitFloatProc && p.getBooleanProc && p.getTextProc && p.getAliasProc &&
           p.getEnumeratedProc && p.getClassProc && p.getSimpleReferenceProc && p.getObjectProc && p.getCountProc &&
           p.getStringProc && p.getPinnedIntegerProc && p.getPinnedFloatProc && p.getPinnedUnitFloatProc;
}

// Reads every key the descriptor yields into a copy of `block`, which
// replaces the block only when the whole read succeeded.
ResultCode ReadIntoBlock(const ps::FilterRecord& record, const Filter& filter, ParameterBlock& block) {
    const ps::ReadDescriptorProcs& procs = *record.descriptorParameters->readDescriptorProcs;
    ParameterBlock copy = block;
    ParameterSet set;
    const ResultCode built = filter.BuildParameters(set, copy);
    if (built.IsFailure()) return built;
    std::vector<uint32_t> keys = KeyArray(set);
    ps::PIReadDescriptor token = procs.openReadDescriptorProc(record.descriptorParameters->descriptor, keys.data());
    if (token == nullptr) return ResultCode::Failure();
    ResultCode result;
    try {
        result = ReadParameters(set, ScriptReader{procs, token, record.handleProcs});
    } catch (const std::bad_alloc&) {
        result = ResultCode::OutOfMemory();
    }
    procs.closeReadDescriptorProc(token);
    if (result.IsSuccess()) std::memcpy(static_cast<void*>(&block), &copy, sizeof block);
    return result;
}

// Writes the parameters into a new descriptor; `written` is null on failure.
ResultCode WriteIntoDescriptor(const ps::FilterRecord& record, const Filter& filter, ParameterBlock& block,
                               ps::PIDescriptorHandle& written) {
    written = nullptr;
    const ps::WriteDescriptorProcs& procs = *record.descriptorParameters->writeDescriptorProcs;
    if (procs.openWriteDescriptorProc == nullptr || procs.closeWriteDescriptorProc == nullptr) {
        return ResultCode::Failure();
    }
    ParameterSet set;
    const ResultCode built = filter.BuildParameters(set, block);
    if (built.IsFailure()) return built;
    ps::PIWriteDescriptor token = procs.openWriteDescriptorProc();
    if (token == nullptr) return ResultCode::Failure();
    ResultCode result;
    try {
        result = WriteParameters(set, ScriptWriter{procs, token, record.handleProcs});
    } catch (const std::bad_alloc&) {
        result = ResultCode::OutOfMemory();
    }
    // Closed in every case, so that the host frees what it holds for it.
    ps::PIDescriptorHandle closed = nullptr;
    const ps::OSErr closeError = procs.closeWriteDescriptorProc(token, &closed);
    if (result.IsSuccess() && (closeError != ps::noErr || closed == nullptr)) result = ResultCode::Failure();
    if (result.IsFailure()) {
        DisposeHandle(closed);
        return result;
    }
    written = closed;
    return ResultCode::Success();
}

}  // namespace

bool DescriptorUsable(const ps::FilterRecord& record) {
    const ps::PIDescriptorParameters* parameters = record.descriptorParameters;
    if (parameters == nullptr || parameters->descriptorParametersVersion != ps::kCurrentDescriptorParametersVersion) {
        return false;
    }
    const ps::ReadDescriptorProcs* read = parameters->readDescriptorProcs;
    const ps::WriteDescriptorProcs* write = parameters->writeDescriptorProcs;
    if (read == nullptr || write == nullptr) return false;
    if (read->readDescriptorProcsVersion != ps::kCurrentReadDescriptorProcsVersion ||
        read->numReadDescriptorProcs <= 17 || !AllReadProcsPresent(*read)) {
        return false;
    }
    return write->writeDescriptorProcsVersion == ps::kCurrentWriteDescriptorProcsVersion &&
           write->numWriteDescriptorProcs > 15;
}

ResultCode ReadScriptParameters(ps::FilterRecord& record, const Filter& filter, ParameterBlock& block, RunRecord& run) {
    if (!DescriptorUsable(record) || record.descriptorParameters->descriptor == nullptr) return ResultCode::Failure();
    ResultCode result;
    try {
        result = ReadIntoBlock(record, filter, block);
    } catch (const std::bad_alloc&) {
        result = ResultCode::OutOfMemory();
    }
    ps::PIDescriptorParameters& parameters = *record.descriptorParameters;
    DisposeHandle(parameters.descriptor);
    parameters.descriptor = nullptr;
    run.dialogMode = parameters.playInfo == ps::plugInDialogDisplay ? kDialogModeShow : kDialogModeSilent;
    if (result.IsSuccess()) run.readFromScript = 1;
    return result;
}

ResultCode WriteScriptParameters(ps::FilterRecord& record, const Filter& filter, ParameterBlock& block) {
    if (!DescriptorUsable(record)) return ResultCode::Failure();
    ps::PIDescriptorHandle written = nullptr;
    ResultCode result;
    try {
        result = WriteIntoDescriptor(record, filter, block, written);
    } catch (const std::bad_alloc&) {
        result = ResultCode::OutOfMemory();
    }
    if (result.IsFailure()) return result;
    ps::PIDescriptorParameters& parameters = *record.descriptorParameters;
    parameters.recordInfo = ps::plugInDialogOptional;
    DisposeHandle(parameters.descriptor);
    parameters.descriptor = written;
    return ResultCode::Success();
}
