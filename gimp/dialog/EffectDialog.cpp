// The dialog's parts and their order of life: the effect and a working
// copy of the values, the document the preview shows, then the window with
// its preview, settings row and controls. The preview worker is stopped
// before any value changes and before the window goes.
#include "gimp/dialog/EffectDialog.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <string>

#include "dialog/PreviewGeometry.h"
#include "dialog/PreviewSelection.h"
#include "filters/Filter.h"
#include "filters/ParameterSet.h"
#include "gimp/dialog/ContentChooser.h"
#include "gimp/dialog/DialogMessages.h"
#include "gimp/dialog/DialogWindow_gimp2.h"
#include "gimp/dialog/ParameterWidgets.h"
#include "gimp/dialog/PreviewView.h"
#include "gimp/dialog/SettingsBar.h"
#include "host/FilterFactory.h"

namespace {

// The preview area's longest and shortest side.
constexpr int32_t kPreviewMost = 512;
constexpr int32_t kPreviewLeast = 200;

// The area the picture takes once the preview has fitted it into the
// largest area: sized so, the first preview fills it.
void PreviewSize(const Image<unsigned char>& layer, int32_t& width, int32_t& height) {
    PreviewGeometry geometry;
    geometry.SetImageSize(layer.Width(), layer.Height());
    geometry.SetViewSize(kPreviewMost, kPreviewMost);
    geometry.Fit();
    const double scale = geometry.Scale() > 0.0 ? geometry.Scale() : 1.0;
    width = std::clamp(static_cast<int32_t>(std::ceil(layer.Width() / scale)), kPreviewLeast, kPreviewMost);
    height = std::clamp(static_cast<int32_t>(std::ceil(layer.Height() / scale)), kPreviewLeast, kPreviewMost);
}

// The shape the effect works on and the document the preview renders.
struct DialogDocument {
    RowImage mask;
    std::unique_ptr<SingleChannelImage<unsigned char>> maskView;
    PreviewDocument document;

    ResultCode Make(const EffectDialogRequest& request) {
        bool shapeFromTransparency = false;
        const ResultCode made = PreviewSelection(*request.layer, request.selection, mask, shapeFromTransparency);
        if (made.IsFailure()) return made;
        if (mask.HasRows()) maskView = std::make_unique<SingleChannelImage<unsigned char>>(mask);
        document.image = request.layer;
        document.mask = maskView.get();
        document.shapeFromTransparency = shapeFromTransparency;
        document.imageMode =
            request.layer->layout.colourModel == kColourModelGrey ? ps::plugInModeGrayScale : ps::plugInModeRGBColor;
        document.foreground = request.foreground;
        document.background = request.background;
        return ResultCode::Success();
    }
};

class EffectDialogSession {
public:
    EffectDialogSession(const EffectDialogRequest& request, Filter& effect, ParameterBlock& working)
        : request_(request), effect_(effect), working_(working) {}

    ~EffectDialogSession() {
        if (preview_ != nullptr) preview_->Model().StopWorker();
        if (window_ != nullptr) gtk_widget_destroy(window_);
    }

    bool Build(const PreviewDocument& document) {
        if (effect_.BuildParameters(set_, working_).IsFailure()) return false;
        // Last values from elsewhere (a script, an older version) may lie
        // outside what the controls can show; they are brought into range
        // before they are shown, as the effect would take them.
        for (size_t index = 0; index < set_.Count(); ++index) set_.At(index)->Validate();
        effect_.UpdateControlStates(set_, working_);
        window_ = NewGimpStyleDialog("Mornebrook Dapple! \xe2\x80\x93 " + EffectDisplayName(request_.kind),
                                     request_.helpId, request_.insideGimp);
        gtk_widget_set_name(window_, "effect-dialog");

        int32_t width = 0;
        int32_t height = 0;
        PreviewSize(*request_.layer, width, height);
        preview_ = std::make_unique<PreviewView>(document, width, height);
        content_ = std::make_unique<ContentChooserSource>(request_.kind);
        widgets_ = std::make_unique<ParameterWidgets>(
            set_, *content_, [this] { Before(); },
            [this] {
                After(false);
                settings_->Forget();
            });
        settings_ = std::make_unique<SettingsBar>(
            effect_, set_, working_, [this] { Before(); }, [this] { After(true); });

        GtkWidget* columns = gtk_hbox_new(FALSE, 12);
        gtk_container_set_border_width(GTK_CONTAINER(columns), 12);
        // The area keeps the picture's shape however tall the controls are.
        GtkWidget* top = gtk_alignment_new(0.5f, 0.0f, 0.0f, 0.0f);
        gtk_container_add(GTK_CONTAINER(top), preview_->Widget());
        gtk_box_pack_start(GTK_BOX(columns), top, FALSE, FALSE, 0);
        GtkWidget* controls = gtk_vbox_new(FALSE, 12);
        gtk_box_pack_start(GTK_BOX(controls), settings_->Widget(), FALSE, FALSE, 0);
        gtk_box_pack_start(GTK_BOX(controls), gtk_hseparator_new(), FALSE, FALSE, 0);
        gtk_box_pack_start(GTK_BOX(controls), widgets_->Widget(), FALSE, FALSE, 0);
        gtk_box_pack_start(GTK_BOX(columns), controls, FALSE, FALSE, 0);
        GtkWidget* area = gtk_dialog_get_content_area(GTK_DIALOG(window_));
        gtk_box_pack_start(GTK_BOX(area), columns, TRUE, TRUE, 0);
        preview_->Model().SetEffect(&effect_, &working_);
        return true;
    }

    // Runs the window until OK (true) or Cancel or close (false).
    bool Run() {
        gtk_widget_show_all(window_);
        for (;;) {
            const gint response = gtk_dialog_run(GTK_DIALOG(window_));
            if (response == kResponseReset) {
                Before();
                effect_.WriteDefaults(working_);
                After(true);
                settings_->Forget();
                continue;
            }
            preview_->Model().StopWorker();
            return response == GTK_RESPONSE_OK;
        }
    }

private:
    // The worker reads the values: it stops before they change.
    void Before() { preview_->Model().StopWorker(); }

    void After(bool valuesChangedElsewhere) {
        effect_.UpdateControlStates(set_, working_);
        if (valuesChangedElsewhere) widgets_->ShowValues();
        widgets_->ShowStates();
        preview_->Model().MarkDirty();
    }

    const EffectDialogRequest& request_;
    Filter& effect_;
    ParameterBlock& working_;
    ParameterSet set_;
    GtkWidget* window_ = nullptr;
    std::unique_ptr<PreviewView> preview_;
    std::unique_ptr<ContentChooserSource> content_;
    std::unique_ptr<ParameterWidgets> widgets_;
    std::unique_ptr<SettingsBar> settings_;
};

}  // namespace

bool RunEffectDialog(const EffectDialogRequest& request, ParameterBlock& values) {
    if (request.layer == nullptr || !request.layer->HasData()) return false;
    std::unique_ptr<Filter> effect;
    if (CreateFilter(request.kind, effect).IsFailure()) {
        ShowDialogMessage(nullptr, "This effect is not part of this plug-in.");
        return false;
    }
    effect->pixelsPerInch = request.pixelsPerInch;
    effect->targetHasTransparency = request.layer->layout.hasAlpha;

    std::unique_ptr<ParameterBlock> working(new (std::nothrow) ParameterBlock(values));
    DialogDocument document;
    if (working == nullptr || document.Make(request).IsFailure()) {
        ShowDialogMessage(nullptr, "There is not enough memory for the dialog.");
        return false;
    }
    if (working->kind != request.kind) effect->WriteDefaults(*working);

    bool confirmed = false;
    {
        EffectDialogSession session(request, *effect, *working);
        if (!session.Build(document.document)) {
            ShowDialogMessage(nullptr, "There is not enough memory for the dialog.");
            return false;
        }
        confirmed = session.Run();
    }
    if (confirmed) values = *working;
    return confirmed;
}
