// The family's capability table against the answers each effect is known to
// give, copied by hand: a slip in a row would reach both the effect and the
// property list its module shows hosts.
#include "base/EffectCapabilities.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(EffectCapabilities, EveryRowHoldsItsEffectsAnswers) {
    struct Row {
        FilterKind kind;
        const char* name;
        bool wholeCanvas, flat, coreMask, cmyk;
        int32_t minimum;
    };
    const Row rows[] = {{FilterKinds::BorderStamp, "BorderStamp", true, true, false, false, 0},
                        {FilterKinds::Edge, "Edge", false, false, true, true, 0},
                        {FilterKinds::FillStamp, "FillStamp", true, true, false, false, 0},
                        {FilterKinds::Frame, "Frame", true, true, false, false, 9},
                        {FilterKinds::Patchwork, "Patchwork", false, false, true, false, 6},
                        {FilterKinds::Resurface, "Resurface", false, false, true, true, 0}};
    for (const Row& row : rows) {
        const EffectCapabilities* effect = FindEffectCapabilities(row.kind);
        ASSERT_NE(effect, nullptr) << row.name;
        EXPECT_EQ(effect->kind, row.kind);
        EXPECT_EQ(std::string(effect->internalName), row.name);
        EXPECT_EQ(effect->usesWholeCanvas, row.wholeCanvas) << row.name;
        EXPECT_EQ(effect->allowsFlatImage, row.flat) << row.name;
        EXPECT_EQ(effect->coreAppliesMask, row.coreMask) << row.name;
        EXPECT_EQ(effect->supportsCMYK, row.cmyk) << row.name;
        EXPECT_EQ(effect->minimumWidth, row.minimum) << row.name;
        EXPECT_EQ(effect->minimumHeight, row.minimum) << row.name;
        // The same for the whole family: a dialog, any layer, the layer's
        // shape without a selection, in one piece.
        EXPECT_TRUE(effect->wantsDialog && effect->usesTransparencyAsShape && effect->rendersInOnePiece) << row.name;
        EXPECT_FALSE(effect->requiresLayer) << row.name;
    }
    EXPECT_EQ(FindEffectCapabilities(FilterKinds::Count), nullptr);
    EXPECT_EQ(FindEffectCapabilities(FilterKinds::None), nullptr);
}

}  // namespace
