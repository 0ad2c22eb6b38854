// The gradient and bevel editors driven with the mouse, their curves and
// colours, and the library flows of their rows.
#include <gtest/gtest.h>

#include "controls/VtBevelEditControl.h"
#include "controls/VtColorGradientControl.h"
#include "platform/ResourceStrings.h"
#include "tests/controls/LibraryFakes.h"
#include "tests/controls/TestWindows.h"

namespace {

GradientStop RgbStop(double location, double r, double g, double b) {
    GradientStop stop;
    stop.location = location;
    stop.mode = ColorSpec::kRGB;
    stop.components = {r, g, b, 0, 0};
    return stop;
}

class PickerColours : public IColourSource {
public:
    ResultCode PickColour(ColorSpec& colour) override {
        startedFrom = colour;
        colour = ColorSpec{ColorSpec::kGray, 128, 0, 0, 0};
        return ResultCode::Success();
    }
    ColorSpec Foreground() override { return RgbSpec(0, 0, 0); }
    ColorSpec Background() override { return RgbSpec(255, 255, 255); }
    ColorSpec FromScreen(COLORREF) override { return RgbSpec(0, 0, 0); }
    ColorSpec startedFrom{};
};

}  // namespace

TEST(GradientStops, ColoursMixLinearlyBetweenStops) {
    const GradientStops stops{RgbStop(0.2, 0, 100, 200), RgbStop(0.6, 200, 100, 0)};
    const GradientColour quarter = ColourAt(stops, 0.3);  // a quarter of the way from the first
    EXPECT_DOUBLE_EQ(quarter.r, 50);
    EXPECT_DOUBLE_EQ(quarter.g, 100);
    EXPECT_DOUBLE_EQ(quarter.b, 150);
    EXPECT_DOUBLE_EQ(ColourAt(stops, 0.0).b, 200);  // before the first: its colour
    EXPECT_DOUBLE_EQ(ColourAt(stops, 1.0).r, 200);
    EXPECT_DOUBLE_EQ(ColourAt({}, 0.5).a, 255);

    // A stop made in the editor: no colour mode of its own, RGB components.
    const GradientStop made = StopAt(stops, 0.4);
    EXPECT_EQ(made.mode, GradientStop::kNewStopMode);
    EXPECT_EQ(made.channels, 3);
    EXPECT_DOUBLE_EQ(made.components[0], 100);
    EXPECT_FALSE(made.alpha);
}

TEST(GradientStops, APickedColourTakesItsModeAndKeepsTheAlpha) {
    GradientStop stop = RgbStop(0.5, 10, 20, 30);
    stop.alpha = true;
    stop.components[3] = 77;
    SetStopColour(stop, ColorSpec{ColorSpec::kCMYK, 1, 2, 3, 4});
    EXPECT_EQ(stop.mode, ColorSpec::kCMYK);
    EXPECT_EQ(stop.channels, 4);
    EXPECT_EQ(stop.components, (std::array<double, 5>{1, 2, 3, 4, 77}));
    SetStopColour(stop, ColorSpec{ColorSpec::kGray, 9, 0, 0, 0});
    EXPECT_EQ(stop.components, (std::array<double, 5>{9, 77, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(StopColour(stop).a, 77);
}

TEST(BevelProfile, TheCurvePassesThroughItsPointsWithoutOvershoot) {
    const BevelPoints points{{0.0, 0.0, false}, {0.3, 0.8, false}, {0.6, 0.9, false}, {1.0, 0.2, false}};
    for (const BevelPoint& point : points) EXPECT_NEAR(ProfileHeightAt(points, point.x), point.y, 1e-12);
    // Between two points the curve stays between their heights.
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const double low = std::min(points[i].y, points[i + 1].y);
        const double high = std::max(points[i].y, points[i + 1].y);
        for (int k = 1; k < 20; ++k) {
            const double x = points[i].x + (points[i + 1].x - points[i].x) * k / 20.0;
            const double y = ProfileHeightAt(points, x);
            EXPECT_GE(y, low - 1e-12) << x;
            EXPECT_LE(y, high + 1e-12) << x;
        }
    }
    // Corners everywhere: straight lines between the points.
    const BevelPoints corners{{0.0, 0.0, true}, {0.5, 1.0, true}, {1.0, 0.5, true}};
    EXPECT_NEAR(ProfileHeightAt(corners, 0.25), 0.5, 1e-12);
    EXPECT_NEAR(ProfileHeightAt(corners, 0.75), 0.75, 1e-12);
    EXPECT_DOUBLE_EQ(ProfileHeightAt(corners, -1.0), 0.0);
    EXPECT_DOUBLE_EQ(ProfileHeightAt({}, 0.5), 0.0);
}

namespace {

class GradientEditorTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(classes.result.IsSuccess());
        library.entries["Night"] = {RgbStop(0, 0, 0, 40), RgbStop(1, 0, 0, 0)};
        ASSERT_TRUE(
            editor.Create(parent.Hwnd(), RECT{0, 0, 300, 100}, 1, nullptr, "Gradient", &colours, &library, &prompts)
                .IsSuccess());
        editor.SetStops({RgbStop(1.0, 255, 255, 255), RgbStop(0.0, 0, 0, 0)});
        editor.SetChangeSink(&changes);
        markerY = editor.Layout().markers.top + 6;
    }

    RegisteredControlClasses classes;
    TestParentWindow parent;
    PickerColours colours;
    MemoryLibrary<GradientStops> library;
    ScriptedPrompts prompts;
    VtColorGradientControl editor;
    CountingSink changes;
    int markerY = 0;
};

}  // namespace

TEST_F(GradientEditorTest, SetStopsSortsAndKeepsAtMost25) {
    GradientStops stops = editor.GetStops();
    ASSERT_EQ(stops.size(), 2u);
    EXPECT_EQ(stops[0].location, 0.0);
    GradientStops many;
    for (int i = 0; i < 30; ++i) many.push_back(RgbStop(i / 29.0, i, i, i));
    editor.SetStops(many);
    EXPECT_EQ(editor.GetStops().size(), 25u);
    EXPECT_EQ(changes.calls, 0);
}

TEST_F(GradientEditorTest, AClickBetweenStopsAddsOneWithTheColourThere) {
    const int x = editor.XOf(0.5);
    Click(editor.Hwnd(), x, markerY);
    const GradientStops stops = editor.GetStops();
    ASSERT_EQ(stops.size(), 3u);
    EXPECT_NEAR(stops[1].location, 0.5, 0.005);
    EXPECT_NEAR(stops[1].components[0], 127.5, 2.0);
    EXPECT_EQ(editor.Selected(), 1);
    EXPECT_EQ(changes.calls, 1);
}

TEST_F(GradientEditorTest, DraggingAStopMovesItAndCommitsOnce) {
    MouseDown(editor.Hwnd(), editor.XOf(1.0), markerY);
    MouseMove(editor.Hwnd(), editor.XOf(0.8), markerY);
    MouseMove(editor.Hwnd(), editor.XOf(0.7), markerY);
    EXPECT_EQ(changes.calls, 0);
    MouseUp(editor.Hwnd(), editor.XOf(0.7), markerY);
    EXPECT_EQ(changes.calls, 1);
    EXPECT_NEAR(editor.GetStops()[1].location, 0.7, 0.005);
    EXPECT_EQ(editor.GetStops()[1].components[0], 255.0);

    // Dragged past the other stop, it takes its place in the order.
    MouseDown(editor.Hwnd(), editor.XOf(0.0), markerY);
    MouseUp(editor.Hwnd(), editor.XOf(0.8), markerY);
    const GradientStops stops = editor.GetStops();
    EXPECT_EQ(stops[0].components[0], 255.0);
    EXPECT_NEAR(stops[1].location, 0.8, 0.005);
    EXPECT_EQ(stops[1].components[0], 0.0);
    EXPECT_EQ(editor.Selected(), 1);
    EXPECT_EQ(changes.calls, 2);
}

TEST_F(GradientEditorTest, DraggingAStopDownAwayRemovesItButTwoStay) {
    const int away = editor.Layout().markers.bottom + VtColorGradientControl::kRemoveDistance + 5;
    // With two stops nothing is removed.
    MouseDown(editor.Hwnd(), editor.XOf(1.0), markerY);
    MouseUp(editor.Hwnd(), editor.XOf(1.0), away);
    EXPECT_EQ(editor.GetStops().size(), 2u);
    EXPECT_EQ(changes.calls, 0);

    Click(editor.Hwnd(), editor.XOf(0.5), markerY);  // a third
    MouseDown(editor.Hwnd(), editor.XOf(0.5), markerY);
    MouseMove(editor.Hwnd(), editor.XOf(0.5), away);
    MouseUp(editor.Hwnd(), editor.XOf(0.5), away);
    EXPECT_EQ(editor.GetStops().size(), 2u);
    EXPECT_EQ(changes.calls, 2);
}

TEST_F(GradientEditorTest, DoubleClickingAStopPicksItsColour) {
    SendMessageW(editor.Hwnd(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(editor.XOf(1.0), markerY));
    EXPECT_EQ(colours.startedFrom, RgbSpec(255, 255, 255));
    const GradientStop stop = editor.GetStops()[1];
    EXPECT_EQ(stop.mode, ColorSpec::kGray);
    EXPECT_EQ(stop.channels, 1);
    EXPECT_EQ(stop.components[0], 128.0);
    EXPECT_EQ(changes.calls, 1);
}

TEST_F(GradientEditorTest, PickingANameLoadsItAsAChange) {
    LibraryRow& row = editor.Library();
    EXPECT_EQ(row.Rows(), (std::vector<std::string>{"Night"}));
    SetFocus(row.ListHwnd());
    SendMessageW(row.ListHwnd(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(editor.GetStops()[0].components[2], 40.0);
    EXPECT_EQ(changes.calls, 1);
    EXPECT_TRUE(IsWindowEnabled(row.ButtonHwnd(LibraryRow::kDeleteId)));
}

namespace {

class LibraryRowTest : public GradientEditorTest {
protected:
    LibraryRow& Row() { return editor.Library(); }
    void Press(int id) { SendMessageW(Row().ButtonHwnd(id), BM_CLICK, 0, 0); }
    bool Enabled(int id) { return IsWindowEnabled(Row().ButtonHwnd(id)) != FALSE; }
};

}  // namespace

TEST_F(LibraryRowTest, SavingANewNameAddsItsRowAndChoosesIt) {
    EXPECT_FALSE(Enabled(LibraryRow::kDeleteId));
    EXPECT_FALSE(Enabled(LibraryRow::kRenameId));
    prompts.names = {"Dawn"};
    Press(LibraryRow::kSaveId);
    EXPECT_EQ(prompts.titles, (std::vector<std::string>{LoadResourceString(10720)}));
    ASSERT_EQ(library.entries.count("Dawn"), 1u);
    EXPECT_EQ(library.entries["Dawn"].size(), 2u);
    EXPECT_EQ(Row().Selected(), "Dawn");
    EXPECT_TRUE(Enabled(LibraryRow::kDeleteId));
    EXPECT_TRUE(Enabled(LibraryRow::kRenameId));
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(changes.calls, 0);  // saving changes no value

    // Cancelled: nothing.
    Press(LibraryRow::kSaveId);
    EXPECT_EQ(library.entries.size(), 2u);
}

TEST_F(LibraryRowTest, SavingOverAnEntryAsksFirst) {
    prompts.names = {"Night", "Night"};
    prompts.confirm = false;
    Press(LibraryRow::kSaveId);
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_NE(prompts.questions[0].find("\"Night\""), std::string::npos);
    EXPECT_EQ(library.entries["Night"][0].components[2], 40.0);  // kept
    prompts.confirm = true;
    Press(LibraryRow::kSaveId);
    EXPECT_EQ(library.entries["Night"][0].components[2], 0.0);  // replaced
    EXPECT_EQ(Row().Rows(), (std::vector<std::string>{"Night"}));
    EXPECT_EQ(Row().Selected(), "Night");
}

TEST_F(LibraryRowTest, AFailedSaveIsReportedAndAddsNoRow) {
    library.failSave = true;
    prompts.names = {"Dawn"};
    Press(LibraryRow::kSaveId);
    ASSERT_EQ(prompts.failures.size(), 1u);
    EXPECT_EQ(prompts.failures[0], "The gradient could not be saved as \"Dawn\".");
    EXPECT_EQ(Row().Rows(), (std::vector<std::string>{"Night"}));
}

TEST_F(LibraryRowTest, DeleteNeedsAChosenEntryAndRemovesItsRow) {
    Row().Delete();  // the button is disabled; the flow still refuses
    EXPECT_EQ(prompts.failures.size(), 1u);
    EXPECT_EQ(library.entries.size(), 1u);
    SendMessageW(Row().ListHwnd(), CB_SETCURSEL, 0, 0);
    Row().Load();
    Press(LibraryRow::kDeleteId);
    EXPECT_TRUE(library.entries.empty());
    EXPECT_TRUE(Row().Rows().empty());
    EXPECT_EQ(Row().Selected(), "");
    EXPECT_FALSE(Enabled(LibraryRow::kDeleteId));
}

TEST_F(LibraryRowTest, RenamingKeepsTheRowsPlaceAndReplacesAnEntryOnlyWhenConfirmed) {
    library.entries["Alpha"] = {};
    library.entries["Zulu"] = {};
    Row().Fill();
    SendMessageW(Row().ListHwnd(), CB_SETCURSEL, 1, 0);  // "Night", between the two
    Row().Load();
    changes.calls = 0;

    prompts.names = {"Night"};  // the same name: nothing
    Press(LibraryRow::kRenameId);
    EXPECT_EQ(prompts.offered.back(), "Night");
    EXPECT_EQ(library.entries.size(), 3u);

    prompts.names = {"Moon"};
    Press(LibraryRow::kRenameId);
    EXPECT_EQ(library.entries.count("Moon"), 1u);
    EXPECT_EQ(library.entries.count("Night"), 0u);
    EXPECT_EQ(Row().Rows(), (std::vector<std::string>{"Alpha", "Moon", "Zulu"}));
    EXPECT_EQ(Row().Selected(), "Moon");

    prompts.names = {"Zulu"};
    prompts.confirm = false;
    Press(LibraryRow::kRenameId);
    EXPECT_EQ(library.entries.count("Moon"), 1u);
    prompts.names = {"Zulu"};
    prompts.confirm = true;
    Press(LibraryRow::kRenameId);
    EXPECT_EQ(library.entries.count("Moon"), 0u);
    EXPECT_EQ(library.entries["Zulu"].size(), 2u);  // Moon's stops under the name
    EXPECT_EQ(Row().Rows(), (std::vector<std::string>{"Alpha", "Zulu"}));
    EXPECT_EQ(Row().Selected(), "Zulu");
    EXPECT_EQ(changes.calls, 0);
}

TEST_F(LibraryRowTest, AFailedLoadIsReportedAndChangesNothing) {
    library.failLoad = true;
    SendMessageW(Row().ListHwnd(), CB_SETCURSEL, 0, 0);
    Row().Load();
    ASSERT_EQ(prompts.failures.size(), 1u);
    EXPECT_EQ(prompts.failures[0], "The gradient \"Night\" could not be loaded.");
    EXPECT_EQ(editor.GetStops()[0].components[2], 0.0);
    EXPECT_EQ(changes.calls, 0);
}

namespace {

class BevelEditorTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(classes.result.IsSuccess());
        ASSERT_TRUE(
            editor.Create(parent.Hwnd(), RECT{0, 0, 300, 140}, 1, nullptr, "Profile", &library, &prompts).IsSuccess());
        editor.SetPoints({{1.0, 1.0, true}, {0.0, 0.0, true}});
        editor.SetChangeSink(&changes);
    }
    POINT At(double x, double y) { return editor.PointAt(BevelPoint{x, y, false}); }

    RegisteredControlClasses classes;
    TestParentWindow parent;
    MemoryLibrary<BevelPoints> library;
    ScriptedPrompts prompts;
    VtBevelEditControl editor;
    CountingSink changes;
};

}  // namespace

TEST_F(BevelEditorTest, ClickingAddsAPointAndDraggingKeepsItBetweenItsNeighbours) {
    const POINT middle = At(0.5, 0.25);
    Click(editor.Hwnd(), middle.x, middle.y);
    BevelPoints points = editor.GetPoints();
    ASSERT_EQ(points.size(), 3u);
    EXPECT_NEAR(points[1].x, 0.5, 0.01);
    EXPECT_NEAR(points[1].y, 0.25, 0.02);
    EXPECT_FALSE(points[1].pointy);
    EXPECT_EQ(changes.calls, 1);

    // Dragged past the last point: held just before it.
    MouseDown(editor.Hwnd(), middle.x, middle.y);
    const POINT beyond = At(1.0, 0.5);
    MouseMove(editor.Hwnd(), beyond.x + 10, beyond.y);
    MouseUp(editor.Hwnd(), beyond.x + 10, beyond.y);
    points = editor.GetPoints();
    ASSERT_EQ(points.size(), 3u);
    EXPECT_DOUBLE_EQ(points[1].x, 0.999);
    EXPECT_LT(points[1].x, points[2].x);
    EXPECT_EQ(changes.calls, 2);
}

TEST_F(BevelEditorTest, DoubleClickMakesACornerAndDraggingOutRemoves) {
    const POINT middle = At(0.5, 0.5);
    Click(editor.Hwnd(), middle.x, middle.y);
    SendMessageW(editor.Hwnd(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(middle.x, middle.y));
    EXPECT_TRUE(editor.GetPoints()[1].pointy);
    EXPECT_EQ(changes.calls, 2);

    const RECT graph = editor.Layout().graph;
    MouseDown(editor.Hwnd(), middle.x, middle.y);
    MouseUp(editor.Hwnd(), middle.x, graph.bottom + VtBevelEditControl::kRemoveDistance + 5);
    EXPECT_EQ(editor.GetPoints().size(), 2u);
    EXPECT_EQ(changes.calls, 3);
    // Two points stay.
    const POINT end = At(1.0, 1.0);
    MouseDown(editor.Hwnd(), end.x, end.y);
    MouseUp(editor.Hwnd(), end.x, graph.bottom + VtBevelEditControl::kRemoveDistance + 5);
    EXPECT_EQ(editor.GetPoints().size(), 2u);
}

TEST_F(BevelEditorTest, SavesItsPointsUnderAName) {
    prompts.names = {"Chisel"};
    SendMessageW(editor.Library().ButtonHwnd(LibraryRow::kSaveId), BM_CLICK, 0, 0);
    EXPECT_EQ(prompts.titles, (std::vector<std::string>{LoadResourceString(10730)}));
    ASSERT_EQ(library.entries.count("Chisel"), 1u);
    EXPECT_EQ(library.entries["Chisel"].size(), 2u);
    EXPECT_EQ(library.entries["Chisel"][0].x, 0.0);
}
