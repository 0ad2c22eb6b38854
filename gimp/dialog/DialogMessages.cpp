#include "gimp/dialog/DialogMessages.h"

namespace {

GtkWindow* WindowOf(GtkWidget* near) {
    GtkWidget* top = near != nullptr ? gtk_widget_get_toplevel(near) : nullptr;
    return top != nullptr && GTK_IS_WINDOW(top) ? GTK_WINDOW(top) : nullptr;
}

}  // namespace

void ShowDialogMessage(GtkWidget* near, const std::string& text) {
    GtkWidget* box = gtk_message_dialog_new(WindowOf(near), GTK_DIALOG_MODAL, GTK_MESSAGE_WARNING, GTK_BUTTONS_CLOSE,
                                            "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(box), "Mornebrook Dapple!");
    gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
}

bool AskDialogQuestion(GtkWidget* near, const std::string& text) {
    GtkWidget* box = gtk_message_dialog_new(WindowOf(near), GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION, GTK_BUTTONS_YES_NO,
                                            "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(box), "Mornebrook Dapple!");
    const bool yes = gtk_dialog_run(GTK_DIALOG(box)) == GTK_RESPONSE_YES;
    gtk_widget_destroy(box);
    return yes;
}

bool AskForName(GtkWidget* near, const std::string& title, const std::string& prompt, std::string& name) {
    GtkWidget* dialog = gtk_dialog_new_with_buttons(title.c_str(), WindowOf(near), GTK_DIALOG_MODAL, "_Cancel",
                                                    GTK_RESPONSE_CANCEL, "_Save", GTK_RESPONSE_OK, nullptr);
    gtk_dialog_set_alternative_button_order(GTK_DIALOG(dialog), GTK_RESPONSE_OK, GTK_RESPONSE_CANCEL, -1);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
    GtkWidget* box = gtk_vbox_new(FALSE, 6);
    gtk_container_set_border_width(GTK_CONTAINER(box), 12);
    GtkWidget* label = gtk_label_new(prompt.c_str());
    gtk_misc_set_alignment(GTK_MISC(label), 0.0f, 0.5f);
    GtkWidget* entry = gtk_entry_new();
    gtk_entry_set_text(GTK_ENTRY(entry), name.c_str());
    gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);
    gtk_box_pack_start(GTK_BOX(box), label, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), entry, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), box, TRUE, TRUE, 0);
    gtk_widget_show_all(box);
    const bool saved = gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_OK;
    if (saved) name = gtk_entry_get_text(GTK_ENTRY(entry));
    gtk_widget_destroy(dialog);
    return saved;
}
