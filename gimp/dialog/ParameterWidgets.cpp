#include "gimp/dialog/ParameterWidgets.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "filters/CheckboxParameter.h"
#include "filters/ColorParameter.h"
#include "filters/ColourConversion.h"
#include "filters/DirectionParameter.h"
#include "filters/LayerFillParameter.h"
#include "filters/LengthSliderParameter.h"
#include "filters/LightingParameter.h"
#include "filters/ListboxParameter.h"
#include "filters/RandomSeedParameter.h"
#include "filters/SliderParameter.h"
#include "filters/TubeButtonParameter.h"
#include "parametertext/LengthText.h"
#include "parametertext/ParameterDescriptions.h"
#include "parametertext/ReadableNames.h"

// One parameter's widgets: what shows the block's value in them, and the
// widgets to make sensitive or not.
struct ParameterWidgets::Row {
    FilterParameter* parameter = nullptr;
    std::vector<GtkWidget*> widgets;
    std::function<void()> show;
    std::unique_ptr<ContentChooser> chooser;
};

// Widgets are made in rows of a four-column table: label, scale (or the
// control), spin button, unit.
struct ParameterWidgets::Builder {
    Builder(const ParameterSet& set, std::function<void()> before, std::function<void()> after)
        : before_(std::move(before)), after_(std::move(after)) {
        for (const ParameterDescription& description : DescribeParameters(set))
            descriptions_[description.key] = description;
    }

    // The help of a key: its line of help and the values it takes.
    std::string Help(uint32_t key) const {
        const auto found = descriptions_.find(key);
        if (found == descriptions_.end()) return std::string();
        std::string help = found->second.description;
        // Only a number's range says more than its control shows; the other
        // kinds' words are about typing values on a command line.
        const KeyShape& shape = found->second.shape;
        const std::string range =
            shape.kind == KeyKind::Number || shape.kind == KeyKind::Seed ? RangeWords(shape) : std::string();
        if (!range.empty()) help += (help.empty() ? "" : "\n") + range;
        return help;
    }

    // Runs `write` as a change of the user's, unless values are being shown.
    void Change(const std::function<void()>& write) const {
        if (showing_) return;
        before_();
        write();
        after_();
    }
    bool showing_ = false;

    std::map<uint32_t, ParameterDescription> descriptions_;
    std::function<void()> before_;
    std::function<void()> after_;
};

namespace {

using RowBuilder = ParameterWidgets::Builder;

struct Table {
    GtkWidget* table = nullptr;
    guint rows = 0;
};

GtkWidget* Label(const std::string& text) {
    GtkWidget* label = gtk_label_new_with_mnemonic(text.c_str());
    gtk_misc_set_alignment(GTK_MISC(label), 0.0f, 0.5f);
    return label;
}

void Attach(Table& table, GtkWidget* widget, guint left, guint right, GtkAttachOptions x = GTK_FILL) {
    gtk_table_attach(GTK_TABLE(table.table), widget, left, right, table.rows, table.rows + 1, x, GTK_FILL, 0, 0);
}

void SetHelp(const std::vector<GtkWidget*>& widgets, const std::string& help) {
    if (help.empty()) return;
    for (GtkWidget* widget : widgets) gtk_widget_set_tooltip_text(widget, help.c_str());
}

std::string UnitWords(KeyUnit unit) {
    if (unit == KeyUnit::Percent) return "%";
    if (unit == KeyUnit::Degrees) return "\xc2\xb0";
    return std::string();
}

// A number edited with a scale over `trackLow`..`trackHigh` and a spin
// button over the whole range, which may be wider; both show one value.
struct NumberWidgets {
    GtkWidget* scale = nullptr;
    GtkWidget* spin = nullptr;
    GtkAdjustment* scaleRange = nullptr;
    GtkAdjustment* spinRange = nullptr;
};

// GTK 3 keeps gtk_scale_new with an orientation; GTK 2 names the horizontal one.
GtkWidget* HorizontalScale(GtkAdjustment* range) { return gtk_hscale_new(range); }

struct NumberSync {
    NumberWidgets widgets;
    bool syncing = false;
    std::function<void(double)> changed;
};

void ScaleMoved(GtkAdjustment* range, gpointer data) {
    auto* sync = static_cast<NumberSync*>(data);
    if (sync->syncing) return;
    sync->syncing = true;
    gtk_adjustment_set_value(sync->widgets.spinRange, gtk_adjustment_get_value(range));
    sync->syncing = false;
    sync->changed(gtk_adjustment_get_value(sync->widgets.spinRange));
}

void SpinChanged(GtkAdjustment* range, gpointer data) {
    auto* sync = static_cast<NumberSync*>(data);
    if (sync->syncing) return;
    sync->syncing = true;
    gtk_adjustment_set_value(sync->widgets.scaleRange, gtk_adjustment_get_value(range));
    sync->syncing = false;
    sync->changed(gtk_adjustment_get_value(range));
}

void FreeSync(gpointer data, GClosure*) { delete static_cast<NumberSync*>(data); }

// Adds a label, scale, spin button and unit row; `changed` receives the
// user's value. Returns a setter that shows a value.
std::function<void(double)> AddNumberRow(Table& table, ParameterWidgets::Row& row, const std::string& label,
                                         const std::string& name, double minimum, double maximum, double trackLow,
                                         double trackHigh, int digits, const std::string& unit, const std::string& help,
                                         std::function<void(double)> changed) {
    if (!(trackHigh > trackLow)) {
        trackLow = minimum;
        trackHigh = maximum;
    }
    const double step = digits == 0 ? 1.0 : 0.1;
    const double page = std::max(step, std::round((trackHigh - trackLow) / 10.0));
    auto* sync = new NumberSync;
    sync->changed = std::move(changed);
    sync->widgets.scaleRange = GTK_ADJUSTMENT(gtk_adjustment_new(trackLow, trackLow, trackHigh, step, page, 0.0));
    sync->widgets.spinRange = GTK_ADJUSTMENT(gtk_adjustment_new(minimum, minimum, maximum, step, page, 0.0));
    GtkWidget* text = Label(label);
    GtkWidget* scale = HorizontalScale(sync->widgets.scaleRange);
    gtk_scale_set_draw_value(GTK_SCALE(scale), FALSE);
    gtk_widget_set_size_request(scale, 160, -1);
    GtkWidget* spin = gtk_spin_button_new(sync->widgets.spinRange, step, digits);
    gtk_spin_button_set_numeric(GTK_SPIN_BUTTON(spin), TRUE);
    gtk_entry_set_width_chars(GTK_ENTRY(spin), 7);
    gtk_label_set_mnemonic_widget(GTK_LABEL(text), spin);
    gtk_widget_set_name(spin, name.c_str());
    gtk_widget_set_name(scale, (name + "-scale").c_str());
    Attach(table, text, 0, 1);
    Attach(table, scale, 1, 2, GtkAttachOptions(GTK_FILL | GTK_EXPAND));
    Attach(table, spin, 2, 3);
    GtkWidget* unitLabel = Label(unit);
    Attach(table, unitLabel, 3, 4);
    ++table.rows;
    row.widgets.insert(row.widgets.end(), {text, scale, spin, unitLabel});
    SetHelp({text, scale, spin}, help);
    g_signal_connect(sync->widgets.scaleRange, "value-changed", G_CALLBACK(ScaleMoved), sync);
    g_signal_connect_data(sync->widgets.spinRange, "value-changed", G_CALLBACK(SpinChanged), sync, FreeSync,
                          GConnectFlags(0));
    NumberWidgets widgets = sync->widgets;
    // The spin button takes the value whole and moves the scale within its track.
    return [widgets](double value) { gtk_adjustment_set_value(widgets.spinRange, value); };
}

GdkColor ToGdk(const ColorSpec& colour) {
    const std::array<uint8_t, 3> rgb = ColourToRGB(colour);
    GdkColor gdk{};
    gdk.red = static_cast<guint16>(rgb[0] * 257);
    gdk.green = static_cast<guint16>(rgb[1] * 257);
    gdk.blue = static_cast<guint16>(rgb[2] * 257);
    return gdk;
}

ColorSpec FromGdk(const GdkColor& gdk) {
    return ColorSpec::RGB(static_cast<int16_t>(gdk.red / 257), static_cast<int16_t>(gdk.green / 257),
                          static_cast<int16_t>(gdk.blue / 257));
}

template <class Callback>
void Connect(GtkWidget* widget, const char* signal, Callback callback) {
    auto* held = new Callback(std::move(callback));
    g_signal_connect_data(
        widget, signal, G_CALLBACK(+[](GtkWidget* w, gpointer data) { (*static_cast<Callback*>(data))(w); }), held,
        +[](gpointer data, GClosure*) { delete static_cast<Callback*>(data); }, GConnectFlags(0));
}

// A colour button; `colour` is written when the user picks one. A colour
// kept in another space than RGB stays as it is until then.
GtkWidget* ColourButton(const RowBuilder& builder, ColorSpec* colour, const std::string& title) {
    GtkWidget* button = gtk_color_button_new();
    gtk_color_button_set_title(GTK_COLOR_BUTTON(button), title.c_str());
    Connect(button, "color-set", [&builder, colour](GtkWidget* w) {
        GdkColor picked;
        gtk_color_button_get_color(GTK_COLOR_BUTTON(w), &picked);
        builder.Change([&] { *colour = FromGdk(picked); });
    });
    return button;
}

void ShowColour(GtkWidget* button, const ColorSpec& colour) {
    const GdkColor gdk = ToGdk(colour);
    gtk_color_button_set_color(GTK_COLOR_BUTTON(button), &gdk);
}

std::string NameOf(const FilterParameter& parameter, int32_t index = 0) { return KeyName(parameter, index); }

void AddSlider(RowBuilder& b, Table& t, ParameterWidgets::Row& row, SliderParameter& p) {
    double* value = p.value;
    auto show = AddNumberRow(t, row, p.label, NameOf(p), p.minimum, p.maximum, p.trackLow, p.trackHigh, 0,
                             UnitWords(p.DescribeKey(0).unit), b.Help(p.key),
                             [&b, value](double v) { b.Change([&] { *value = v; }); });
    row.show = [show, value] { show(*value); };
}

void AddDirection(RowBuilder& b, Table& t, ParameterWidgets::Row& row, DirectionParameter& p) {
    double* value = p.value;
    auto show = AddNumberRow(t, row, p.label, NameOf(p), 0.0, 360.0, 0.0, 360.0, 0, UnitWords(KeyUnit::Degrees),
                             b.Help(p.key), [&b, value](double v) { b.Change([&] { *value = v; }); });
    row.show = [show, value] { show(*value); };
}

void AddLength(RowBuilder& b, Table& t, ParameterWidgets::Row& row, LengthSliderParameter& p) {
    LengthValue* value = p.value;
    // The range holds in the length's own unit, so the length is edited in it.
    const int digits = value->unit == kLengthPixels ? 0 : 2;
    auto show = AddNumberRow(t, row, p.label, NameOf(p), p.minimum, p.maximum, p.trackLow, p.trackHigh, digits,
                             LengthUnitAbbreviation(value->unit), b.Help(p.key),
                             [&b, value](double v) { b.Change([&] { value->value = v; }); });
    row.show = [show, value] { show(value->value); };
}

void AddList(RowBuilder& b, Table& t, ParameterWidgets::Row& row, ListboxParameter& p) {
    GtkWidget* text = Label(p.label);
    GtkWidget* combo = gtk_combo_box_text_new();
    for (const ListboxParameter::Item& item : p.items)
        gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(combo), item.name.c_str());
    gtk_widget_set_name(combo, NameOf(p).c_str());
    gtk_label_set_mnemonic_widget(GTK_LABEL(text), combo);
    Attach(t, text, 0, 1);
    Attach(t, combo, 1, 4);
    ++t.rows;
    row.widgets = {text, combo};
    SetHelp(row.widgets, b.Help(p.key));
    ListboxParameter* list = &p;
    Connect(combo, "changed", [&b, list](GtkWidget* w) {
        const gint index = gtk_combo_box_get_active(GTK_COMBO_BOX(w));
        if (index < 0 || static_cast<size_t>(index) >= list->items.size()) return;
        b.Change([&] { *list->value = list->items[index].id; });
    });
    row.show = [combo, list] {
        const auto found = std::find_if(list->items.begin(), list->items.end(),
                                        [list](const ListboxParameter::Item& item) { return item.id == *list->value; });
        gtk_combo_box_set_active(GTK_COMBO_BOX(combo),
                                 found == list->items.end() ? -1 : static_cast<gint>(found - list->items.begin()));
    };
}

void AddCheckbox(RowBuilder& b, Table& t, ParameterWidgets::Row& row, CheckboxParameter& p) {
    GtkWidget* check = gtk_check_button_new_with_mnemonic(p.label.c_str());
    gtk_widget_set_name(check, NameOf(p).c_str());
    Attach(t, check, 0, 4);
    ++t.rows;
    row.widgets = {check};
    SetHelp(row.widgets, b.Help(p.key));
    unsigned char* value = p.value;
    Connect(check, "toggled", [&b, value](GtkWidget* w) {
        const bool on = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(w));
        b.Change([&] { *value = on ? 1 : 0; });
    });
    row.show = [check, value] { gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(check), *value != 0); };
}

void AddColour(RowBuilder& b, Table& t, ParameterWidgets::Row& row, ColorParameter& p) {
    GtkWidget* text = Label(p.label);
    GtkWidget* button = ColourButton(b, p.value, p.label);
    gtk_widget_set_name(button, NameOf(p).c_str());
    gtk_label_set_mnemonic_widget(GTK_LABEL(text), button);
    GtkWidget* align = gtk_alignment_new(0.0f, 0.5f, 0.0f, 0.0f);
    gtk_container_add(GTK_CONTAINER(align), button);
    Attach(t, text, 0, 1);
    Attach(t, align, 1, 4);
    ++t.rows;
    row.widgets = {text, button};
    SetHelp(row.widgets, b.Help(p.key));
    ColorSpec* value = p.value;
    row.show = [button, value] { ShowColour(button, *value); };
}

void AddSeed(RowBuilder& b, Table& t, ParameterWidgets::Row& row, RandomSeedParameter& p) {
    GtkWidget* text = Label(p.label);
    GtkWidget* spin = gtk_spin_button_new_with_range(0.0, 65535.0, 1.0);
    gtk_spin_button_set_numeric(GTK_SPIN_BUTTON(spin), TRUE);
    gtk_widget_set_name(spin, NameOf(p).c_str());
    gtk_label_set_mnemonic_widget(GTK_LABEL(text), spin);
    GtkWidget* button = gtk_button_new_with_mnemonic("_New Seed");
    gtk_widget_set_name(button, (NameOf(p) + "-new").c_str());
    Attach(t, text, 0, 1);
    Attach(t, spin, 2, 3);
    Attach(t, button, 1, 2, GtkAttachOptions(GTK_FILL | GTK_EXPAND));
    ++t.rows;
    row.widgets = {text, spin, button};
    SetHelp(row.widgets, b.Help(p.key));
    uint16_t* value = p.value;
    Connect(spin, "value-changed", [&b, value](GtkWidget* w) {
        const auto seed = static_cast<uint16_t>(gtk_spin_button_get_value_as_int(GTK_SPIN_BUTTON(w)));
        b.Change([&] { *value = seed; });
    });
    Connect(button, "clicked", [spin](GtkWidget*) {
        gtk_spin_button_set_value(GTK_SPIN_BUTTON(spin), static_cast<double>(g_random_int_range(0, 65536)));
    });
    row.show = [spin, value] { gtk_spin_button_set_value(GTK_SPIN_BUTTON(spin), *value); };
}

void AddLighting(RowBuilder& b, Table& t, ParameterWidgets::Row& row, LightingParameter& p) {
    std::vector<std::function<void(double)>> shows;
    LightingValue* value = p.value;
    for (int32_t index = 0; index < 4; ++index) {
        double LightingValue::*member = kLightingNumbers[index].member;
        const double maximum = kLightingNumbers[index].maximum;
        const KeyShape shape = p.DescribeKey(index);
        shows.push_back(AddNumberRow(t, row, KeyLabel(p, index), NameOf(p, index), 0.0, maximum, 0.0, maximum, 0,
                                     UnitWords(shape.unit), b.Help(p.keys[index]),
                                     [&b, value, member](double v) { b.Change([&] { value->*member = v; }); }));
    }
    GtkWidget* text = Label(KeyLabel(p, 4));
    GtkWidget* button = ColourButton(b, &value->colour, KeyLabel(p, 4));
    gtk_widget_set_name(button, NameOf(p, 4).c_str());
    GtkWidget* align = gtk_alignment_new(0.0f, 0.5f, 0.0f, 0.0f);
    gtk_container_add(GTK_CONTAINER(align), button);
    Attach(t, text, 0, 1);
    Attach(t, align, 1, 4);
    ++t.rows;
    row.widgets.insert(row.widgets.end(), {text, button});
    SetHelp({text, button}, b.Help(p.keys[4]));
    row.show = [shows, button, value] {
        for (int32_t index = 0; index < 4; ++index) shows[index](value->*kLightingNumbers[index].member);
        ShowColour(button, value->colour);
    };
}

void AddLayerFill(RowBuilder& b, Table& t, ParameterWidgets::Row& row, LayerFillParameter& p) {
    const KeyShape shape = p.DescribeKey(1);
    GtkWidget* text = Label(KeyLabel(p, 1));
    GtkWidget* combo = gtk_combo_box_text_new();
    for (const KeyChoice& choice : shape.choices)
        gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(combo), choice.name.c_str());
    gtk_widget_set_name(combo, NameOf(p, 1).c_str());
    LayerFillValue* value = p.value;
    GtkWidget* button = ColourButton(b, &value->colour, p.label);
    gtk_widget_set_name(button, NameOf(p, 0).c_str());
    GtkWidget* box = gtk_hbox_new(FALSE, 6);
    gtk_box_pack_start(GTK_BOX(box), combo, TRUE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(box), button, FALSE, FALSE, 0);
    Attach(t, text, 0, 1);
    Attach(t, box, 1, 4);
    ++t.rows;
    row.widgets = {text, combo, button};
    SetHelp({text, combo}, b.Help(p.keys[1]));
    SetHelp({button}, b.Help(p.keys[0]));
    std::vector<uint32_t> codes;
    for (const KeyChoice& choice : shape.choices) codes.push_back(choice.code);
    Connect(combo, "changed", [&b, value, codes](GtkWidget* w) {
        const gint index = gtk_combo_box_get_active(GTK_COMBO_BOX(w));
        if (index < 0 || static_cast<size_t>(index) >= codes.size()) return;
        b.Change([&] { value->behaviour = codes[index]; });
    });
    row.show = [combo, button, value, codes] {
        const auto found = std::find(codes.begin(), codes.end(), value->behaviour);
        gtk_combo_box_set_active(GTK_COMBO_BOX(combo),
                                 found == codes.end() ? -1 : static_cast<gint>(found - codes.begin()));
        ShowColour(button, value->colour);
    };
}

void AddContent(RowBuilder& b, Table& t, ParameterWidgets::Row& row, TubeButtonParameter& p,
                ContentChooserSource& source) {
    GtkWidget* text = Label(KeyLabel(p, 0));
    row.chooser =
        std::make_unique<ContentChooser>(source, p, [&b](const std::function<void()>& write) { b.Change(write); });
    GtkWidget* chooser = row.chooser->Widget();
    gtk_widget_set_name(chooser, NameOf(p).c_str());
    Attach(t, text, 0, 1);
    Attach(t, chooser, 1, 4);
    ++t.rows;
    row.widgets = {text, chooser};
    SetHelp(row.widgets, b.Help(p.keys[0]));
    ContentChooser* made = row.chooser.get();
    row.show = [made] { made->ShowValue(); };
}

}  // namespace

ParameterWidgets::ParameterWidgets(ParameterSet& set, ContentChooserSource& content, std::function<void()> before,
                                   std::function<void()> after)
    : set_(set) {
    builder_ = std::make_unique<Builder>(set, std::move(before), std::move(after));
    Builder* builder = builder_.get();
    const std::vector<std::string>& groups = set.Groups();
    const size_t pages = std::max<size_t>(1, groups.size());
    std::vector<Table> tables(pages);
    for (Table& table : tables) {
        table.table = gtk_table_new(1, 4, FALSE);
        gtk_table_set_row_spacings(GTK_TABLE(table.table), 6);
        gtk_table_set_col_spacings(GTK_TABLE(table.table), 6);
        gtk_container_set_border_width(GTK_CONTAINER(table.table), pages > 1 ? 8 : 0);
    }
    for (size_t index = 0; index < set.Count(); ++index) {
        FilterParameter* parameter = set.At(index);
        auto row = std::make_unique<Row>();
        row->parameter = parameter;
        Table& table = tables[std::min<size_t>(pages - 1, static_cast<size_t>(std::max(0, parameter->group)))];
        RowBuilder& b = *builder;
        if (auto* p = dynamic_cast<LengthSliderParameter*>(parameter)) {
            AddLength(b, table, *row, *p);
        } else if (auto* p = dynamic_cast<SliderParameter*>(parameter)) {
            AddSlider(b, table, *row, *p);
        } else if (auto* p = dynamic_cast<DirectionParameter*>(parameter)) {
            AddDirection(b, table, *row, *p);
        } else if (auto* p = dynamic_cast<ListboxParameter*>(parameter)) {
            AddList(b, table, *row, *p);
        } else if (auto* p = dynamic_cast<CheckboxParameter*>(parameter)) {
            AddCheckbox(b, table, *row, *p);
        } else if (auto* p = dynamic_cast<ColorParameter*>(parameter)) {
            AddColour(b, table, *row, *p);
        } else if (auto* p = dynamic_cast<RandomSeedParameter*>(parameter)) {
            AddSeed(b, table, *row, *p);
        } else if (auto* p = dynamic_cast<LightingParameter*>(parameter)) {
            AddLighting(b, table, *row, *p);
        } else if (auto* p = dynamic_cast<LayerFillParameter*>(parameter)) {
            AddLayerFill(b, table, *row, *p);
        } else if (auto* p = dynamic_cast<TubeButtonParameter*>(parameter)) {
            AddContent(b, table, *row, *p, content);
        } else {
            continue;  // no control: the parameter keeps its value
        }
        rows_.push_back(std::move(row));
    }
    if (pages == 1) {
        root_ = tables[0].table;
    } else {
        root_ = gtk_notebook_new();
        for (size_t page = 0; page < pages; ++page)
            gtk_notebook_append_page(GTK_NOTEBOOK(root_), tables[page].table, Label(groups[page]));
    }
    ShowValues();
    ShowStates();
}

ParameterWidgets::~ParameterWidgets() = default;

void ParameterWidgets::ShowValues() {
    builder_->showing_ = true;
    for (const std::unique_ptr<Row>& row : rows_) {
        if (row->show) row->show();
    }
    builder_->showing_ = false;
}

void ParameterWidgets::ShowStates() {
    for (const std::unique_ptr<Row>& row : rows_) {
        for (GtkWidget* widget : row->widgets) gtk_widget_set_sensitive(widget, row->parameter->enabled);
    }
}
