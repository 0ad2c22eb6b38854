#include "gimp/dialog/EffectDialogParts.h"

#include "gimp/dialog/PreviewView.h"

GtkWidget* FindEffectDialog() {
    GList* windows = gtk_window_list_toplevels();
    GtkWidget* found = nullptr;
    for (GList* item = windows; item != nullptr && found == nullptr; item = item->next) {
        auto* window = static_cast<GtkWidget*>(item->data);
        if (std::string(gtk_widget_get_name(window)) == "effect-dialog" && gtk_widget_get_visible(window))
            found = window;
    }
    g_list_free(windows);
    return found;
}

GtkWidget* FindNamedWidget(GtkWidget* root, const std::string& name) {
    if (root == nullptr) return nullptr;
    if (name == gtk_widget_get_name(root)) return root;
    if (!GTK_IS_CONTAINER(root)) return nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(root));
    GtkWidget* found = nullptr;
    for (GList* item = children; item != nullptr && found == nullptr; item = item->next)
        found = FindNamedWidget(static_cast<GtkWidget*>(item->data), name);
    g_list_free(children);
    return found;
}

PreviewView* PreviewOf(GtkWidget* dialog) {
    GtkWidget* area = FindNamedWidget(dialog, "preview");
    return area != nullptr ? static_cast<PreviewView*>(g_object_get_data(G_OBJECT(area), kPreviewViewKey)) : nullptr;
}
