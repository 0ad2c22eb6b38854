// dapple-gimp: the GIMP 2.10 plug-in program. It registers one procedure
// per effect under Filters > Mornebrook Dapple! and runs the effect on the
// active layer through the GIMP-independent adapter (gimp/LayerRun.h).
#include <libgimp/gimp.h>

#include <new>
#include <string>
#include <vector>

#include "gimp/LayerRun.h"
#include "gimp/gimp2/Gimp2Interactive.h"
#include "gimp/gimp2/Gimp2LastValues.h"
#include "gimp/gimp2/Gimp2Layer.h"
#include "gimp/gimp2/Gimp2Procedures.h"
#include "host/FilterFactory.h"

namespace {

// What a run hands back to GIMP; it must outlive the run call.
struct ReturnValues {
    GimpParam params[2];
    std::string error;

    void Set(GimpPDBStatusType status, gint* count, GimpParam** returned, const std::string& message = {}) {
        error = message;
        params[0].type = GIMP_PDB_STATUS;
        params[0].data.d_status = status;
        params[1].type = GIMP_PDB_STRING;
        params[1].data.d_string = const_cast<gchar*>(error.c_str());
        *count = error.empty() ? 1 : 2;
        *returned = params;
    }
};

ReturnValues returnValues;

void Query() { InstallGimp2Procedures(EffectProcedures()); }

// The values the run mode asks for; false with `status` when there are none.
bool ValuesForRun(const EffectProcedure& procedure, GimpRunMode mode, gint count, const GimpParam* params,
                  Gimp2Layer& layer, ProcedureValues& values, GimpPDBStatusType& status) {
    switch (mode) {
        case GIMP_RUN_NONINTERACTIVE:
            status = GIMP_PDB_CALLING_ERROR;
            return ReadGimp2Arguments(procedure, count, params, values);
        case GIMP_RUN_WITH_LAST_VALS: values = LoadLastValues(procedure); return true;
        case GIMP_RUN_INTERACTIVE:
            values = LoadLastValues(procedure);
            status = GIMP_PDB_CANCEL;
            return ChooseValuesInteractively(procedure, layer, values);
    }
    status = GIMP_PDB_CALLING_ERROR;
    return false;
}

void RunProcedure(const gchar* name, gint count, const GimpParam* params, gint* returnedCount, GimpParam** returned) {
    const std::vector<EffectProcedure> procedures = EffectProcedures();
    const EffectProcedure* procedure = FindProcedure(procedures, name);
    if (procedure == nullptr || count < kLeadingArguments) {
        returnValues.Set(GIMP_PDB_CALLING_ERROR, returnedCount, returned);
        return;
    }
    const auto mode = static_cast<GimpRunMode>(params[0].data.d_int32);
    gegl_init(nullptr, nullptr);
    Gimp2Layer layer;
    std::string problem;
    if (!ReadGimp2Layer(params[1].data.d_image, params[2].data.d_drawable, layer, problem)) {
        returnValues.Set(GIMP_PDB_EXECUTION_ERROR, returnedCount, returned, problem);
        return;
    }
    ProcedureValues values;
    GimpPDBStatusType status = GIMP_PDB_SUCCESS;
    if (!ValuesForRun(*procedure, mode, count, params, layer, values, status)) {
        returnValues.Set(status, returnedCount, returned);
        return;
    }
    gimp_progress_init(EffectDisplayName(procedure->kind).c_str());
    LayerRunRequest request;
    request.kind = procedure->kind;
    request.layer = std::move(layer.pixels);
    request.selection = layer.selection;
    request.pixelsPerInch = layer.pixelsPerInch;
    request.foreground = layer.foreground;
    request.background = layer.background;
    request.values = values;
    request.progress = [](double fraction) { gimp_progress_update(fraction); };
    const LayerRunResult result = RunEffectOnLayer(std::move(request));
    if (!result.succeeded) {
        returnValues.Set(result.cancelled ? GIMP_PDB_CANCEL : GIMP_PDB_EXECUTION_ERROR, returnedCount, returned,
                         result.message);
        return;
    }
    if (!WriteGimp2Layer(layer, result.layer, problem)) {
        returnValues.Set(GIMP_PDB_EXECUTION_ERROR, returnedCount, returned, problem);
        return;
    }
    gimp_progress_update(1.0);
    SaveLastValues(*procedure, values);
    if (mode != GIMP_RUN_NONINTERACTIVE) {
        for (const std::string& warning : result.warnings) gimp_message(warning.c_str());
        gimp_displays_flush();
    }
    returnValues.Set(GIMP_PDB_SUCCESS, returnedCount, returned);
}

// A plug-in that dies leaves GIMP a bare "plug-in crashed"; running out
// of memory is said instead.
void Run(const gchar* name, gint count, const GimpParam* params, gint* returnedCount, GimpParam** returned) {
    try {
        RunProcedure(name, count, params, returnedCount, returned);
    } catch (const std::bad_alloc&) {
        returnValues.Set(GIMP_PDB_EXECUTION_ERROR, returnedCount, returned,
                         "Mornebrook Dapple! ran out of memory; the layer is unchanged");
    }
}

const GimpPlugInInfo PLUG_IN_INFO = {nullptr, nullptr, Query, Run};

}  // namespace

int main(int argc, char* argv[]) { return gimp_main(&PLUG_IN_INFO, argc, argv); }
