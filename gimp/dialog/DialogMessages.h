// Messages and questions of the dialog, as small modal GTK boxes above it.
#pragma once

#include <gtk/gtk.h>

#include <string>

// A warning above the window that holds `near` (any widget of it).
void ShowDialogMessage(GtkWidget* near, const std::string& text);
// True when the user answers yes.
bool AskDialogQuestion(GtkWidget* near, const std::string& text);
// A name typed by the user; false when the user cancels.
bool AskForName(GtkWidget* near, const std::string& title, const std::string& prompt, std::string& name);
