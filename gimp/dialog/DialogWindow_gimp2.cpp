#include "gimp/dialog/DialogWindow_gimp2.h"

#include <libgimp/gimp.h>
#include <libgimp/gimpui.h>

// GIMP's own plug-ins answer Reset with 1, a number GTK leaves free.
const int kResponseReset = 1;

namespace {

// Outside GIMP there is no help browser to ask.
void NoHelp(const gchar*, gpointer) {}

}  // namespace

GtkWidget* NewGimpStyleDialog(const std::string& title, const std::string& helpId, bool insideGimp) {
    GimpHelpFunc help = insideGimp ? gimp_standard_help_func : NoHelp;
    GtkWidget* dialog =
        gimp_dialog_new(title.c_str(), "mornebrook-dapple", nullptr, GtkDialogFlags(0), help, helpId.c_str(), "_Reset",
                        kResponseReset, "_Cancel", GTK_RESPONSE_CANCEL, "_OK", GTK_RESPONSE_OK, nullptr);
    gtk_dialog_set_alternative_button_order(GTK_DIALOG(dialog), kResponseReset, GTK_RESPONSE_OK, GTK_RESPONSE_CANCEL,
                                            -1);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
    if (insideGimp) gimp_window_set_transient(GTK_WINDOW(dialog));
    return dialog;
}
