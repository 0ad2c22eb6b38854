// Undo and redo against a plain reference: two stacks of values, driven by
// the same random sequence of changes, undos and redos.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "dialog/EffectList.h"
#include "dialog/ParameterHistory.h"

namespace {

ParameterBlock BlockWith(unsigned char marker) {
    ParameterBlock block{};
    block.kind = 1;
    block.data[0] = marker;
    block.data[ParameterBlock::kSize - sizeof(FilterKind) - 1] = static_cast<unsigned char>(~marker);
    return block;
}

}  // namespace

TEST(ParameterHistoryTest, FollowsTheReferenceThroughRandomEdits) {
    std::mt19937 random(7);
    ParameterHistory history;
    ParameterBlock current = BlockWith(0);
    std::vector<unsigned char> undo;
    std::vector<unsigned char> redo;
    unsigned char value = 0;
    unsigned char next = 1;
    for (int step = 0; step < 2000; ++step) {
        switch (random() % 3) {
            case 0:  // a change: the state before it can be undone
                ASSERT_TRUE(history.Record(current));
                history.ClearRedo();
                undo.push_back(value);
                redo.clear();
                value = next++;
                current = BlockWith(value);
                break;
            case 1:
                ASSERT_EQ(history.Undo(current), !undo.empty());
                if (!undo.empty()) {
                    redo.push_back(value);
                    value = undo.back();
                    undo.pop_back();
                }
                break;
            default:
                ASSERT_EQ(history.Redo(current), !redo.empty());
                if (!redo.empty()) {
                    undo.push_back(value);
                    value = redo.back();
                    redo.pop_back();
                }
                break;
        }
        const ParameterBlock expected = BlockWith(value);
        ASSERT_EQ(std::memcmp(&current, &expected, sizeof current), 0) << "step " << step;
        ASSERT_EQ(history.CanUndo(), !undo.empty());
        ASSERT_EQ(history.CanRedo(), !redo.empty());
    }
}

TEST(ParameterHistoryTest, UndoWithoutHistoryLeavesTheBlockAlone) {
    ParameterHistory history;
    ParameterBlock current = BlockWith(9);
    EXPECT_FALSE(history.Undo(current));
    EXPECT_FALSE(history.Redo(current));
    EXPECT_EQ(current.data[0], 9);
}

TEST(EffectListTest, SteppingSkipsEffectsThatRefuseAndWrapsAround) {
    const std::vector<EffectEntry> list = {{"A", 0}, {"B", 1}, {"C", 2}, {"D", 3}};
    auto acceptsAllBut2 = [](FilterKind kind) { return kind != 2; };
    EXPECT_EQ(SteppedEffect(list, 1, 1, acceptsAllBut2), 3);
    EXPECT_EQ(SteppedEffect(list, 3, 1, acceptsAllBut2), 0);
    EXPECT_EQ(SteppedEffect(list, 0, -1, acceptsAllBut2), 3);
    EXPECT_EQ(SteppedEffect(list, 3, -1, acceptsAllBut2), 1);
    EXPECT_EQ(SteppedEffect(list, 1, 1, [](FilterKind kind) { return kind == 1; }), 1);
    EXPECT_EQ(SteppedEffect(list, 9, 1, acceptsAllBut2), 9);
}
