#include "gimp/gimp2/Gimp2Procedures.h"

#include <cstring>
#include <string>

#include "plugins/EffectModules.h"

namespace {

GimpPDBArgType PdbTypeOf(ArgumentType type) {
    switch (type) {
        case ArgumentType::Float: return GIMP_PDB_FLOAT;
        case ArgumentType::Int: return GIMP_PDB_INT32;
        case ArgumentType::String: break;
    }
    return GIMP_PDB_STRING;
}

gchar* Text(const std::string& text) { return const_cast<gchar*>(text.c_str()); }

}  // namespace

void InstallGimp2Procedures(const std::vector<EffectProcedure>& procedures) {
    static GimpParamDef returned[] = {
        {GIMP_PDB_STRING, const_cast<gchar*>("error"), const_cast<gchar*>("why it failed")}};
    const std::string menu = std::string("<Image>/Filters/") + kEffectCategory;
    for (const EffectProcedure& procedure : procedures) {
        std::vector<GimpParamDef> params = {
            {GIMP_PDB_INT32, const_cast<gchar*>("run-mode"),
             const_cast<gchar*>(
                 "The run mode { RUN-INTERACTIVE (0), RUN-NONINTERACTIVE (1), RUN-WITH-LAST-VALS (2) }")},
            {GIMP_PDB_IMAGE, const_cast<gchar*>("image"), const_cast<gchar*>("Input image")},
            {GIMP_PDB_DRAWABLE, const_cast<gchar*>("drawable"), const_cast<gchar*>("The layer to apply the effect to")},
        };
        for (const ProcedureArgument& argument : procedure.arguments)
            params.push_back({PdbTypeOf(argument.type), Text(argument.name), Text(argument.description)});
        gimp_install_procedure(procedure.name.c_str(), procedure.blurb.c_str(), procedure.help.c_str(),
                               "Mornebrook Dapple!", "Mornebrook Dapple!", "2026", procedure.menuLabel.c_str(),
                               "RGB*, GRAY*", GIMP_PLUGIN, static_cast<gint>(params.size()), 1, params.data(),
                               returned);
        gimp_plugin_menu_register(procedure.name.c_str(), menu.c_str());
    }
}

const EffectProcedure* FindProcedure(const std::vector<EffectProcedure>& procedures, const char* name) {
    for (const EffectProcedure& procedure : procedures) {
        if (procedure.name == name) return &procedure;
    }
    return nullptr;
}

bool ReadGimp2Arguments(const EffectProcedure& procedure, gint count, const GimpParam* params,
                        ProcedureValues& values) {
    const std::size_t expected = procedure.arguments.size() + kLeadingArguments;
    if (count < 0 || static_cast<std::size_t>(count) != expected) return false;
    std::vector<ArgumentValue> arguments;
    for (std::size_t i = 0; i < procedure.arguments.size(); ++i) {
        const GimpParam& param = params[i + kLeadingArguments];
        if (param.type != PdbTypeOf(procedure.arguments[i].type)) return false;
        ArgumentValue value;
        switch (procedure.arguments[i].type) {
            case ArgumentType::Float: value.number = param.data.d_float; break;
            case ArgumentType::Int: value.integer = param.data.d_int32; break;
            case ArgumentType::String: value.text = param.data.d_string != nullptr ? param.data.d_string : ""; break;
        }
        arguments.push_back(std::move(value));
    }
    values = ValuesFromArguments(procedure, arguments);
    return true;
}
