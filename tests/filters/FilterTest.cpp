// The Filter base behaviours every effect inherits, the parameter block and
// the parameter set.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "filters/Filter.h"
#include "filters/ParameterBlock.h"
#include "filters/ParameterSet.h"
#include "filters/RenderContext.h"

namespace {

class MinimalFilter : public Filter {
public:
    int32_t ParameterSize() const override { return 16; }
    void WriteDefaults(ParameterBlock& block) const override { block.kind = kind; }
    ResultCode Render(RenderContext&) override { return ResultCode::Success(); }
    ResultCode BuildParameters(ParameterSet&, ParameterBlock&) const override { return ResultCode::Success(); }
    std::string InternalName() const override { return "Minimal"; }
};

class ShapeFilter : public MinimalFilter {
public:
    ShapeFilter(bool wholeCanvas, bool transparencyAsShape) : whole_(wholeCanvas), shape_(transparencyAsShape) {}
    bool UsesWholeCanvas() const override { return whole_; }
    bool UsesTransparencyAsShape() const override { return shape_; }

private:
    bool whole_;
    bool shape_;
};

class GrowingFilter : public MinimalFilter {
public:
    Rect MapRect(const Rect& in) const override {
        Rect grown = in;
        grown.Inflate(3, 2);
        return grown;
    }
};

// A parameter with a list of keys and nothing else.
class KeyedParameter : public FilterParameter {
public:
    explicit KeyedParameter(std::vector<uint32_t> keys) : keys_(std::move(keys)) {}
    void Validate() override {}
    ResultCode WriteToScript(const ScriptWriter&) const override { return ResultCode::Success(); }
    ResultCode ReadFromScript(const ScriptReader&, uint32_t) override { return ResultCode::Success(); }
    int32_t KeyCount() const override { return static_cast<int32_t>(keys_.size()); }
    uint32_t KeyAt(int32_t index) const override {
        return index >= 0 && index < KeyCount() ? keys_[static_cast<size_t>(index)] : 0;
    }

private:
    std::vector<uint32_t> keys_;
};

TEST(Filter, BaseAnswersOfTheCapabilityQueries) {
    MinimalFilter filter;
    EXPECT_EQ(filter.kind, FilterKinds::None);
    EXPECT_TRUE(filter.WantsDialog());
    EXPECT_FALSE(filter.UsesWholeCanvas());
    EXPECT_FALSE(filter.AllowsFlatImage());
    EXPECT_TRUE(filter.CoreAppliesMask());
    EXPECT_TRUE(filter.UsesTransparencyAsShape());
    EXPECT_FALSE(filter.RequiresLayer());
    EXPECT_TRUE(filter.SupportsCMYK());
    EXPECT_TRUE(filter.RendersInOnePiece());
    EXPECT_EQ(filter.MinimumSize().width, 0);
    EXPECT_EQ(filter.MinimumSize().height, 0);
    EXPECT_EQ(filter.TileSize(), 500);

    RenderContext context;
    EXPECT_EQ(filter.BeginRender(context).status, 0);
    EXPECT_EQ(context.renderMode, 2);
    EXPECT_EQ(context.scale, 1.0);
}

TEST(Filter, SourceModeFollowsShapeAndCanvasAnswers) {
    EXPECT_EQ(ShapeFilter(false, false).SourceMode(), 1);
    EXPECT_EQ(ShapeFilter(true, false).SourceMode(), 1);
    EXPECT_EQ(ShapeFilter(true, true).SourceMode(), 0);
    EXPECT_EQ(ShapeFilter(false, true).SourceMode(), 1);
}

TEST(Filter, RectangleQueriesDefaultToTheGivenAreaAndNeededInputAsksMapRect) {
    ParameterBlock block{};
    const Rect piece(10, 20, 30, 60);  // top, left, bottom, right
    MinimalFilter plain;
    EXPECT_EQ(plain.AffectedRect(piece, block, 2.0), piece);
    EXPECT_EQ(plain.NeededInputRect(piece, block, 1.0), piece);

    GrowingFilter growing;
    EXPECT_EQ(growing.NeededInputRect(piece, block, 1.0), Rect(8, 17, 32, 63));
    EXPECT_EQ(growing.AffectedRect(piece, block, 1.0), piece);
}

TEST(Filter, BaseUpdateControlStatesEnablesEveryParameter) {
    ParameterSet set;
    ASSERT_NE(set.Emplace<KeyedParameter>(std::vector<uint32_t>{1}), nullptr);
    ASSERT_NE(set.Emplace<KeyedParameter>(std::vector<uint32_t>{2}), nullptr);
    set.At(0)->enabled = false;
    set.At(1)->enabled = false;
    ParameterBlock block{};
    MinimalFilter().UpdateControlStates(set, block);
    EXPECT_TRUE(set.At(0)->enabled);
    EXPECT_TRUE(set.At(1)->enabled);
}

struct SmallRecord {
    FilterKind kind;
    double amount;
    unsigned char flag;
};

TEST(ParameterBlock, RecordOverlaysTheBlockAndCopiesWhole) {
    EXPECT_EQ(sizeof(ParameterBlock), 3600u);
    EXPECT_EQ(alignof(ParameterBlock), 8u);

    ParameterBlock block{};
    SmallRecord& record = block.As<SmallRecord>();
    record.kind = FilterKinds::Frame;
    record.amount = 12.5;
    record.flag = 1;
    EXPECT_EQ(block.kind, 3);

    ParameterBlock copy = block;
    block.As<SmallRecord>().amount = -1.0;
    const ParameterBlock& constCopy = copy;
    EXPECT_EQ(constCopy.As<SmallRecord>().amount, 12.5);
    EXPECT_EQ(constCopy.As<SmallRecord>().flag, 1);
}

TEST(ParameterSet, AddsInOrderAndRefusesNullAndOverflow) {
    ParameterSet set;
    EXPECT_EQ(set.Add(nullptr).status, -108);
    EXPECT_EQ(set.Count(), 0u);

    for (uint32_t i = 1; i <= ParameterSet::kCapacity; ++i) {
        ASSERT_EQ(set.Add(std::make_unique<KeyedParameter>(std::vector<uint32_t>{i})).status, 0) << i;
    }
    EXPECT_EQ(set.Count(), 256u);
    EXPECT_EQ(set.Add(std::make_unique<KeyedParameter>(std::vector<uint32_t>{999})).status, -1);
    EXPECT_EQ(set.Emplace<KeyedParameter>(std::vector<uint32_t>{1000}), nullptr);
    EXPECT_EQ(set.Count(), 256u);
    EXPECT_EQ(set.At(0)->KeyAt(0), 1u);
    EXPECT_EQ(set.At(255)->KeyAt(0), 256u);
    EXPECT_EQ(set.At(256), nullptr);

    set.Clear();
    EXPECT_EQ(set.Count(), 0u);
    EXPECT_NE(set.Emplace<KeyedParameter>(std::vector<uint32_t>{7}), nullptr);
}

TEST(ParameterSet, KeyArrayListsKeysParameterByParameterEndedByZero) {
    ParameterSet set;
    set.Emplace<KeyedParameter>(std::vector<uint32_t>{0x50617468, 0x526c7476});
    set.Emplace<KeyedParameter>(std::vector<uint32_t>{0x44727374});
    set.AddGroup("Stamps");
    const std::vector<uint32_t> expected = {0x50617468, 0x526c7476, 0x44727374, 0};
    EXPECT_EQ(KeyArray(set), expected);
    EXPECT_EQ(KeyArray(ParameterSet()), std::vector<uint32_t>{0});
    ASSERT_EQ(set.Groups().size(), 1u);
    EXPECT_EQ(set.Groups()[0], "Stamps");

    EXPECT_EQ(set.FindByKey(0x526c7476), set.At(0));
    EXPECT_EQ(set.FindByKey(0x44727374), set.At(1));
    EXPECT_EQ(set.FindByKey(0x12345678), nullptr);
}

TEST(FilterParameter, KeyZeroIsNeverClaimed) {
    KeyedParameter zeroKeyed(std::vector<uint32_t>{0, 5});
    EXPECT_FALSE(zeroKeyed.HasKey(0));
    EXPECT_TRUE(zeroKeyed.HasKey(5));
    EXPECT_FALSE(zeroKeyed.HasKey(6));
    EXPECT_EQ(zeroKeyed.KeyAt(2), 0u);
}

}  // namespace
