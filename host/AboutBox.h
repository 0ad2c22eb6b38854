// The about box of the family (shown for the about selector of kind 0). The
// user-interface layer installs the window that shows it; where there is no
// window system nothing is shown.
#pragma once

#include <functional>
#include <string>

// Shows the about box with the product version, parented to `parentWindow`
// (may be null); returns when the user closed it.
using AboutBoxPresenter = std::function<void(void* parentWindow, const std::string& productVersion)>;

// Installs `presenter` (an empty one shows nothing) and returns the one it
// replaces.
AboutBoxPresenter SetAboutBoxPresenter(AboutBoxPresenter presenter);

void ShowAboutBox(void* parentWindow);
