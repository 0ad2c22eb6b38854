// The host's parameters handle, which holds the effect's ParameterBlock
// between runs.
#pragma once

#include "base/ResultCode.h"
#include "pluginapi/PluginInterface.h"

class Filter;
struct ParameterBlock;

// Locks the parameters handle for its lifetime. When the host has none (or
// one too small to hold a block) a new one is made, stored in the record
// and filled with the effect's defaults.
class LockedParameters {
public:
    LockedParameters(ps::FilterRecord& record, const Filter& filter);
    ~LockedParameters() { Unlock(); }
    LockedParameters(const LockedParameters&) = delete;
    LockedParameters& operator=(const LockedParameters&) = delete;

    // 0 when the block is locked; -108 when no handle could be made; -1 when
    // the host cannot lock it.
    const ResultCode& Status() const { return status_; }
    // The locked block; null unless Status() is 0.
    ParameterBlock* Block() const { return block_; }

    // The effect's defaults into the block when it holds another effect's
    // parameters.
    void DefaultsUnlessOwnKind(const Filter& filter);
    // True when the block holds the effect's defaults because this lock made
    // the handle or replaced another effect's parameters: the effect's first
    // use with this host's handle.
    bool FreshDefaults() const { return freshDefaults_; }

    void Unlock();

private:
    ps::FilterRecord& record_;
    ParameterBlock* block_ = nullptr;
    ResultCode status_;
    bool freshDefaults_ = false;
};

// A parameters block of the host that exists already: locked while it
// lives, or not at all when the record has no handle (the finish selector
// must not create one).
class LockedExistingParameters {
public:
    explicit LockedExistingParameters(ps::FilterRecord& record);
    ~LockedExistingParameters();
    LockedExistingParameters(const LockedExistingParameters&) = delete;
    LockedExistingParameters& operator=(const LockedExistingParameters&) = delete;

    ParameterBlock* Block() const { return block_; }

private:
    ps::FilterRecord& record_;
    ParameterBlock* block_ = nullptr;
};
