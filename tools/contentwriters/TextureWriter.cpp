#include "tools/contentwriters/TextureWriter.h"

#include "imagefiles/ImageFiles.h"
#include "tools/contentwriters/RasterPictures.h"
#include "tools/contentwriters/WriteFailure.h"

RasterImage TextureBrightness(const RasterImage& picture) {
    const RasterImage flat = OverWhite(ToRgba(picture));
    RasterImage grey(flat.width, flat.height, 1);
    for (size_t i = 0; i < grey.pixels.size(); ++i) {
        const uint8_t* rgb = &flat.pixels[i * 3];
        // Rec. 601 luma, as JPEG's own colour transform weighs the channels.
        grey.pixels[i] = static_cast<uint8_t>((299 * rgb[0] + 587 * rgb[1] + 114 * rgb[2] + 500) / 1000);
    }
    return grey;
}

std::string WriteTexture(const std::string& path, const RasterImage& picture) {
    if (ImageFileFormatForPath(path) != ImageFileFormat::Jpeg) return WriteFailure(path, "a texture is a .jpg file");
    if (!picture.IsConsistent()) return WriteFailure(path, "the picture has no pixels");
    return WriteImageFile(path, TextureBrightness(picture)).error;
}
