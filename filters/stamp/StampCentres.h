// The pixels where stamp centres may go, as a distance transform of the
// full-size selection collects them, with the count of pixels it measured.
#pragma once

#include <cstdint>
#include <new>

#include "base/Progress.h"
#include "base/Rect.h"
#include "base/ResultCode.h"
#include "filters/stamp/PixelRunList.h"
#include "image/DistanceTransform.h"
#include "image/Image.h"

struct StampCentres {
    PixelRunList pixels;  // in the order the transform reported them
    int64_t visited = 0;  // V: the pixels the budget is measured against
    bool outOfMemory = false;

    // Adds a pixel; once memory has run out, nothing more is added. The
    // transforms' hooks cannot fail, so the flag carries it to the end.
    void Keep(Point pixel) { KeepRow(pixel.y, pixel.x, pixel.x + 1); }
    // Adds the pixels (left .. right − 1, y).
    void KeepRow(int32_t y, int32_t left, int32_t right) {
        if (outOfMemory) return;
        try {
            pixels.AppendRow(y, left, right);
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
        }
    }
};

// What every search for stamp centres works on, at full size.
struct CentreSearch {
    const SingleChannelImage<unsigned char>* mask = nullptr;
    Rect image;
    Abort_Tester* abort = nullptr;
    ProgressUpdateSink* progress = nullptr;
    double progressFrom = 0.0;
    double progressTo = 1.0;
};

// Empties `centres`, initialises `transform` (whose hooks fill `centres`)
// with `limit` and the two set-up values over the image grown by `outside`
// pixels on every side (room for centres beyond the selection edge), and
// runs it over the search's progress range. -108 when memory runs out, 1
// when aborted; `centres` is emptied on failure.
ResultCode RunCentreSearch(DistanceTransform& transform, const CentreSearch& search, double outside, double limit,
                           double parameter1, double parameter2, StampCentres& centres);

// The output rectangle a transform of `mask` needs over `working` when its
// hooks only care about pixels within `maximumDistance` of the selection edge
// or inside the selection: nothing beyond the mask's bounds grown by that
// distance (and the edge's half pixel) can be reported with a distance, and
// nothing beyond the bounds lies inside. Every pixel those hooks see, and the
// order they see them in, is the same as over `working` itself.
Rect CentreSearchRect(const Rect& working, const Rect& maskBounds, double maximumDistance);

// What a search for stamp centres depends on besides the transform's hooks:
// the full-size selection, known by the address of its pixels (null when
// everything is selected), which stays the same through one run of an
// effect, the document, the effect's own lengths and the largest radius.
struct CentreSearchKey {
    const void* mask = nullptr;
    Rect maskBounds;
    Rect document;
    double lengths[2] = {0.0, 0.0};
    int32_t radius = 0;

    bool operator==(const CentreSearchKey& o) const {
        return mask == o.mask && maskBounds == o.maskBounds && document == o.document && lengths[0] == o.lengths[0] &&
               lengths[1] == o.lengths[1] && radius == o.radius;
    }
};

// The centres of the last search, kept from one render of a run to the next:
// the search walks the whole full-size selection even for a small preview,
// and most changes in the dialog (seed, density, shadow, zoom) leave what it
// finds as it was.
class CentresMemo {
public:
    // The centres found for `key`: the kept ones when the last search had the
    // same key, else what `search(StampCentres&)` finds (its status on
    // failure, when nothing is kept).
    template <typename Search>
    ResultCode Recall(const CentreSearchKey& key, Search&& search, const StampCentres*& centres) {
        centres = nullptr;
        if (!(held_ && key == key_)) {
            held_ = false;
            const ResultCode result = search(centres_);
            if (result.IsFailure()) {
                centres_.pixels.Clear();
                return result;
            }
            key_ = key;
            held_ = true;
        }
        centres = &centres_;
        return ResultCode::Success();
    }

private:
    CentreSearchKey key_;
    bool held_ = false;
    StampCentres centres_;
};
