#include "cli/FamilyModuleCheck.h"

#include "plugins/EffectModules.h"

bool PluginModuleRunsEffect(const PluginPropertyList& properties, int32_t kind, const std::string& effectName,
                            std::string& problem) {
    if (PropertyPascalString(properties, PropertyKey("catg")) != kEffectCategory) return true;
    const std::string menuName = PropertyPascalString(properties, PropertyKey("name"));
    for (const EffectModule& module : kEffectModules) {
        if (menuName != module.menuName || module.kind == kind) continue;
        problem = "it is " + std::string(module.fileName) + ".8bf, the module of another effect than " + effectName;
        return false;
    }
    return true;
}
