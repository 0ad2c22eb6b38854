#include "gimp/gimp2/Gimp2Interactive.h"

bool ChooseValuesInteractively(const EffectProcedure& procedure, Gimp2Layer& layer, ProcedureValues& values) {
    // For the lead, connecting the GTK dialog (gimp/dialog/EffectDialog.h):
    //   gimp_ui_init("dapple-gimp", FALSE);
    //   ParameterBlock block (zeroed); RecordFromValues(procedure.kind, values,
    //     shorter side of layer.pixels, block, problem)   gimp/ProcedureRecord.h
    //     (on failure start from the defaults: kind None);
    //   const Image<unsigned char> pixels = LayerPixelsView(layer.pixels);
    //   SingleChannelImage<unsigned char> selection = SelectionView(layer.selection,
    //     width, height), passed only when layer.selection is not empty   gimp/LayerViews.h
    //   EffectDialogRequest: kind, &pixels, &selection or null,
    //     layer.pixelsPerInch, helpId = procedure.name, foreground and
    //     background from gimp_context_get_foreground/background;
    //   RunEffectDialog(request, block): false -> return false;
    //   ValuesFromRecord(procedure.kind, block, values); return true.
    // Until then an interactive run takes the last values, as a repeat of
    // the filter does.
    (void)procedure;
    (void)layer;
    (void)values;
    return true;
}
