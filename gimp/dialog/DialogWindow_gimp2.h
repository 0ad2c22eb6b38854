// The dialog window in GIMP's idiom, and the few other things the dialog
// asks of libgimpui: kept here so that a GIMP 3 build replaces this pair
// of files and nothing else.
#pragma once

#include <gtk/gtk.h>

#include <string>

// The response of the Reset button.
extern const int kResponseReset;

// A dialog with Reset, Help, Cancel and OK in GIMP's order. `insideGimp`:
// Help opens GIMP's help on `helpId` and the window stays above GIMP's;
// otherwise Help does nothing.
GtkWidget* NewGimpStyleDialog(const std::string& title, const std::string& helpId, bool insideGimp);
