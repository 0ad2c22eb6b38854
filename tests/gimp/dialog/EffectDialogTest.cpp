// The GIMP effect dialog driven through GTK as a user drives it: the
// dialog opens on a small picture, a control is moved through its widget,
// the preview drawn on screen is read back from the X server and compared
// with the preview renderer's own result for the new values, and Cancel or
// OK is pressed.
#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "dialog/PreviewPixels.h"
#include "dialog/PreviewRenderer.h"
#include "filters/Filter.h"
#include "filters/LengthSliderParameter.h"
#include "filters/ParameterSet.h"
#include "filters/TubeButtonParameter.h"
#include "gimp/dialog/DialogWindow_gimp2.h"
#include "gimp/dialog/EffectDialog.h"
#include "gimp/dialog/EffectDialogParts.h"
#include "gimp/dialog/PreviewView.h"
#include "host/FilterFactory.h"
#include "parametertext/ReadableNames.h"
#include "settings/DappleSettingsArchiver.h"
#include "settings/SettingsFolders.h"

namespace {

constexpr int kWidth = 96;
constexpr int kHeight = 64;
// Ticks of 20 ms before a step that waits gives up.
constexpr int kPatience = 3000;
constexpr double kChangedWidth = 12.0;

// A picture with something for the edge to work on: a diagonal gradient.
std::vector<unsigned char> Picture() {
    std::vector<unsigned char> pixels(static_cast<size_t>(kWidth) * kHeight * 3);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            unsigned char* p = &pixels[(static_cast<size_t>(y) * kWidth + x) * 3];
            p[0] = static_cast<unsigned char>(x * 255 / kWidth);
            p[1] = static_cast<unsigned char>(y * 255 / kHeight);
            p[2] = static_cast<unsigned char>(128 + (x ^ y) % 64);
        }
    }
    return pixels;
}

// The Edge effect's block at its defaults with its width set to `width` pixels.
void EdgeBlock(ParameterBlock& block, double width) {
    std::unique_ptr<Filter> edge;
    ASSERT_TRUE(CreateFilter(FilterKinds::Edge, edge).IsSuccess());
    edge->WriteDefaults(block);
    ParameterSet set;
    ASSERT_TRUE(edge->BuildParameters(set, block).IsSuccess());
    for (size_t i = 0; i < set.Count(); ++i) {
        if (KeyName(*set.At(i), 0) != "width") continue;
        auto* length = dynamic_cast<LengthSliderParameter*>(set.At(i));
        ASSERT_NE(length, nullptr);
        length->value->Set(width, kLengthPixels);
        return;
    }
    FAIL() << "Edge has no width";
}

// Steps run one after another from GTK's main loop while the dialog is
// open; a step returns false to be called again on the next tick.
class Script {
public:
    void Then(std::function<bool(GtkWidget* dialog)> step) { steps_.push_back(std::move(step)); }
    void Start() { g_timeout_add(20, Tick, this); }
    bool Finished() const { return next_ == steps_.size(); }

private:
    static gboolean Tick(gpointer self) {
        auto* script = static_cast<Script*>(self);
        GtkWidget* dialog = FindEffectDialog();
        if (dialog == nullptr) return script->Finished() ? FALSE : TRUE;
        if (++script->ticks_ > kPatience) {
            ADD_FAILURE() << "step " << script->next_ << " never finished";
            gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
            return FALSE;
        }
        if (script->steps_[script->next_](dialog)) {
            script->ticks_ = 0;
            ++script->next_;
        }
        return script->Finished() ? FALSE : TRUE;
    }

    std::vector<std::function<bool(GtkWidget*)>> steps_;
    size_t next_ = 0;
    int ticks_ = 0;
};

bool PreviewRendered(GtkWidget* dialog) {
    PreviewView* view = PreviewOf(dialog);
    return view != nullptr && view->Model().ShowsRendered();
}

// The preview's pixels as the X server shows them, 0x00RRGGBB.
std::vector<uint32_t> PixelsOnScreen(GtkWidget* area, int width, int height) {
    gdk_window_process_all_updates();
    gdk_flush();
    GdkPixbuf* shot =
        gdk_pixbuf_get_from_drawable(nullptr, gtk_widget_get_window(area), nullptr, 0, 0, 0, 0, width, height);
    std::vector<uint32_t> pixels;
    if (shot == nullptr) return pixels;
    const int stride = gdk_pixbuf_get_rowstride(shot);
    const int channels = gdk_pixbuf_get_n_channels(shot);
    const guchar* data = gdk_pixbuf_get_pixels(shot);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const guchar* p = data + y * stride + x * channels;
            pixels.push_back(uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2]);
        }
    }
    g_object_unref(shot);
    return pixels;
}

class EffectDialogTest : public testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite() {
        int argc = 0;
        ASSERT_TRUE(gtk_init_check(&argc, nullptr)) << "no X display";
    }

    // The dialog of `kind` on the picture, outside GIMP.
    EffectDialogRequest Request(FilterKind kind) const {
        EffectDialogRequest request;
        request.kind = kind;
        request.layer = &layer;
        request.insideGimp = false;
        return request;
    }

    std::vector<unsigned char> pixels = Picture();
    const Image<unsigned char> layer{ChannelLayout(kColourModelRGB, 3, false), Rect(0, 0, kHeight, kWidth),
                                     pixels.data(), 0};
};

// Moves the Edge width slider and presses the button the parameter names.
TEST_P(EffectDialogTest, PreviewFollowsTheControlAndTheButtonDecides) {
    const int button = GetParam();
    auto values = std::make_unique<ParameterBlock>();
    EdgeBlock(*values, 40.0);
    const auto before = std::make_unique<ParameterBlock>(*values);
    auto changed = std::make_unique<ParameterBlock>();
    EdgeBlock(*changed, kChangedWidth);

    // The renderer's preview for the changed values, made apart from the dialog.
    std::unique_ptr<Filter> edge;
    ASSERT_TRUE(CreateFilter(FilterKinds::Edge, edge).IsSuccess());
    PreviewDocument document;
    document.image = &layer;
    PreviewRenderer renderer(document);

    const EffectDialogRequest request = Request(FilterKinds::Edge);

    Script script;
    script.Then(PreviewRendered);
    script.Then([](GtkWidget* dialog) {
        GtkWidget* scale = FindNamedWidget(dialog, "width-scale");
        EXPECT_NE(scale, nullptr);
        if (scale == nullptr) return true;
        gtk_range_set_value(GTK_RANGE(scale), kChangedWidth);
        EXPECT_FALSE(PreviewRendered(dialog)) << "a change asks for a new preview";
        return true;
    });
    script.Then(PreviewRendered);
    script.Then([&](GtkWidget* dialog) {
        PreviewView* view = PreviewOf(dialog);
        const PreviewGeometry& geometry = view->Model().Geometry();
        NeverAborts never;
        EXPECT_TRUE(
            renderer.Render(*edge, *changed, geometry.Scale(), geometry.ShownReduced(), never, nullptr).IsSuccess());
        std::vector<uint32_t> expected(static_cast<size_t>(geometry.ViewWidth()) * geometry.ViewHeight());
        std::vector<uint32_t> original(expected.size());
        ComposeView(geometry, layer, &renderer.Preview(), expected.data());
        ComposeView(geometry, layer, nullptr, original.data());
        EXPECT_NE(expected, original) << "the effect changes the preview";
        const std::vector<uint32_t> shown = PixelsOnScreen(view->Area(), geometry.ViewWidth(), geometry.ViewHeight());
        EXPECT_EQ(shown.size(), expected.size());
        size_t differing = 0;
        for (size_t i = 0; i < std::min(shown.size(), expected.size()); ++i)
            differing += shown[i] != expected[i] ? 1 : 0;
        EXPECT_EQ(differing, 0u) << "preview pixels unlike the renderer's";
        gtk_button_clicked(GTK_BUTTON(gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog), button)));
        return true;
    });
    script.Start();

    const bool confirmed = RunEffectDialog(request, *values);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(confirmed, button == GTK_RESPONSE_OK);
    const ParameterBlock& wanted = button == GTK_RESPONSE_OK ? *changed : *before;
    EXPECT_EQ(std::memcmp(values.get(), &wanted, sizeof(ParameterBlock)), 0);
}

INSTANTIATE_TEST_SUITE_P(CancelAndOk, EffectDialogTest, testing::Values(GTK_RESPONSE_CANCEL, GTK_RESPONSE_OK));

// Sends a key press and release to the focus of `window`, as the X server would.
void PressKey(GtkWidget* window, guint keyval) {
    for (const GdkEventType type : {GDK_KEY_PRESS, GDK_KEY_RELEASE}) {
        GdkEvent* event = gdk_event_new(type);
        event->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(window)));
        event->key.send_event = TRUE;
        event->key.time = GDK_CURRENT_TIME;
        event->key.keyval = keyval;
        GdkKeymapKey* keys = nullptr;
        gint count = 0;
        if (gdk_keymap_get_entries_for_keyval(gdk_keymap_get_default(), keyval, &keys, &count) && count > 0)
            event->key.hardware_keycode = static_cast<guint16>(keys[0].keycode);
        g_free(keys);
        gtk_main_do_event(event);
        gdk_event_free(event);
    }
}

// Reset brings back the defaults, and the arrow key in a focused spin
// button steps the value from there: OK gives the defaults with a width of
// 40 + 1 pixels.
TEST_F(EffectDialogTest, ResetAndArrowKey) {
    auto values = std::make_unique<ParameterBlock>();
    EdgeBlock(*values, kChangedWidth);
    auto expected = std::make_unique<ParameterBlock>();
    EdgeBlock(*expected, 41.0);

    const EffectDialogRequest request = Request(FilterKinds::Edge);
    Script script;
    script.Then([](GtkWidget* dialog) {
        gtk_button_clicked(GTK_BUTTON(gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog), kResponseReset)));
        return true;
    });
    script.Then([](GtkWidget* dialog) {
        GtkWidget* width = FindNamedWidget(dialog, "width");
        EXPECT_NE(width, nullptr);
        if (width == nullptr) return true;
        EXPECT_EQ(gtk_spin_button_get_value(GTK_SPIN_BUTTON(width)), 40.0);
        gtk_window_present(GTK_WINDOW(dialog));
        gtk_widget_grab_focus(width);
        PressKey(dialog, GDK_KEY_Up);
        return true;
    });
    script.Then([](GtkWidget* dialog) {
        gtk_button_clicked(GTK_BUTTON(gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK)));
        return true;
    });
    script.Start();

    EXPECT_TRUE(RunEffectDialog(request, *values));
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(std::memcmp(values.get(), expected.get(), sizeof(ParameterBlock)), 0);
}

// Selects the row of `combo` whose text column `column` reads `text`.
bool SelectRow(GtkWidget* combo, int column, const std::string& text) {
    GtkTreeModel* model = gtk_combo_box_get_model(GTK_COMBO_BOX(combo));
    GtkTreeIter row;
    for (gboolean more = gtk_tree_model_get_iter_first(model, &row); more;
         more = gtk_tree_model_iter_next(model, &row)) {
        gchar* shown = nullptr;
        gtk_tree_model_get(model, &row, column, &shown, -1);
        const bool found = shown != nullptr && text == shown;
        g_free(shown);
        if (found) {
            gtk_combo_box_set_active_iter(GTK_COMBO_BOX(combo), &row);
            return true;
        }
    }
    return false;
}

GtkWidget* FindEntry(GtkWidget* root) {
    if (GTK_IS_ENTRY(root)) return root;
    if (!GTK_IS_CONTAINER(root)) return nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(root));
    GtkWidget* found = nullptr;
    for (GList* item = children; item != nullptr && found == nullptr; item = item->next)
        found = FindEntry(static_cast<GtkWidget*>(item->data));
    g_list_free(children);
    return found;
}

// Types `name` into the name prompt once it opens (it runs its own loop
// inside the Save button's click) and presses its Save.
gboolean AnswerNamePrompt(gpointer name) {
    GList* windows = gtk_window_list_toplevels();
    GtkWidget* prompt = nullptr;
    for (GList* item = windows; item != nullptr; item = item->next) {
        auto* window = static_cast<GtkWidget*>(item->data);
        const gchar* title = gtk_window_get_title(GTK_WINDOW(window));
        if (title != nullptr && std::string(title) == "Save Settings" && gtk_widget_get_visible(window))
            prompt = window;
    }
    g_list_free(windows);
    if (prompt == nullptr) return TRUE;
    gtk_entry_set_text(GTK_ENTRY(FindEntry(prompt)), static_cast<const char*>(name));
    gtk_dialog_response(GTK_DIALOG(prompt), GTK_RESPONSE_OK);
    return FALSE;
}

// A factory setting chosen from the settings list, then a tube from the
// content chooser: OK gives the setting's values with the tube's path as a
// setting keeps it, relative to the data folder; Save… keeps the same
// values as a user setting, which the list then offers.
TEST_F(EffectDialogTest, SettingsListAndContentChooserSetTheValues) {
    const char* data = std::getenv("DAPPLE_DATA");
    ASSERT_NE(data, nullptr) << "DAPPLE_DATA names the build's data folder";
    gchar* user = g_dir_make_tmp("gimp-dialog-XXXXXX", nullptr);
    ASSERT_NE(user, nullptr);
    setenv("XDG_DATA_HOME", user, 1);

    std::unique_ptr<Filter> fill;
    ASSERT_TRUE(CreateFilter(FilterKinds::FillStamp, fill).IsSuccess());
    auto values = std::make_unique<ParameterBlock>();
    fill->WriteDefaults(*values);

    auto expected = std::make_unique<ParameterBlock>(*values);
    ParameterSet set;
    ASSERT_TRUE(fill->BuildParameters(set, *expected).IsSuccess());
    // Where the dialog keeps the user's settings: the folder of the user's data.
    GivenSettingsFolders folders(std::string(user) + "/Mornebrook/Dapple", data);
    DappleSettingsArchiver archiver(folders);
    ASSERT_TRUE(archiver.Load(*fill, set, "Heart Confetti", false).IsSuccess());
    TubeButtonParameter* tube = nullptr;
    for (size_t i = 0; i < set.Count() && tube == nullptr; ++i) tube = dynamic_cast<TubeButtonParameter*>(set.At(i));
    ASSERT_NE(tube, nullptr);
    const std::string tubeName = KeyName(*tube, 0);
    const char stars[] = "\\Content\\Tubes\\Stars.tub";
    std::memset(tube->path, 0, tube->pathCapacity);
    std::memcpy(tube->path, stars, sizeof stars);
    *tube->relative = 1;

    const EffectDialogRequest request = Request(FilterKinds::FillStamp);
    Script script;
    script.Then([](GtkWidget* dialog) {
        GtkWidget* settings = FindNamedWidget(dialog, "settings");
        EXPECT_TRUE(settings != nullptr && SelectRow(settings, 0, "Heart Confetti"));
        return true;
    });
    script.Then([&](GtkWidget* dialog) {
        GtkWidget* chooser = FindNamedWidget(dialog, tubeName);
        EXPECT_TRUE(chooser != nullptr && SelectRow(chooser, 1, "Tubes/Stars"));
        return true;
    });
    script.Then([](GtkWidget* dialog) {
        g_timeout_add(20, AnswerNamePrompt, const_cast<char*>("Mine"));
        gtk_button_clicked(GTK_BUTTON(FindNamedWidget(dialog, "save-settings")));
        EXPECT_TRUE(SelectRow(FindNamedWidget(dialog, "settings"), 0, "Mine"));
        return true;
    });
    script.Then(PreviewRendered);
    script.Then([](GtkWidget* dialog) {
        gtk_button_clicked(GTK_BUTTON(gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK)));
        return true;
    });
    script.Start();

    EXPECT_TRUE(RunEffectDialog(request, *values));
    auto saved = std::make_unique<ParameterBlock>();
    fill->WriteDefaults(*saved);
    ParameterSet savedSet;
    ASSERT_TRUE(fill->BuildParameters(savedSet, *saved).IsSuccess());
    EXPECT_TRUE(archiver.Load(*fill, savedSet, "Mine", true).IsSuccess());
    EXPECT_EQ(std::memcmp(saved.get(), expected.get(), sizeof(ParameterBlock)), 0);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(std::memcmp(values.get(), expected.get(), sizeof(ParameterBlock)), 0);
    const std::ptrdiff_t pathAt = tube->path - reinterpret_cast<char*>(expected.get());
    EXPECT_STREQ(reinterpret_cast<const char*>(values.get()) + pathAt, stars);
    std::filesystem::remove_all(user);
    g_free(user);
}

}  // namespace
