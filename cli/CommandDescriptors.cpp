#include "cli/CommandDescriptors.h"

#include <vector>

#include "filters/ParameterScript.h"
#include "inprocesshost/InProcessHost.h"

ResultCode WriteParameterToDescriptor(const FilterParameter& parameter, DescriptorStore& store) {
    InProcessHost host;  // serves the descriptor callbacks
    const ps::WriteDescriptorProcs& procs = host.WriteDescriptorSuite();
    ps::PIWriteDescriptor token = procs.openWriteDescriptorProc();
    if (token == nullptr) return ResultCode::Failure();
    const ResultCode written = parameter.WriteToScript(ScriptWriter{procs, token, &host.HandleSuite()});
    ps::PIDescriptorHandle handle = nullptr;
    procs.closeWriteDescriptorProc(token, &handle);
    DescriptorStore made;
    const bool read = handle != nullptr && host.Descriptors().ReadDescriptorHandle(handle, made);
    host.Handles().Dispose(handle);
    if (written.IsFailure()) return written;
    if (!read) return ResultCode::Failure();
    for (const DescriptorItem& item : made.Items()) store.Put(item);
    return ResultCode::Success();
}

ResultCode WriteParametersToDescriptor(const ParameterSet& set, DescriptorStore& store) {
    for (std::size_t i = 0; i < set.Count(); ++i) {
        const ResultCode written = WriteParameterToDescriptor(*set.At(i), store);
        if (written.IsFailure()) return written;
    }
    return ResultCode::Success();
}

ResultCode ReadParametersFromDescriptor(ParameterSet& set, const DescriptorStore& store) {
    if (store.Empty()) return ResultCode::Success();
    InProcessHost host;  // serves the descriptor callbacks
    ps::PIDescriptorHandle handle = host.Descriptors().NewDescriptorHandle(store);
    if (handle == nullptr) return ResultCode::OutOfMemory();
    std::vector<uint32_t> keys = KeyArray(set);
    const ps::ReadDescriptorProcs& procs = host.ReadDescriptorSuite();
    ps::PIReadDescriptor token = procs.openReadDescriptorProc(handle, keys.data());
    if (token == nullptr) {
        host.Handles().Dispose(handle);
        return ResultCode::Failure();
    }
    const ResultCode result = ReadParameters(set, ScriptReader{procs, token, &host.HandleSuite()});
    procs.closeReadDescriptorProc(token);
    host.Handles().Dispose(handle);
    return result;
}

void PutScriptItems(const std::vector<ParameterDescription>& descriptions, const std::vector<ScriptItem>& items,
                    DescriptorStore& store) {
    for (const ScriptItem& item : items) {
        DescriptorItem value;
        value.key = item.key;
        value.type = item.type;
        value.integer = item.integer;
        value.number = item.number;
        value.value = item.value;
        value.bytes = item.text;
        for (const ParameterDescription& description : descriptions) {
            if (description.key == item.key) value.code = description.shape.enumerationType;
        }
        store.Put(value);
    }
}
