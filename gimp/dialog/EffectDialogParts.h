// Finding the parts of an open effect dialog by their widget names, for
// the demo's screenshots and the tests, which drive the dialog from GTK's
// main loop as a user would.
#pragma once

#include <gtk/gtk.h>

#include <string>

class PreviewView;

// The open effect dialog, or null.
GtkWidget* FindEffectDialog();
// The widget named `name` inside `root` (itself included), or null.
GtkWidget* FindNamedWidget(GtkWidget* root, const std::string& name);
// The preview of the dialog, or null.
PreviewView* PreviewOf(GtkWidget* dialog);
