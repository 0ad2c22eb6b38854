#include "content/JpegWarnings.h"

#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

bool IsHarmlessJpegWarning(int messageCode) {
    switch (messageCode) {
        case JWRN_ADOBE_XFORM:      // an unknown Adobe colour transform: the components decode as stored
        case JWRN_EXTRANEOUS_DATA:  // stray bytes between markers, outside the picture data
        case JWRN_JFIF_MAJOR:       // a newer JFIF version number
        case JWRN_TOO_MUCH_DATA:    // data after the last scan line
            return true;
        default: return false;
    }
}
