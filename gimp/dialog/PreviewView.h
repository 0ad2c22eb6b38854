// The dialog's live preview: a drawing area that shows what the preview
// model composes, a progress bar under it, and the 100 ms timer that starts
// and collects the model's render worker. The worker never touches GTK: the
// timer polls it and every drawing happens on GTK's main thread.
//
// A render that fails says so under the preview until the next one; the
// dialog stays usable. The Preview check box turns the effect off and on.
// Drag to pan, the wheel zooms, and holding the middle button shows the
// original.
#pragma once

#include <gtk/gtk.h>

#include <cstdint>
#include <vector>

#include "dialog/PreviewModel.h"

// The drawing area carries its view under this key (EffectDialogParts.h).
inline constexpr char kPreviewViewKey[] = "dapple-preview-view";

class PreviewView final : public IPreviewViews {
public:
    // The area asks for `width` × `height` pixels. `document` must outlive
    // the view.
    PreviewView(const PreviewDocument& document, int32_t width, int32_t height);
    // Stops the timer and the worker.
    ~PreviewView();
    PreviewView(const PreviewView&) = delete;
    PreviewView& operator=(const PreviewView&) = delete;

    // The area and its progress bar, packed together; the dialog owns them.
    GtkWidget* Widget() const { return box_; }
    GtkWidget* Area() const { return area_; }
    PreviewModel& Model() { return model_; }

    void PreviewChanged() override;
    void ShowProgress(double fraction) override;
    void ShowZoom(double scale) override;
    // The worker asks for no host service: nothing to serve.
    void ServeWorker() override {}

    // The view's pixels as the area draws them (0x00RRGGBB, rows top down).
    const std::vector<uint32_t>& Pixels();

private:
    static gboolean Tick(gpointer self);
    static void Toggled(GtkToggleButton* shown, gpointer self);
    static void Allocated(GtkWidget* area, GtkAllocation* allocation, gpointer self);
    static gboolean Exposed(GtkWidget* area, GdkEventExpose* event, gpointer self);
    static gboolean Pressed(GtkWidget* area, GdkEventButton* event, gpointer self);
    static gboolean Released(GtkWidget* area, GdkEventButton* event, gpointer self);
    static gboolean Moved(GtkWidget* area, GdkEventMotion* event, gpointer self);
    static gboolean Scrolled(GtkWidget* area, GdkEventScroll* event, gpointer self);

    PreviewModel model_;
    GtkWidget* box_ = nullptr;
    GtkWidget* area_ = nullptr;
    GtkWidget* progress_ = nullptr;
    guint timer_ = 0;
    std::vector<uint32_t> pixels_;
    GtkWidget* status_ = nullptr;
    bool dragging_ = false;
    double dragX_ = 0.0;
    double dragY_ = 0.0;
};
