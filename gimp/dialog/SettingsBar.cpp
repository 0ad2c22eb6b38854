#include "gimp/dialog/SettingsBar.h"

#include "gimp/dialog/DialogMessages.h"

namespace {

// The first row says what the list is for and loads nothing.
constexpr char kPlaceholder[] = "Choose a setting\xe2\x80\xa6";

gboolean IsSeparator(GtkTreeModel* model, GtkTreeIter* row, gpointer) {
    gchar* text = nullptr;
    gtk_tree_model_get(model, row, 0, &text, -1);
    const bool separator = text == nullptr || *text == '\0';
    g_free(text);
    return separator;
}

}  // namespace

SettingsBar::SettingsBar(const Filter& effect, ParameterSet& set, ParameterBlock& block, std::function<void()> before,
                         std::function<void()> after)
    : effect_(effect),
      set_(set),
      block_(block),
      archiver_(folders_),
      before_(std::move(before)),
      after_(std::move(after)) {
    box_ = gtk_hbox_new(FALSE, 6);
    GtkWidget* label = gtk_label_new_with_mnemonic("_Settings:");
    combo_ = gtk_combo_box_text_new();
    gtk_widget_set_name(combo_, "settings");
    gtk_combo_box_set_row_separator_func(GTK_COMBO_BOX(combo_), IsSeparator, nullptr, nullptr);
    gtk_label_set_mnemonic_widget(GTK_LABEL(label), combo_);
    GtkWidget* save = gtk_button_new_with_mnemonic("Sa_ve\xe2\x80\xa6");
    gtk_widget_set_name(save, "save-settings");
    gtk_widget_set_tooltip_text(save, "Keep the current values under a name, for this dialog and the dapple command");
    gtk_box_pack_start(GTK_BOX(box_), label, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box_), combo_, TRUE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(box_), save, FALSE, FALSE, 0);
    g_signal_connect(combo_, "changed", G_CALLBACK(Chosen), this);
    g_signal_connect(save, "clicked", G_CALLBACK(SaveClicked), this);
    Refill();
}

void SettingsBar::Refill() {
    filling_ = true;
    gtk_list_store_clear(GTK_LIST_STORE(gtk_combo_box_get_model(GTK_COMBO_BOX(combo_))));
    entries_.assign(1, Entry{kPlaceholder, false});
    for (const bool fromUser : {false, true}) {
        std::vector<std::string> names;
        archiver_.ListSettings(effect_, fromUser, names);
        if (names.empty()) continue;
        entries_.push_back(Entry{});
        for (const std::string& name : names) entries_.push_back(Entry{name, fromUser});
    }
    for (const Entry& entry : entries_) gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(combo_), entry.name.c_str());
    gtk_combo_box_set_active(GTK_COMBO_BOX(combo_), 0);
    filling_ = false;
}

bool SettingsBar::Load(const std::string& name, bool fromUser) {
    before_();
    const ParameterBlock kept = block_;
    const ResultCode loaded = archiver_.Load(effect_, set_, name, fromUser);
    // Half a setting is none: the values stay as they were.
    if (loaded.IsFailure()) block_ = kept;
    after_();
    if (loaded.IsFailure())
        ShowDialogMessage(box_, "The setting \xe2\x80\x9c" + name + "\xe2\x80\x9d could not be read.");
    return loaded.IsSuccess();
}

bool SettingsBar::Save(const std::string& name) {
    if (!SettingsArchiver::IsValidName(name)) {
        ShowDialogMessage(box_, "\xe2\x80\x9c" + name + "\xe2\x80\x9d cannot be used as the name of a setting.");
        return false;
    }
    if (archiver_.Exists(effect_, name) &&
        !AskDialogQuestion(box_, "A setting named \xe2\x80\x9c" + name + "\xe2\x80\x9d exists. Replace it?")) {
        return false;
    }
    if (archiver_.Save(effect_, set_, name).IsFailure()) {
        ShowDialogMessage(box_, "The setting \xe2\x80\x9c" + name + "\xe2\x80\x9d could not be saved.");
        return false;
    }
    Refill();
    return true;
}

void SettingsBar::Forget() {
    filling_ = true;
    gtk_combo_box_set_active(GTK_COMBO_BOX(combo_), 0);
    filling_ = false;
}

void SettingsBar::Chosen(GtkComboBox* combo, gpointer self) {
    auto* bar = static_cast<SettingsBar*>(self);
    if (bar->filling_) return;
    const gint index = gtk_combo_box_get_active(combo);
    if (index <= 0 || static_cast<size_t>(index) >= bar->entries_.size()) return;
    const Entry entry = bar->entries_[index];
    if (entry.name.empty()) return;
    bar->Load(entry.name, entry.fromUser);
}

void SettingsBar::SaveClicked(GtkButton*, gpointer self) {
    auto* bar = static_cast<SettingsBar*>(self);
    std::string name;
    if (!AskForName(bar->box_, "Save Settings", "Name of the setting:", name)) return;
    bar->Save(name);
}
