// Parameters and the host's scripting descriptors: the open descriptor a
// parameter writes to or reads from, the typed put and get calls it uses, and
// the walks that write or read all of an effect's parameters.
//
// Every host callback is checked before it is called: hosts exist that leave
// a suite's procedures null while its version looks fine. A missing
// procedure or a host refusal comes back as status -1.
#pragma once

#include <cstdint>
#include <string>

#include "base/ResultCode.h"
#include "pluginapi/PluginInterface.h"

class Filter;
class ParameterSet;
struct ParameterBlock;

// An open write descriptor. `handles` makes the text handles handed to the
// host; without it texts cannot be written.
struct ScriptWriter {
    const ps::WriteDescriptorProcs& procs;
    ps::PIWriteDescriptor token;
    const ps::HandleProcs* handles;
};

// An open read descriptor, positioned on the value of the key last returned
// by its getKeyProc. `handles` reads and frees the text handles the host
// returns.
struct ScriptReader {
    const ps::ReadDescriptorProcs& procs;
    ps::PIReadDescriptor token;
    const ps::HandleProcs* handles;
};

ResultCode PutFloat(const ScriptWriter& writer, uint32_t key, double value);
ResultCode PutInteger(const ScriptWriter& writer, uint32_t key, int32_t value);
ResultCode PutBoolean(const ScriptWriter& writer, uint32_t key, bool value);
ResultCode PutEnumerated(const ScriptWriter& writer, uint32_t key, uint32_t type, uint32_t value);
// Hands the host a new handle holding the characters (no terminator) and
// frees it afterwards; the host keeps its own copy.
ResultCode PutText(const ScriptWriter& writer, uint32_t key, const std::string& text);

ResultCode GetFloat(const ScriptReader& reader, double& value);
// The host pins the value into [minimum, maximum]; a pinned value counts as read.
ResultCode GetPinnedFloat(const ScriptReader& reader, double minimum, double maximum, double& value);
ResultCode GetInteger(const ScriptReader& reader, int32_t& value);
ResultCode GetBoolean(const ScriptReader& reader, bool& value);
ResultCode GetEnumerated(const ScriptReader& reader, uint32_t& value);
// Copies the host's text handle (its whole size, up to a terminator if the
// host added one) and frees the handle. An empty text is refused.
ResultCode GetText(const ScriptReader& reader, std::string& text);

// WriteToScript on each parameter in order; the first failure ends the walk.
ResultCode WriteParameters(const ParameterSet& set, const ScriptWriter& writer);
// For every key the descriptor yields, in its order, the first parameter
// that has the key reads it and, on success, validates its value. Keys no
// parameter claims are skipped; the first failed read ends the walk.
ResultCode ReadParameters(ParameterSet& set, const ScriptReader& reader);

// The same walks on the effect's parameters built over `block`.
ResultCode WriteAllParameters(const Filter& filter, ParameterBlock& block, const ScriptWriter& writer);
ResultCode ReadAllParameters(const Filter& filter, ParameterBlock& block, const ScriptReader& reader);
