// The content chooser: a drop-down list of the content files of the
// effect's kind found in the content folder, each with its thumbnail, and
// "Other File…" to open one from anywhere. A file chosen is checked with
// the effect's own reader before it is taken; one that fails is refused
// with a message and the value stays.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/FilterKind.h"
#include "content/ContentFolders.h"
#include "content/EffectContentModel.h"

class TubeButtonParameter;

// The content of one effect in one data folder, shared by its choosers.
class ContentChooserSource {
public:
    // The content folder of the program's data folder, where the effects
    // look for their content.
    explicit ContentChooserSource(FilterKind kind);
    ~ContentChooserSource();
    ContentChooserSource(const ContentChooserSource&) = delete;
    ContentChooserSource& operator=(const ContentChooserSource&) = delete;

    const ContentFolders& Folders() const { return folders_; }
    IContentChooserModel& Model() { return model_; }
    // The files of the effect's kind below the content folder, sorted by path.
    const std::vector<std::string>& Files();
    // A thumbnail at most `size` pixels on its longer side (kept; not to be
    // unreferenced by the caller); null when the file has no picture.
    GdkPixbuf* Thumbnail(const std::string& fullPath);

private:
    ContentFolders folders_;
    EffectContentModel model_;
    bool listed_ = false;
    std::vector<std::string> files_;
    std::map<std::string, GdkPixbuf*> thumbnails_;
};

class ContentChooser {
public:
    // `change` runs a write to the parameter as a change of the user's.
    ContentChooser(ContentChooserSource& source, TubeButtonParameter& parameter,
                   std::function<void(const std::function<void()>&)> change);
    ContentChooser(const ContentChooser&) = delete;
    ContentChooser& operator=(const ContentChooser&) = delete;

    GtkWidget* Widget() const { return combo_; }
    // Selects the file the parameter names (added to the list when it is
    // not in the content folder).
    void ShowValue();
    // Takes `fullPath` as the user's choice; false, with a message, when it
    // is not content of the effect's kind.
    bool Choose(const std::string& fullPath);

private:
    static void Changed(GtkComboBox* combo, gpointer self);
    std::string CurrentPath() const;
    int RowOf(const std::string& fullPath);
    void AskForFile();

    ContentChooserSource& source_;
    TubeButtonParameter& parameter_;
    std::function<void(const std::function<void()>&)> change_;
    GtkListStore* store_ = nullptr;
    GtkWidget* combo_ = nullptr;
    bool showing_ = false;
};
