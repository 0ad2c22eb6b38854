// What the user waits for in the filter dialog: the time from a parameter
// change to the preview showing the new render, for each effect of the
// build on a 6000 x 4000 RGBA layer with everything selected, in the
// dialog's preview at its opening size (648 x 548). The dialog's timer is
// played as it runs while a render is due: a tick 15 ms after the change
// starts the render and ticks every 15 ms notice its end; then the view is
// composed. Zoom 0: the whole picture (fitted, 8.33 %); zoom 1: 100 %.
#include <chrono>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

#include "dialog/PreviewModel.h"
#include "filters/Filter.h"
#include "filters/ParameterBlock.h"
#include "filters/ParameterSet.h"
#include "filters/RandomSeedParameter.h"
#include "filters/SliderParameter.h"
#include "host/FilterFactory.h"
#include "image/Image.h"
#include "image/RowImage.h"

namespace {

constexpr int32_t kWidth = 6000;
constexpr int32_t kHeight = 4000;
constexpr int32_t kViewWidth = 648;
constexpr int32_t kViewHeight = 548;
constexpr auto kTick = std::chrono::milliseconds(15);

class NoViews : public IPreviewViews {
public:
    void PreviewChanged() override {}
    void ShowProgress(double) override {}
    void ShowZoom(double) override {}
    void ServeWorker() override {}
};

// A colour gradient with a few discs, opaque.
struct Layer {
    RowImage pixels;
    std::unique_ptr<Image<unsigned char>> image;
    Layer() {
        if (pixels.Allocate(Rect(0, 0, kHeight, kWidth), 4, 1).IsFailure()) return;
        for (int32_t y = 0; y < kHeight; ++y) {
            unsigned char* p = pixels.Row(y);
            for (int32_t x = 0; x < kWidth; ++x, p += 4) {
                const int32_t dx = x % 800 - 400, dy = y % 800 - 400;
                const bool disc = dx * dx + dy * dy < 250 * 250;
                p[0] = static_cast<unsigned char>(disc ? 230 : x * 255 / kWidth);
                p[1] = static_cast<unsigned char>(disc ? 90 : y * 255 / kHeight);
                p[2] = static_cast<unsigned char>((x + y) & 255);
                p[3] = 255;
            }
        }
        image = std::make_unique<Image<unsigned char>>(pixels, ChannelLayout(kColourModelRGB, 3, true));
    }
};

Layer& SharedLayer() {
    static Layer layer;
    return layer;
}

// A change the user could make: the next random seed, or else a slider
// moved by one.
void ChangeParameter(ParameterSet& set, int step) {
    for (std::size_t i = 0; i < set.Count(); ++i) {
        if (auto* seed = dynamic_cast<RandomSeedParameter*>(set.At(i))) {
            *seed->value = static_cast<uint16_t>(1 + step % 1000);
            return;
        }
    }
    for (std::size_t i = 0; i < set.Count(); ++i) {
        if (auto* slider = dynamic_cast<SliderParameter*>(set.At(i))) {
            *slider->value = slider->minimum + (step % 2);
            slider->Validate();
            return;
        }
    }
}

// Ticks as the dialog's timer does until the render is on screen.
bool TickUntilShown(PreviewModel& model) {
    for (int i = 0; i < 4000; ++i) {
        std::this_thread::sleep_for(kTick);
        model.Poll();
        if (model.State() == PreviewState::Shown) return true;
        if (model.State() == PreviewState::Failed) return false;
    }
    return false;
}

void BM_PreviewAfterChange(benchmark::State& state) {
    const FilterKind kind = static_cast<FilterKind>(state.range(0));
    Layer& layer = SharedLayer();
    std::unique_ptr<Filter> effect;
    if (layer.image == nullptr || CreateFilter(kind, effect).IsFailure()) {
        state.SkipWithError("no layer or no such effect");
        return;
    }
    state.SetLabel(effect->InternalName());
    effect->targetHasTransparency = true;
    ParameterBlock block{};
    effect->WriteDefaults(block);
    ParameterSet set;
    effect->BuildParameters(set, block);
    PreviewDocument document;
    document.image = layer.image.get();
    NoViews views;
    PreviewModel model(document, views);
    model.SetEffect(effect.get(), &block);
    model.Layout(kViewWidth, kViewHeight);
    if (state.range(1) == 1) model.ActualSize();
    std::vector<uint32_t> view(static_cast<std::size_t>(kViewWidth) * kViewHeight);
    // The first render also makes the reduced copy of the layer.
    if (!TickUntilShown(model)) {
        state.SkipWithError("the preview failed");
        return;
    }
    int step = 0;
    for (auto _ : state) {
        model.StopWorker();
        ChangeParameter(set, ++step);
        model.MarkDirty();
        if (!TickUntilShown(model)) {
            state.SkipWithError("the preview failed");
            return;
        }
        model.Compose(view.data());
        benchmark::DoNotOptimize(view.data());
    }
}

void EveryEffect(benchmark::internal::Benchmark* benchmark) {
    for (FilterKind kind : BuiltEffectKinds()) {
        benchmark->Args({kind, 0});
        benchmark->Args({kind, 1});
    }
}

BENCHMARK(BM_PreviewAfterChange)->Apply(EveryEffect)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace
