// The eight EXIF (and TIFF) orientations: how the stored pixels are turned
// or mirrored to be shown upright.
#pragma once

#include "imagefiles/RasterImage.h"

// The picture as it is meant to be shown: 1 leaves it as stored, 2 mirrors
// it left to right, 3 turns it half round, 4 mirrors it top to bottom, 5
// mirrors it across its main diagonal, 6 turns it a quarter clockwise, 7
// mirrors it across the other diagonal, 8 turns it a quarter anticlockwise.
// Other values leave it as stored.
RasterImage OrientedAsShown(const RasterImage& stored, int orientation);
