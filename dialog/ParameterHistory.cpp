#include "dialog/ParameterHistory.h"

#include <new>

std::unique_ptr<ParameterBlock> ParameterHistory::Snapshot(const ParameterBlock& block) {
    std::unique_ptr<ParameterBlock> snapshot;
    if (!spare_.empty()) {
        snapshot = std::move(spare_.back());
        spare_.pop_back();
    } else {
        snapshot.reset(new (std::nothrow) ParameterBlock);
        if (snapshot == nullptr) return nullptr;
    }
    *snapshot = block;
    return snapshot;
}

void ParameterHistory::Recycle(Steps& steps) {
    try {
        for (auto& step : steps) spare_.push_back(std::move(step));
    } catch (const std::bad_alloc&) {
        // The spare list could not grow: the rest is simply freed.
    }
    steps.clear();
}

bool ParameterHistory::Record(const ParameterBlock& block) {
    std::unique_ptr<ParameterBlock> snapshot = Snapshot(block);
    if (snapshot == nullptr) return false;
    try {
        undo_.push_front(std::move(snapshot));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void ParameterHistory::ClearRedo() { Recycle(redo_); }

void ParameterHistory::Clear() {
    Recycle(undo_);
    Recycle(redo_);
}

bool ParameterHistory::Step(Steps& from, Steps& to, ParameterBlock& current) {
    if (from.empty()) return false;
    std::unique_ptr<ParameterBlock> kept = Snapshot(current);
    if (kept == nullptr) return false;
    try {
        to.push_front(std::move(kept));
    } catch (const std::bad_alloc&) {
        return false;
    }
    current = *from.front();
    try {
        spare_.push_back(std::move(from.front()));
    } catch (const std::bad_alloc&) {}
    from.pop_front();
    return true;
}

bool ParameterHistory::Undo(ParameterBlock& current) { return Step(undo_, redo_, current); }

bool ParameterHistory::Redo(ParameterBlock& current) { return Step(redo_, undo_, current); }
