// Undo and redo of an effect's parameters: whole parameter blocks, the
// newest first. Blocks are small (3600 bytes) and plain, so a snapshot is a
// copy; the memory of dropped snapshots is kept for the next ones.
#pragma once

#include <deque>
#include <memory>
#include <vector>

#include "filters/ParameterBlock.h"

class ParameterHistory {
public:
    // Keeps a copy of `block` (the state before a change) as the newest
    // undo step. False when memory ran out: the step is lost, nothing else
    // changes.
    bool Record(const ParameterBlock& block);
    // Forgets every redo step (a new change was made after undoing).
    void ClearRedo();
    // Forgets everything.
    void Clear();

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }

    // Undo: `current` goes to the redo steps and the newest undo step takes
    // its place. Redo is the mirror image. False, changing nothing, when
    // there is no step (or no memory for keeping `current`).
    bool Undo(ParameterBlock& current);
    bool Redo(ParameterBlock& current);

private:
    using Steps = std::deque<std::unique_ptr<ParameterBlock>>;
    // Moves the newest step of `from` into `current`, keeping `current` as
    // the newest step of `to`.
    bool Step(Steps& from, Steps& to, ParameterBlock& current);
    std::unique_ptr<ParameterBlock> Snapshot(const ParameterBlock& block);
    void Recycle(Steps& steps);

    Steps undo_;
    Steps redo_;
    std::vector<std::unique_ptr<ParameterBlock>> spare_;
};
