// Opens the effect dialog on a picture file, for development and for the
// dialog's screenshots; not installed.
//
//   dapple-gimp-dialog-demo EFFECT PICTURE [--screenshot OUT.png]
//
// Content and factory settings come from the data folder (DAPPLE_DATA when
// run from the build).
// EFFECT is an internal name (Edge, Frame, ...). --screenshot waits for the
// first rendered preview, saves the window as a PNG and cancels.
#include <gtk/gtk.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "dialog/PreviewModel.h"
#include "gimp/dialog/EffectDialog.h"
#include "gimp/dialog/EffectDialogParts.h"
#include "gimp/dialog/PreviewView.h"
#include "host/FilterFactory.h"
#include "imagefiles/ImageFiles.h"

namespace {

// Ticks of 100 ms to wait for the first preview.
constexpr int kScreenshotPatience = 600;

struct Screenshot {
    std::string path;
    int ticks = 0;
    bool saved = false;
};

bool KindNamed(const std::string& name, FilterKind& kind) {
    for (const FilterKind candidate : BuiltEffectKinds()) {
        std::unique_ptr<Filter> effect;
        if (CreateFilter(candidate, effect).IsFailure()) continue;
        if (g_ascii_strcasecmp(effect->InternalName().c_str(), name.c_str()) == 0) {
            kind = candidate;
            return true;
        }
    }
    return false;
}

gboolean SaveWhenRendered(gpointer data) {
    auto* shot = static_cast<Screenshot*>(data);
    GtkWidget* dialog = FindEffectDialog();
    PreviewView* view = dialog != nullptr ? PreviewOf(dialog) : nullptr;
    if (++shot->ticks > kScreenshotPatience) {
        std::fprintf(stderr, "dapple-gimp-dialog-demo: no preview after %d s\n", kScreenshotPatience / 10);
        if (dialog != nullptr) gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
        return FALSE;
    }
    if (view != nullptr && view->Model().State() == PreviewState::Failed) {
        std::fprintf(stderr, "dapple-gimp-dialog-demo: the preview failed (is DAPPLE_DATA set?)\n");
        gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
        return FALSE;
    }
    if (view == nullptr || !view->Model().ShowsRendered()) return TRUE;
    GdkWindow* window = gtk_widget_get_window(dialog);
    gdk_window_process_all_updates();
    gdk_flush();
    int width = 0;
    int height = 0;
    gdk_drawable_get_size(window, &width, &height);
    GdkPixbuf* picture = gdk_pixbuf_get_from_drawable(nullptr, window, nullptr, 0, 0, 0, 0, width, height);
    GError* error = nullptr;
    shot->saved = picture != nullptr && gdk_pixbuf_save(picture, shot->path.c_str(), "png", &error, nullptr);
    if (error != nullptr) {
        std::fprintf(stderr, "dapple-gimp-dialog-demo: %s\n", error->message);
        g_error_free(error);
    }
    if (picture != nullptr) g_object_unref(picture);
    gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
    return FALSE;
}

ChannelLayout LayoutOf(const RasterImage& raster) {
    const bool grey = raster.channels <= 2;
    return ChannelLayout(grey ? kColourModelGrey : kColourModelRGB, grey ? 1 : 3, raster.channels % 2 == 0);
}

}  // namespace

int main(int argc, char** argv) {
    std::string screenshot;
    std::string positional[2];
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--screenshot" && i + 1 < argc) {
            screenshot = argv[++i];
        } else if (count < 2) {
            positional[count++] = argument;
        } else {
            count = 3;
        }
    }
    if (count != 2) {
        std::fprintf(stderr, "usage: dapple-gimp-dialog-demo EFFECT PICTURE [--screenshot OUT.png]\n");
        return 2;
    }
    gtk_init(&argc, &argv);

    FilterKind kind = FilterKinds::None;
    if (!KindNamed(positional[0], kind)) {
        std::fprintf(stderr, "dapple-gimp-dialog-demo: no effect named %s\n", positional[0].c_str());
        return 2;
    }
    RasterImage picture;
    const ImageFileStatus read = ReadImageFile(positional[1], picture);
    if (!read.Ok()) {
        std::fprintf(stderr, "dapple-gimp-dialog-demo: %s\n", read.error.c_str());
        return 1;
    }
    const Image<unsigned char> layer(LayoutOf(picture), Rect(0, 0, picture.height, picture.width),
                                     picture.pixels.data(), 0);

    EffectDialogRequest request;
    request.kind = kind;
    request.layer = &layer;
    request.insideGimp = false;
    Screenshot shot{screenshot};
    if (!screenshot.empty()) g_timeout_add(100, SaveWhenRendered, &shot);

    auto values = std::make_unique<ParameterBlock>();
    std::memset(values.get(), 0, sizeof(ParameterBlock));
    values->kind = FilterKinds::None;
    const bool confirmed = RunEffectDialog(request, *values);
    if (!screenshot.empty()) return shot.saved ? 0 : 1;
    std::printf("%s\n", confirmed ? "OK" : "Cancel");
    return 0;
}
