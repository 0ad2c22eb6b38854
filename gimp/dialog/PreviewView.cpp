#include "gimp/dialog/PreviewView.h"

#include <cmath>
#include <string>

#include "dialog/PreviewPixels.h"
#include "platform/ResourceStrings.h"

namespace {

constexpr guint kPollMilliseconds = 100;

// The render's own message when it gives one, as the Windows dialog shows it.
std::string FailureText(const ResultCode& result) {
    if (result.status == ResultCode::kOutOfMemory) return "There is not enough memory for the preview.";
    if (result.messageId != 0) return LoadResourceString(result.messageId);
    return "The preview could not be made with these values.";
}

}  // namespace

PreviewView::PreviewView(const PreviewDocument& document, int32_t width, int32_t height) : model_(document, *this) {
    box_ = gtk_vbox_new(FALSE, 4);
    GtkWidget* frame = gtk_frame_new(nullptr);
    gtk_frame_set_shadow_type(GTK_FRAME(frame), GTK_SHADOW_IN);
    area_ = gtk_drawing_area_new();
    gtk_widget_set_name(area_, "preview");
    g_object_set_data(G_OBJECT(area_), kPreviewViewKey, this);
    gtk_widget_set_size_request(area_, width, height);
    gtk_widget_add_events(area_,
                          GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK | GDK_SCROLL_MASK);
    gtk_container_add(GTK_CONTAINER(frame), area_);
    gtk_box_pack_start(GTK_BOX(box_), frame, TRUE, TRUE, 0);
    progress_ = gtk_progress_bar_new();
    gtk_widget_set_size_request(progress_, -1, 8);
    gtk_box_pack_start(GTK_BOX(box_), progress_, FALSE, FALSE, 0);
    // GIMP's previews can be turned off: the picture then shows as it is.
    GtkWidget* shown = gtk_check_button_new_with_mnemonic("_Preview");
    gtk_widget_set_name(shown, "show-preview");
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(shown), TRUE);
    gtk_box_pack_start(GTK_BOX(box_), shown, FALSE, FALSE, 0);
    g_signal_connect(shown, "toggled", G_CALLBACK(Toggled), this);
    status_ = gtk_label_new("");
    gtk_widget_set_name(status_, "preview-status");
    gtk_label_set_line_wrap(GTK_LABEL(status_), TRUE);
    gtk_box_pack_start(GTK_BOX(box_), status_, FALSE, FALSE, 0);

    g_signal_connect(area_, "size-allocate", G_CALLBACK(Allocated), this);
    g_signal_connect(area_, "expose-event", G_CALLBACK(Exposed), this);
    g_signal_connect(area_, "button-press-event", G_CALLBACK(Pressed), this);
    g_signal_connect(area_, "button-release-event", G_CALLBACK(Released), this);
    g_signal_connect(area_, "motion-notify-event", G_CALLBACK(Moved), this);
    g_signal_connect(area_, "scroll-event", G_CALLBACK(Scrolled), this);
    // The dialog destroys the widgets; the view still talks to them until it goes.
    g_object_ref(area_);
    g_object_ref(progress_);
    g_object_ref(status_);
    timer_ = g_timeout_add(kPollMilliseconds, Tick, this);
}

PreviewView::~PreviewView() {
    if (timer_ != 0) g_source_remove(timer_);
    model_.StopWorker();
    g_signal_handlers_disconnect_matched(area_, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, this);
    g_object_set_data(G_OBJECT(area_), kPreviewViewKey, nullptr);
    g_object_unref(progress_);
    g_object_unref(status_);
    g_object_unref(area_);
}

void PreviewView::PreviewChanged() {
    if (area_ != nullptr) gtk_widget_queue_draw(area_);
}

void PreviewView::ShowProgress(double fraction) {
    if (progress_ != nullptr) gtk_progress_bar_set_fraction(GTK_PROGRESS_BAR(progress_), fraction);
}

void PreviewView::ShowZoom(double scale) {
    if (progress_ == nullptr) return;
    const int percent = static_cast<int>(std::lround(100.0 / scale));
    const std::string text = std::to_string(percent) + " %";
    gtk_widget_set_tooltip_text(area_, text.c_str());
}

const std::vector<uint32_t>& PreviewView::Pixels() {
    const PreviewGeometry& geometry = model_.Geometry();
    pixels_.assign(static_cast<size_t>(geometry.ViewWidth()) * geometry.ViewHeight(), kPreviewBackground);
    if (!pixels_.empty()) model_.Compose(pixels_.data());
    return pixels_;
}

void PreviewView::Toggled(GtkToggleButton* shown, gpointer self) {
    static_cast<PreviewView*>(self)->model_.ShowEffect(gtk_toggle_button_get_active(shown));
}

gboolean PreviewView::Tick(gpointer self) {
    auto* view = static_cast<PreviewView*>(self);
    const ResultCode result = view->model_.Poll();
    if (result.IsFailure()) {
        gtk_label_set_text(GTK_LABEL(view->status_), FailureText(result).c_str());
    } else if (view->model_.State() != PreviewState::Failed) {
        gtk_label_set_text(GTK_LABEL(view->status_), "");
    }
    return TRUE;
}

void PreviewView::Allocated(GtkWidget*, GtkAllocation* allocation, gpointer self) {
    auto* view = static_cast<PreviewView*>(self);
    const PreviewGeometry& geometry = view->model_.Geometry();
    if (geometry.ViewWidth() == allocation->width && geometry.ViewHeight() == allocation->height) return;
    view->model_.Layout(allocation->width, allocation->height);
}

gboolean PreviewView::Exposed(GtkWidget* area, GdkEventExpose*, gpointer self) {
    auto* view = static_cast<PreviewView*>(self);
    const std::vector<uint32_t>& pixels = view->Pixels();
    const PreviewGeometry& geometry = view->model_.Geometry();
    if (pixels.empty()) return TRUE;
    // CAIRO_FORMAT_RGB24 is a native 32-bit word 0x00RRGGBB: the composed pixels as they are.
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(pixels.data())), CAIRO_FORMAT_RGB24,
        geometry.ViewWidth(), geometry.ViewHeight(), geometry.ViewWidth() * 4);
    cairo_t* cairo = gdk_cairo_create(gtk_widget_get_window(area));
    cairo_set_source_surface(cairo, surface, 0, 0);
    cairo_paint(cairo);
    cairo_destroy(cairo);
    cairo_surface_destroy(surface);
    return TRUE;
}

gboolean PreviewView::Pressed(GtkWidget*, GdkEventButton* event, gpointer self) {
    auto* view = static_cast<PreviewView*>(self);
    if (event->type != GDK_BUTTON_PRESS) return FALSE;
    if (event->button == 2) {
        view->model_.HoldOriginal(true);
        return TRUE;
    }
    if (event->button != 1) return FALSE;
    view->dragging_ = true;
    view->dragX_ = event->x;
    view->dragY_ = event->y;
    view->model_.BeginPan();
    return TRUE;
}

gboolean PreviewView::Released(GtkWidget*, GdkEventButton* event, gpointer self) {
    auto* view = static_cast<PreviewView*>(self);
    if (event->button == 2) {
        view->model_.HoldOriginal(false);
        return TRUE;
    }
    if (event->button != 1 || !view->dragging_) return FALSE;
    view->dragging_ = false;
    view->model_.PanBy(static_cast<int32_t>(event->x - view->dragX_), static_cast<int32_t>(event->y - view->dragY_),
                       true);
    return TRUE;
}

gboolean PreviewView::Moved(GtkWidget*, GdkEventMotion* event, gpointer self) {
    auto* view = static_cast<PreviewView*>(self);
    if (!view->dragging_) return FALSE;
    view->model_.PanBy(static_cast<int32_t>(event->x - view->dragX_), static_cast<int32_t>(event->y - view->dragY_),
                       false);
    return TRUE;
}

gboolean PreviewView::Scrolled(GtkWidget*, GdkEventScroll* event, gpointer self) {
    auto* view = static_cast<PreviewView*>(self);
    const auto x = static_cast<int32_t>(event->x);
    const auto y = static_cast<int32_t>(event->y);
    if (event->direction == GDK_SCROLL_UP) view->model_.ZoomInAt(x, y);
    if (event->direction == GDK_SCROLL_DOWN) view->model_.ZoomOutAt(x, y);
    return TRUE;
}
