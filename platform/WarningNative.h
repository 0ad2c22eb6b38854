// Internal to the platform layer: the platform's own way of showing a
// warning, used by ShowWarning when no sink is installed.
#pragma once

#include <string>

void ShowNativeWarning(const std::string& text, void* parentWindow);
