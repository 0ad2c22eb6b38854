#include "gimp/dialog/ContentChooser.h"

#include <fnmatch.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "dialog/PreviewPixels.h"
#include "filters/TubeButtonParameter.h"
#include "gimp/dialog/DialogMessages.h"
#include "platform/DataFolder.h"
#include "platform/LocalPath.h"

namespace {

constexpr int kThumbnailSize = 40;
enum Column { kColumnThumbnail, kColumnName, kColumnPath, kColumnCount };
// The last row opens a file chooser; its path column is empty.
constexpr char kOtherFileText[] = "Other File\xe2\x80\xa6";

GdkPixbuf* PixbufOf(const Image<unsigned char>& picture) {
    const int32_t width = picture.Width();
    const int32_t height = picture.Height();
    if (width <= 0 || height <= 0) return nullptr;
    GdkPixbuf* full = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, width, height);
    guchar* pixels = gdk_pixbuf_get_pixels(full);
    const int stride = gdk_pixbuf_get_rowstride(full);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const Point at{picture.bounds.left + x, picture.bounds.top + y};
            const uint32_t colour = ScreenColour(picture.PixelAddress(at), picture.layout, x, y);
            guchar* to = pixels + y * stride + x * 3;
            to[0] = static_cast<guchar>(colour >> 16);
            to[1] = static_cast<guchar>(colour >> 8);
            to[2] = static_cast<guchar>(colour);
        }
    }
    const double scale = std::min(1.0, static_cast<double>(kThumbnailSize) / std::max(width, height));
    const int w = std::max(1, static_cast<int>(width * scale));
    const int h = std::max(1, static_cast<int>(height * scale));
    GdkPixbuf* small = gdk_pixbuf_scale_simple(full, w, h, GDK_INTERP_BILINEAR);
    g_object_unref(full);
    return small;
}

// The name shown: the path below the content folder, without its extension.
std::string ShownName(const std::string& fullPath, const std::string& contentFolder) {
    std::string name = fullPath;
    if (name.compare(0, contentFolder.size(), contentFolder) == 0) name = name.substr(contentFolder.size());
    const size_t dot = name.find_last_of('.');
    const size_t slash = name.find_last_of('/');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) name.erase(dot);
    return name;
}

std::string ContentFolderPath(const ContentFolders& folders) {
    return std::filesystem::path(LocalPath(folders.pluginFolder())) / kContentFolderName;
}

}  // namespace

ContentChooserSource::ContentChooserSource(FilterKind kind) : folders_(DataFolder()), model_(kind, folders_) {}

ContentChooserSource::~ContentChooserSource() {
    for (auto& [path, thumbnail] : thumbnails_) {
        if (thumbnail != nullptr) g_object_unref(thumbnail);
    }
}

const std::vector<std::string>& ContentChooserSource::Files() {
    if (listed_) return files_;
    listed_ = true;
    const std::string pattern = model_.Kind().pattern;
    std::error_code error;
    std::filesystem::recursive_directory_iterator walk(ContentFolderPath(folders_), error);
    for (; !error && walk != std::filesystem::recursive_directory_iterator(); walk.increment(error)) {
        if (!walk->is_regular_file(error)) continue;
        const std::string name = walk->path().filename().string();
        if (fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0) files_.push_back(walk->path().string());
    }
    std::sort(files_.begin(), files_.end());
    return files_;
}

GdkPixbuf* ContentChooserSource::Thumbnail(const std::string& fullPath) {
    const auto found = thumbnails_.find(fullPath);
    if (found != thumbnails_.end()) return found->second;
    Image<unsigned char> picture(ChannelLayout(kColourModelRGB, 3, false));
    GdkPixbuf* thumbnail = model_.Preview(fullPath, picture) && picture.data != nullptr ? PixbufOf(picture) : nullptr;
    thumbnails_[fullPath] = thumbnail;
    return thumbnail;
}

ContentChooser::ContentChooser(ContentChooserSource& source, TubeButtonParameter& parameter,
                               std::function<void(const std::function<void()>&)> change)
    : source_(source), parameter_(parameter), change_(std::move(change)) {
    store_ = gtk_list_store_new(kColumnCount, GDK_TYPE_PIXBUF, G_TYPE_STRING, G_TYPE_STRING);
    const std::string contentFolder = ContentFolderPath(source.Folders()) + "/";
    for (const std::string& file : source.Files()) {
        GtkTreeIter row;
        gtk_list_store_append(store_, &row);
        gtk_list_store_set(store_, &row, kColumnThumbnail, source.Thumbnail(file), kColumnName,
                           ShownName(file, contentFolder).c_str(), kColumnPath, file.c_str(), -1);
    }
    GtkTreeIter other;
    gtk_list_store_append(store_, &other);
    gtk_list_store_set(store_, &other, kColumnName, kOtherFileText, kColumnPath, "", -1);

    combo_ = gtk_combo_box_new_with_model(GTK_TREE_MODEL(store_));
    g_object_unref(store_);
    GtkCellRenderer* picture = gtk_cell_renderer_pixbuf_new();
    gtk_cell_renderer_set_fixed_size(picture, kThumbnailSize + 4, kThumbnailSize + 4);
    gtk_cell_layout_pack_start(GTK_CELL_LAYOUT(combo_), picture, FALSE);
    gtk_cell_layout_add_attribute(GTK_CELL_LAYOUT(combo_), picture, "pixbuf", kColumnThumbnail);
    GtkCellRenderer* text = gtk_cell_renderer_text_new();
    gtk_cell_layout_pack_start(GTK_CELL_LAYOUT(combo_), text, TRUE);
    gtk_cell_layout_add_attribute(GTK_CELL_LAYOUT(combo_), text, "text", kColumnName);
    g_signal_connect(combo_, "changed", G_CALLBACK(Changed), this);
}

std::string ContentChooser::CurrentPath() const {
    ContentReference reference;
    reference.relative = *parameter_.relative;
    std::string path(parameter_.path, strnlen(parameter_.path, parameter_.pathCapacity));
    if (!SetReferencePath(reference, path)) return std::string();
    return LocalPath(source_.Folders().resolve(reference));
}

int ContentChooser::RowOf(const std::string& fullPath) {
    const std::string wanted = std::filesystem::path(fullPath).lexically_normal().string();
    GtkTreeIter row;
    int index = 0;
    for (gboolean more = gtk_tree_model_get_iter_first(GTK_TREE_MODEL(store_), &row); more;
         more = gtk_tree_model_iter_next(GTK_TREE_MODEL(store_), &row), ++index) {
        gchar* path = nullptr;
        gtk_tree_model_get(GTK_TREE_MODEL(store_), &row, kColumnPath, &path, -1);
        const bool same =
            path != nullptr && *path != '\0' && std::filesystem::path(path).lexically_normal().string() == wanted;
        g_free(path);
        if (same) return index;
    }
    // A file from elsewhere goes in before "Other File…".
    const int at = index - 1;
    gtk_list_store_insert(store_, &row, at);
    gtk_list_store_set(store_, &row, kColumnThumbnail, source_.Thumbnail(fullPath), kColumnName,
                       std::filesystem::path(fullPath).stem().string().c_str(), kColumnPath, fullPath.c_str(), -1);
    return at;
}

void ContentChooser::ShowValue() {
    const std::string path = CurrentPath();
    showing_ = true;
    gtk_combo_box_set_active(GTK_COMBO_BOX(combo_), path.empty() ? -1 : RowOf(path));
    showing_ = false;
}

bool ContentChooser::Choose(const std::string& fullPath) {
    if (source_.Model().Validate(fullPath).IsFailure()) {
        ShowDialogMessage(combo_, "\xe2\x80\x9c" + fullPath + "\xe2\x80\x9d is not content this effect can use.");
        return false;
    }
    ContentReference reference;
    if (source_.Folders().store(fullPath, reference).IsFailure()) {
        ShowDialogMessage(combo_, "The path of \xe2\x80\x9c" + fullPath + "\xe2\x80\x9d is too long to keep.");
        return false;
    }
    const std::string stored = ReferencePath(reference);
    if (stored.size() >= parameter_.pathCapacity) return false;
    change_([&] {
        *parameter_.relative = reference.relative;
        std::memset(parameter_.path, 0, parameter_.pathCapacity);
        std::memcpy(parameter_.path, stored.data(), stored.size());
    });
    return true;
}

void ContentChooser::Changed(GtkComboBox* combo, gpointer self) {
    auto* chooser = static_cast<ContentChooser*>(self);
    if (chooser->showing_) return;
    GtkTreeIter row;
    if (!gtk_combo_box_get_active_iter(combo, &row)) return;
    gchar* path = nullptr;
    gtk_tree_model_get(GTK_TREE_MODEL(chooser->store_), &row, kColumnPath, &path, -1);
    const std::string chosen = path != nullptr ? path : "";
    g_free(path);
    if (chosen.empty()) {
        chooser->AskForFile();
    } else if (!chooser->Choose(chosen)) {
        chooser->ShowValue();
    }
}

void ContentChooser::AskForFile() {
    GtkWidget* top = gtk_widget_get_toplevel(combo_);
    GtkWidget* dialog =
        gtk_file_chooser_dialog_new("Open Content File", GTK_WINDOW(top), GTK_FILE_CHOOSER_ACTION_OPEN, "_Cancel",
                                    GTK_RESPONSE_CANCEL, "_Open", GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileFilter* filter = gtk_file_filter_new();
    const std::string pattern = source_.Model().Kind().pattern;
    gtk_file_filter_add_pattern(filter, pattern.c_str());
    gtk_file_filter_set_name(filter, pattern.c_str());
    gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(dialog), filter);
    gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(dialog), ContentFolderPath(source_.Folders()).c_str());
    std::string chosen;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
        gchar* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog));
        if (name != nullptr) chosen = name;
        g_free(name);
    }
    gtk_widget_destroy(dialog);
    if (chosen.empty() || !Choose(chosen)) {
        ShowValue();
        return;
    }
    ShowValue();
}
