#include "gimp/gimp2/Gimp2Interactive.h"

bool ChooseValuesInteractively(const EffectProcedure& procedure, gint32 image, gint32 drawable,
                               ProcedureValues& values) {
    // For the lead: the GTK dialog (gimp/dialog/EffectDialog.h) goes here.
    // Until it is connected an interactive run takes the last values, as
    // a repeat of the filter does.
    (void)procedure;
    (void)image;
    (void)drawable;
    (void)values;
    return true;
}
