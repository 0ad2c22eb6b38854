#include "gimp/gimp2/Gimp2Layer.h"

namespace {

const Babl* PixelFormat(bool grey, bool alpha) {
    if (grey) return babl_format(alpha ? "Y'A u8" : "Y' u8");
    return babl_format(alpha ? "R'G'B'A u8" : "R'G'B' u8");
}

// The selection mask over the layer's area, one byte of coverage per pixel;
// empty when nothing is selected. Parts of the layer outside the image are
// not selected.
std::vector<uint8_t> ReadSelection(gint32 image, gint32 drawable, int width, int height) {
    if (gimp_selection_is_empty(image)) return {};
    gint offsetX = 0;
    gint offsetY = 0;
    gimp_drawable_offsets(drawable, &offsetX, &offsetY);
    std::vector<uint8_t> mask(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    GeglBuffer* buffer = gimp_drawable_get_buffer(gimp_image_get_selection(image));
    const GeglRectangle area = {offsetX, offsetY, width, height};
    gegl_buffer_get(buffer, &area, 1.0, babl_format("Y u8"), mask.data(), GEGL_AUTO_ROWSTRIDE, GEGL_ABYSS_NONE);
    g_object_unref(buffer);
    return mask;
}

std::array<uint8_t, 3> Bytes(const GimpRGB& colour) {
    std::array<uint8_t, 3> bytes{};
    gimp_rgb_get_uchar(&colour, &bytes[0], &bytes[1], &bytes[2]);
    return bytes;
}

}  // namespace

bool ReadGimp2Layer(gint32 image, gint32 drawable, Gimp2Layer& layer, std::string& problem) {
    if (gimp_drawable_is_indexed(drawable)) {
        problem =
            "Mornebrook Dapple! works on grey and RGB images, not on indexed ones: convert the image with "
            "Image > Mode > RGB first";
        return false;
    }
    if (gimp_image_get_precision(image) != GIMP_PRECISION_U8_GAMMA) {
        problem =
            "Mornebrook Dapple! works on 8-bit images; converting this one to 8 bits inside the filter would lose "
            "the precision of every pixel the effect changes. Convert it with Image > Precision > 8 bit integer "
            "(perceptual gamma) first";
        return false;
    }
    if (!gimp_item_is_layer(drawable) || gimp_item_is_group(drawable)) {
        problem = "Mornebrook Dapple! works on a layer: choose a layer, not a layer group, mask or channel";
        return false;
    }
    if (gimp_item_get_lock_content(drawable)) {
        problem = "The layer's pixels are locked: unlock them in the Layers dialog first";
        return false;
    }
    const int width = gimp_drawable_width(drawable);
    const int height = gimp_drawable_height(drawable);
    const bool grey = gimp_drawable_is_gray(drawable);
    const bool alpha = gimp_drawable_has_alpha(drawable);
    const int planes = (grey ? 1 : 3) + (alpha ? 1 : 0);
    std::vector<uint8_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                                static_cast<std::size_t>(planes));
    GeglBuffer* buffer = gimp_drawable_get_buffer(drawable);
    const GeglRectangle area = {0, 0, width, height};
    gegl_buffer_get(buffer, &area, 1.0, PixelFormat(grey, alpha), pixels.data(), GEGL_AUTO_ROWSTRIDE, GEGL_ABYSS_NONE);
    g_object_unref(buffer);
    layer.image = image;
    layer.drawable = drawable;
    layer.pixels = HostImage::FromInterleaved(width, height, planes, std::move(pixels));
    layer.selection = ReadSelection(image, drawable, width, height);
    gdouble resolutionX = 72.0;
    gdouble resolutionY = 72.0;
    if (gimp_image_get_resolution(image, &resolutionX, &resolutionY) && resolutionX > 0.0)
        layer.pixelsPerInch = resolutionX;
    GimpRGB colour;
    if (gimp_context_get_foreground(&colour)) layer.foreground = Bytes(colour);
    if (gimp_context_get_background(&colour)) layer.background = Bytes(colour);
    return true;
}

bool WriteGimp2Layer(const Gimp2Layer& layer, const HostImage& pixels, std::string& problem) {
    const bool grey = pixels.mode == HostImageMode::Grey;
    GeglBuffer* shadow = gimp_drawable_get_shadow_buffer(layer.drawable);
    const GeglRectangle area = {0, 0, pixels.width, pixels.height};
    gegl_buffer_set(shadow, &area, 0, PixelFormat(grey, pixels.transparency), pixels.pixels.data(),
                    GEGL_AUTO_ROWSTRIDE);
    g_object_unref(shadow);
    // Merging the shadow applies the selection; the result is masked
    // already, so the selection is put aside while merging and restored in
    // the same undo step.
    gimp_image_undo_group_start(layer.image);
    gint32 saved = -1;
    if (!layer.selection.empty()) {
        saved = gimp_selection_save(layer.image);
        gimp_selection_none(layer.image);
    }
    const bool merged = gimp_drawable_merge_shadow(layer.drawable, TRUE);
    if (!merged) problem = std::string("GIMP did not take the result: ") + gimp_get_pdb_error();
    if (saved != -1) {
        // Selecting from a channel feathers it as the user's tool options
        // say; the selection comes back unchanged only without.
        gimp_context_push();
        gimp_context_set_feather(FALSE);
        gimp_image_select_item(layer.image, GIMP_CHANNEL_OP_REPLACE, saved);
        gimp_context_pop();
        gimp_image_remove_channel(layer.image, saved);
    }
    gimp_image_undo_group_end(layer.image);
    if (merged) gimp_drawable_update(layer.drawable, 0, 0, pixels.width, pixels.height);
    return merged;
}
