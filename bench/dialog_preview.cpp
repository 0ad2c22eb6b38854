// What the user waits for in the filter dialog: the time from a parameter
// change to the preview showing the new render, for each effect at its
// defaults (its default content from the pack) on the shared 6000 x 4000
// picture with its soft elliptical selection, in the dialog's preview at its
// opening size (648 x 548). The dialog's timer is played as it runs while a
// render is due: a tick 15 ms after the change starts the render and ticks
// every 15 ms notice its end; then the view is composed. Zoom 0: the whole
// picture (fitted, 8.33 %); zoom 1: 100 %.
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "bench/EffectBench.h"
#include "dialog/PreviewModel.h"
#include "filters/LengthSliderParameter.h"
#include "filters/ParameterSet.h"
#include "filters/RandomSeedParameter.h"
#include "filters/SliderParameter.h"

namespace {

using namespace effect_bench;

constexpr int32_t kViewWidth = 648;
constexpr int32_t kViewHeight = 548;
constexpr auto kTick = std::chrono::milliseconds(15);
constexpr Selection kSelection = Selection::SoftEllipse;

class NoViews : public IPreviewViews {
public:
    void PreviewChanged() override {}
    void ShowProgress(double) override {}
    void ShowZoom(double) override {}
    void ServeWorker() override {}
};

// A change the user could make: the next random seed, or else the first
// slider or length moved by one, up and down in turn.
void ChangeParameter(ParameterSet& set, int step) {
    const double by = step % 2 == 1 ? 1.0 : -1.0;
    for (std::size_t i = 0; i < set.Count(); ++i) {
        if (auto* seed = dynamic_cast<RandomSeedParameter*>(set.At(i))) {
            *seed->value = static_cast<uint16_t>(1 + step % 1000);
            return;
        }
    }
    for (std::size_t i = 0; i < set.Count(); ++i) {
        if (auto* slider = dynamic_cast<SliderParameter*>(set.At(i))) {
            *slider->value += by;
            slider->Validate();
            return;
        }
        if (auto* length = dynamic_cast<LengthSliderParameter*>(set.At(i))) {
            length->value->value += by;
            length->Validate();
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
    BenchEffect effect = AtDefaultsWithPack(static_cast<FilterKind>(state.range(0)));
    if (!Ready(state, kSelection, effect)) return;
    state.SetLabel(effect.filter->InternalName());
    ParameterSet set;
    effect.filter->BuildParameters(set, effect.block);
    const Image<unsigned char> image(Picture(), ChannelLayout(kColourModelRGB, 3, false));
    const SingleChannelImage<unsigned char> mask(SelectionMask(kSelection));
    PreviewDocument document;
    document.image = &image;
    document.mask = &mask;
    NoViews views;
    PreviewModel model(document, views);
    model.SetEffect(effect.filter.get(), &effect.block);
    model.Layout(kViewWidth, kViewHeight);
    if (state.range(1) == 1) model.ActualSize();
    std::vector<uint32_t> view(static_cast<std::size_t>(kViewWidth) * kViewHeight);
    // The first render also makes the reduced copy of the picture.
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
