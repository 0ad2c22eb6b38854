// The GIMP-independent half of the plug-in where GIMP cannot reach it: the
// procedures made from the effects' parameter lists, the values of a call
// and their stored text, cancel, and the values in the dialog's form. The
// GIMP tests (gimp-plugin-test.py) hold the runs against dapple apply.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "gimp/EffectProcedures.h"
#include "gimp/LayerRun.h"
#include "gimp/LayerViews.h"
#include "gimp/ProcedureRecord.h"
#include "gimp/ProcedureValues.h"

namespace {

const EffectProcedure& ProcedureOf(const std::vector<EffectProcedure>& procedures, FilterKind kind) {
    const auto found = std::find_if(procedures.begin(), procedures.end(),
                                    [kind](const EffectProcedure& procedure) { return procedure.kind == kind; });
    if (found == procedures.end()) throw std::runtime_error("no procedure for kind " + std::to_string(kind));
    return *found;
}

const ProcedureArgument* ArgumentNamed(const EffectProcedure& procedure, const std::string& name) {
    for (const ProcedureArgument& argument : procedure.arguments) {
        if (argument.name == name) return &argument;
    }
    return nullptr;
}

HostImage Picture(int32_t width, int32_t height) {
    HostImage image(HostImageMode::Rgb, width, height, false);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            for (int32_t plane = 0; plane < 3; ++plane) image.At(x, y, plane) = static_cast<uint8_t>(x * 5 + y * plane);
        }
    }
    return image;
}

LayerRunRequest EdgeRequest() {
    LayerRunRequest request;
    request.kind = FilterKinds::Edge;
    request.layer = Picture(48, 40);
    return request;
}

TEST(EffectProcedures, OnePerEffectNamedAsTheCommandNamesItsParameters) {
    const std::vector<EffectProcedure> procedures = EffectProcedures();
    std::vector<std::string> names;
    for (const EffectProcedure& procedure : procedures) names.push_back(procedure.name);
    EXPECT_EQ(names, (std::vector<std::string>{"plug-in-dapple-border-stamp", "plug-in-dapple-edge",
                                               "plug-in-dapple-fill-stamp", "plug-in-dapple-frame",
                                               "plug-in-dapple-patchwork", "plug-in-dapple-resurface"}));
    const EffectProcedure& border = ProcedureOf(procedures, FilterKinds::BorderStamp);
    EXPECT_EQ(border.menuLabel, "Border Stamp...");
    ASSERT_FALSE(border.arguments.empty());
    EXPECT_EQ(border.arguments[0].name, kSettingsArgument);
    // The content file is a string; its relative flag follows from the path and is no argument.
    ASSERT_NE(ArgumentNamed(border, "tube"), nullptr);
    EXPECT_EQ(ArgumentNamed(border, "tube")->type, ArgumentType::String);
    EXPECT_EQ(ArgumentNamed(border, "tube-relative"), nullptr);
    EXPECT_EQ(ArgumentNamed(border, "border-width")->type, ArgumentType::String);  // a length with its unit
    EXPECT_EQ(ArgumentNamed(border, "density")->type, ArgumentType::Float);
    EXPECT_EQ(ArgumentNamed(border, "random-seed")->type, ArgumentType::Int);
    EXPECT_NE(ArgumentNamed(border, "density")->description.find("1 to 100"), std::string::npos);
    EXPECT_NE(border.help.find("layer's edge"), std::string::npos);
    EXPECT_EQ(ProcedureOf(procedures, FilterKinds::Edge).help.find("layer's edge"), std::string::npos);
}

TEST(ProcedureValues, ArgumentsBecomeTypedValuesAndSurviveTheirText) {
    EffectProcedure procedure;
    procedure.arguments = {{kSettingsArgument, ArgumentType::String, ""},
                           {"scale", ArgumentType::Float, ""},
                           {"random-seed", ArgumentType::Int, ""},
                           {"edge-type", ArgumentType::String, ""},
                           {"colour", ArgumentType::String, ""}};
    std::vector<ArgumentValue> arguments(5);
    arguments[0].text = "Soft";
    arguments[1].number = 0.1;
    arguments[2].integer = 837;
    arguments[3].text = "torn paper";
    const ProcedureValues values = ValuesFromArguments(procedure, arguments);
    EXPECT_EQ(values.settings, "Soft");
    const std::string text = ValuesText(values);
    EXPECT_EQ(
        text,
        "settings=Soft\nscale=0.1\nrandom-seed=837\nedge-type=torn paper\n");  // the empty colour keeps its default
    const ProcedureValues back = ValuesFromText(text);
    EXPECT_EQ(back.settings, "Soft");
    EXPECT_EQ(ValuesText(back), text);
}

TEST(LayerRun, CancelGivesNoPixelsAndSaysSo) {
    LayerRunRequest request = EdgeRequest();
    int asked = 0;
    request.cancelled = [&asked] { return ++asked >= 1; };
    const LayerRunResult result = RunEffectOnLayer(std::move(request));
    EXPECT_FALSE(result.succeeded);
    EXPECT_TRUE(result.cancelled);
    EXPECT_GT(asked, 0);
    EXPECT_TRUE(result.layer.IsEmpty());
    EXPECT_NE(result.message.find("cancelled"), std::string::npos) << result.message;
}

// Notes of a successful run reach GIMP's message as the command prints them.
TEST(LayerRun, TellsWhatARunNoted) {
    LayerRunRequest request = EdgeRequest();
    request.values.values = {{"transparent", "1"}};
    const LayerRunResult result = RunEffectOnLayer(std::move(request));
    ASSERT_TRUE(result.succeeded) << result.message;
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_NE(result.warnings[0].find("no transparency"), std::string::npos) << result.warnings[0];
}

// The GIMP test refuses bad values, settings and selections in GIMP; a
// layer too large for the interface is too slow to make there.
TEST(LayerRun, RefusesALayerWiderThanAnEffectTakes) {
    LayerRunRequest tooWide = EdgeRequest();
    tooWide.layer = HostImage(HostImageMode::Grey, 32768, 1, false);
    const LayerRunResult result = RunEffectOnLayer(std::move(tooWide));
    EXPECT_FALSE(result.succeeded);
    EXPECT_NE(result.message.find("32767"), std::string::npos) << result.message;
}

// The dialog's form of the values: a record made from values gives them
// back, and made again from those, the same bytes.
TEST(ProcedureRecord, ValuesAndRecordRoundTrip) {
    ProcedureValues chosen;
    chosen.values = {{"edge-type", "torn paper"}, {"width", "25mm"}, {"random-seed", "837"}};
    auto first = std::make_unique<ParameterBlock>();
    std::memset(static_cast<void*>(first.get()), 0, sizeof *first);
    std::string problem;
    ASSERT_TRUE(RecordFromValues(FilterKinds::Edge, chosen, 100, *first, problem)) << problem;
    ProcedureValues back;
    ASSERT_TRUE(ValuesFromRecord(FilterKinds::Edge, *first, back));
    const std::string text = ValuesText(back);
    EXPECT_NE(text.find("edge-type=Torn paper\n"), std::string::npos) << text;
    EXPECT_NE(text.find("width=25mm\n"), std::string::npos) << text;
    EXPECT_NE(text.find("random-seed=837\n"), std::string::npos) << text;
    auto second = std::make_unique<ParameterBlock>();
    std::memset(static_cast<void*>(second.get()), 0, sizeof *second);
    ASSERT_TRUE(RecordFromValues(FilterKinds::Edge, back, 100, *second, problem)) << problem;
    EXPECT_EQ(std::memcmp(first.get(), second.get(), sizeof *first), 0);

    ProcedureValues unknown;
    unknown.settings = "No Such Setting";
    EXPECT_FALSE(RecordFromValues(FilterKinds::Edge, unknown, 100, *second, problem));
}

// The dialog reads the layer through these views: every sample where the
// layer holds it.
TEST(LayerViews, AddressTheLayersSamples) {
    HostImage layer = HostImage::FromInterleaved(3, 2, 4, std::vector<uint8_t>(24));
    for (std::size_t i = 0; i < layer.pixels.size(); ++i) layer.pixels[i] = static_cast<uint8_t>(i);
    const Image<unsigned char> view = LayerPixelsView(layer);
    EXPECT_EQ(view.layout, ChannelLayout(kColourModelRGB, 3, true));
    std::vector<uint8_t> selection = {0, 1, 2, 3, 4, 5};
    SingleChannelImage<unsigned char> mask = SelectionView(selection, 3, 2);
    for (int32_t y = 0; y < 2; ++y) {
        for (int32_t x = 0; x < 3; ++x) {
            for (int32_t plane = 0; plane < 4; ++plane)
                EXPECT_EQ(view.PixelAddress(Point{x, y})[plane], layer.At(x, y, plane)) << x << "," << y;
            EXPECT_EQ(*mask.PixelAddress(Point{x, y}), y * 3 + x);
        }
    }
}

}  // namespace
