#include "gimp/gimp2/Gimp2LastValues.h"

#include <libgimp/gimp.h>

#include <string>

ProcedureValues LoadLastValues(const EffectProcedure& procedure) {
    const gint size = gimp_get_data_size(procedure.name.c_str());
    if (size <= 0) return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    if (!gimp_get_data(procedure.name.c_str(), &text[0])) return {};
    return ValuesFromText(text);
}

void SaveLastValues(const EffectProcedure& procedure, const ProcedureValues& values) {
    const std::string text = ValuesText(values);
    gimp_set_data(procedure.name.c_str(), text.data(), static_cast<guint32>(text.size()));
}
