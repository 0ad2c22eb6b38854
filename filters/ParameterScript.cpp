#include "filters/ParameterScript.h"

#include <cstring>
#include <limits>

#include "filters/Filter.h"
#include "filters/ParameterSet.h"

namespace {

// A host whose getKeyProc never runs dry would hold the walk forever; no
// effect has anywhere near this many keys.
constexpr int kMaxDescriptorKeys = 4096;

ResultCode FromHost(ps::OSErr error) { return error == ps::noErr ? ResultCode::Success() : ResultCode::Failure(); }

bool CanUseHandles(const ps::HandleProcs* handles) {
    return handles != nullptr && handles->newProc != nullptr && handles->disposeProc != nullptr &&
           handles->getSizeProc != nullptr && handles->lockProc != nullptr && handles->unlockProc != nullptr;
}

}  // namespace

ResultCode PutFloat(const ScriptWriter& writer, uint32_t key, double value) {
    if (writer.procs.putFloatProc == nullptr) return ResultCode::Failure();
    return FromHost(writer.procs.putFloatProc(writer.token, key, &value));
}

ResultCode PutInteger(const ScriptWriter& writer, uint32_t key, int32_t value) {
    if (writer.procs.putIntegerProc == nullptr) return ResultCode::Failure();
    return FromHost(writer.procs.putIntegerProc(writer.token, key, value));
}

ResultCode PutBoolean(const ScriptWriter& writer, uint32_t key, bool value) {
    if (writer.procs.putBooleanProc == nullptr) return ResultCode::Failure();
    return FromHost(writer.procs.putBooleanProc(writer.token, key, value ? 1 : 0));
}

ResultCode PutEnumerated(const ScriptWriter& writer, uint32_t key, uint32_t type, uint32_t value) {
    if (writer.procs.putEnumeratedProc == nullptr) return ResultCode::Failure();
    return FromHost(writer.procs.putEnumeratedProc(writer.token, key, type, value));
}

ResultCode PutText(const ScriptWriter& writer, uint32_t key, const std::string& text) {
    if (writer.procs.putTextProc == nullptr || !CanUseHandles(writer.handles)) return ResultCode::Failure();
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) return ResultCode::Failure();
    const ps::HandleProcs& handles = *writer.handles;
    ps::Handle handle = handles.newProc(static_cast<int32_t>(text.size()));
    if (handle == nullptr) return ResultCode::Failure();
    if (!text.empty()) {
        ps::Ptr data = handles.lockProc(handle, 0);
        if (data == nullptr) {
            handles.disposeProc(handle);
            return ResultCode::Failure();
        }
        std::memcpy(data, text.data(), text.size());
        handles.unlockProc(handle);
    }
    const ps::OSErr error = writer.procs.putTextProc(writer.token, key, handle);
    handles.disposeProc(handle);
    return FromHost(error);
}

ResultCode GetFloat(const ScriptReader& reader, double& value) {
    if (reader.procs.getFloatProc == nullptr) return ResultCode::Failure();
    double read = 0.0;
    const ResultCode result = FromHost(reader.procs.getFloatProc(reader.token, &read));
    if (result.IsSuccess()) value = read;
    return result;
}

ResultCode GetPinnedFloat(const ScriptReader& reader, double minimum, double maximum, double& value) {
    if (reader.procs.getPinnedFloatProc == nullptr) return ResultCode::Failure();
    double read = 0.0;
    const ps::OSErr error = reader.procs.getPinnedFloatProc(reader.token, &minimum, &maximum, &read);
    if (error != ps::noErr && error != ps::coercedParamErr) return ResultCode::Failure();
    value = read;
    return ResultCode::Success();
}

ResultCode GetInteger(const ScriptReader& reader, int32_t& value) {
    if (reader.procs.getIntegerProc == nullptr) return ResultCode::Failure();
    int32_t read = 0;
    const ResultCode result = FromHost(reader.procs.getIntegerProc(reader.token, &read));
    if (result.IsSuccess()) value = read;
    return result;
}

ResultCode GetBoolean(const ScriptReader& reader, bool& value) {
    if (reader.procs.getBooleanProc == nullptr) return ResultCode::Failure();
    ps::Boolean read = 0;
    const ResultCode result = FromHost(reader.procs.getBooleanProc(reader.token, &read));
    if (result.IsSuccess()) value = read != 0;
    return result;
}

ResultCode GetEnumerated(const ScriptReader& reader, uint32_t& value) {
    if (reader.procs.getEnumeratedProc == nullptr) return ResultCode::Failure();
    ps::DescriptorEnumID read = 0;
    const ResultCode result = FromHost(reader.procs.getEnumeratedProc(reader.token, &read));
    if (result.IsSuccess()) value = read;
    return result;
}

ResultCode GetText(const ScriptReader& reader, std::string& text) {
    if (reader.procs.getTextProc == nullptr || !CanUseHandles(reader.handles)) return ResultCode::Failure();
    ps::Handle handle = nullptr;
    if (reader.procs.getTextProc(reader.token, &handle) != ps::noErr || handle == nullptr) {
        if (handle != nullptr) reader.handles->disposeProc(handle);
        return ResultCode::Failure();
    }
    const ps::HandleProcs& handles = *reader.handles;
    const int32_t size = handles.getSizeProc(handle);
    ps::Ptr data = size > 0 ? handles.lockProc(handle, 0) : nullptr;
    if (data == nullptr) {
        handles.disposeProc(handle);
        return ResultCode::Failure();
    }
    std::string copied(data, static_cast<std::size_t>(size));
    handles.unlockProc(handle);
    handles.disposeProc(handle);
    copied.resize(std::strlen(copied.c_str()));  // some hosts count a terminator
    if (copied.empty()) return ResultCode::Failure();
    text = std::move(copied);
    return ResultCode::Success();
}

ResultCode WriteParameters(const ParameterSet& set, const ScriptWriter& writer) {
    for (std::size_t i = 0; i < set.Count(); ++i) {
        const ResultCode result = set.At(i)->WriteToScript(writer);
        if (result.IsFailure()) return result;
    }
    return ResultCode::Success();
}

ResultCode ReadParameters(ParameterSet& set, const ScriptReader& reader) {
    if (reader.procs.getKeyProc == nullptr) return ResultCode::Failure();
    for (int keysSeen = 0;; ++keysSeen) {
        ps::DescriptorKeyID key = 0;
        ps::DescType type = 0;
        int32_t flags = 0;
        if (!reader.procs.getKeyProc(reader.token, &key, &type, &flags)) return ResultCode::Success();
        if (keysSeen >= kMaxDescriptorKeys) return ResultCode::Failure();
        FilterParameter* parameter = set.FindByKey(key);
        if (parameter == nullptr) continue;
        const ResultCode result = parameter->ReadFromScript(reader, key);
        if (result.IsFailure()) return result;
        parameter->Validate();
    }
}

ResultCode WriteAllParameters(const Filter& filter, ParameterBlock& block, const ScriptWriter& writer) {
    ParameterSet set;
    const ResultCode built = filter.BuildParameters(set, block);
    if (built.IsFailure()) return built;
    return WriteParameters(set, writer);
}

ResultCode ReadAllParameters(const Filter& filter, ParameterBlock& block, const ScriptReader& reader) {
    ParameterSet set;
    const ResultCode built = filter.BuildParameters(set, block);
    if (built.IsFailure()) return built;
    return ReadParameters(set, reader);
}
