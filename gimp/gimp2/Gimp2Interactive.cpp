#include "gimp/gimp2/Gimp2Interactive.h"

bool ChooseValuesInteractively(const EffectProcedure& procedure, const Gimp2Layer& layer, ProcedureValues& values) {
    // For the lead, connecting the GTK dialog (gimp/dialog/EffectDialog.h):
    //   gimp_ui_init, then RecordFromValues(procedure.kind, values, shorter
    //   side of layer.pixels, block, problem) (gimp/ProcedureRecord.h);
    //   RunEffectDialog with layer.pixels and layer.selection as Image views,
    //   layer.pixelsPerInch and helpId = procedure.name; on OK
    //   ValuesFromRecord(procedure.kind, block, values); on Cancel false.
    // Until then an interactive run takes the last values, as a repeat of
    // the filter does.
    (void)procedure;
    (void)layer;
    (void)values;
    return true;
}
