#include "gimp/gimp2/Gimp2Interactive.h"

#include <libgimp/gimpui.h>

#include <algorithm>
#include <memory>
#include <string>

#include "filters/ParameterBlock.h"
#include "gimp/LayerViews.h"
#include "gimp/ProcedureRecord.h"
#include "gimp/dialog/EffectDialog.h"

namespace {

// 8-bit colour on the 16-bit scale the core's colour records use.
ps::RGBColor HostColour(const std::array<uint8_t, 3>& bytes) {
    return ps::RGBColor{static_cast<uint16_t>(bytes[0] * 257), static_cast<uint16_t>(bytes[1] * 257),
                        static_cast<uint16_t>(bytes[2] * 257)};
}

}  // namespace

bool ChooseValuesInteractively(const EffectProcedure& procedure, Gimp2Layer& layer, ProcedureValues& values) {
    gimp_ui_init("dapple-gimp", FALSE);
    // Last values that no longer read (a content file since removed) leave
    // a block of no kind, which the dialog starts from the defaults.
    auto block = std::make_unique<ParameterBlock>();
    std::string problem;
    const int32_t shorterSide = std::min(layer.pixels.width, layer.pixels.height);
    if (!RecordFromValues(procedure.kind, values, shorterSide, *block, problem)) block->kind = FilterKinds::None;

    const Image<unsigned char> pixels = LayerPixelsView(layer.pixels);
    const SingleChannelImage<unsigned char> selection =
        SelectionView(layer.selection, layer.pixels.width, layer.pixels.height);
    EffectDialogRequest request;
    request.kind = procedure.kind;
    request.layer = &pixels;
    request.selection = layer.selection.empty() ? nullptr : &selection;
    request.pixelsPerInch = layer.pixelsPerInch;
    request.foreground = HostColour(layer.foreground);
    request.background = HostColour(layer.background);
    request.helpId = procedure.name;
    if (!RunEffectDialog(request, *block)) return false;
    return ValuesFromRecord(procedure.kind, *block, values);
}
