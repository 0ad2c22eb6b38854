// --plugin with one of the family's own modules runs only that module's effect.
#include "cli/FamilyModuleCheck.h"

#include <gtest/gtest.h>

#include <string>

namespace {

PluginProperty PascalProperty(const char (&key)[5], const std::string& text) {
    PluginProperty property;
    property.key = PropertyKey(key);
    property.data.push_back(static_cast<uint8_t>(text.size()));
    property.data.insert(property.data.end(), text.begin(), text.end());
    return property;
}

PluginPropertyList ListOf(const std::string& category, const std::string& name) {
    PluginPropertyList list;
    list.properties = {PascalProperty("name", name), PascalProperty("catg", category)};
    return list;
}

TEST(FamilyModuleCheck, AFamilyModuleRunsOnlyItsOwnEffect) {
    std::string problem;
    // Kind 1 is Edges, kind 3 Frame.
    EXPECT_TRUE(PluginModuleRunsEffect(ListOf("Mornebrook Dapple!", "Edges..."), 1, "Edge", problem));
    EXPECT_FALSE(PluginModuleRunsEffect(ListOf("Mornebrook Dapple!", "Frame..."), 1, "Edge", problem));
    EXPECT_NE(problem.find("DappleFrame.8bf"), std::string::npos) << problem;
    // Another family's module with a name like ours is the user's choice.
    EXPECT_TRUE(PluginModuleRunsEffect(ListOf("Other Filters", "Frame..."), 1, "Edge", problem));
}

}  // namespace
