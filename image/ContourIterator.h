// Walks the 2x2 cells of an 8-bit mask that straddle the 50% level: cells whose
// corners are neither all inside (above 127) nor all outside. The cell whose
// top-left corner is (x, y) has the corners c0 (x, y), c1 (x+1, y),
// c2 (x, y+1) and c3 (x+1, y+1); corners beyond the image read 0.
//
// Where the walked rectangle starts at the image's own left or top edge the
// walk starts one column or row earlier, so that a selection reaching the
// image border still has an edge there (just as at the right and bottom edges,
// whose last cells read 0 beyond the image).
#pragma once

#include <cstdint>

#include "image/Image.h"
#include "image/IteratorInterface.h"

// A point on the 127.5 contour, in document coordinates.
struct ContourPoint {
    double x = 0.0;
    double y = 0.0;
};

template <>
class SingleChannelImage<unsigned char>::ContourIterator : public IteratorInterface<SingleChannelImage<unsigned char>> {
public:
    static constexpr unsigned char kLevel = 127;  // a corner is inside when its value is above this

    explicit ContourIterator(const SingleChannelImage<unsigned char>& image) : image_(image) {}

    void BeginAll(ProgressUpdateSink* sink, double from, double to) override;
    void Begin(const Rect& rect, ProgressUpdateSink* sink, double from, double to) override;
    void Next() override;
    bool IsValid() const override { return valid_; }
    // True on the first cell column of the walk.
    bool AtRowStart() const override { return x_ == firstColumn_; }

    // The current cell's top-left corner.
    Point Cell() const { return Point{x_, y_}; }
    // Corner 0..3 in the order c0, c1, c2, c3.
    unsigned char CornerValue(int corner) const { return *corners_[corner]; }
    bool CornerInside(int corner) const { return inside_[corner]; }
    // The mean of the 127.5 crossings on the cell edges whose corners lie on
    // different sides, each found by linear interpolation along its edge.
    ContourPoint CellContourPoint() const;

protected:
    // Moves from the current position to the next straddling cell, reporting
    // progress for every row it completes; leaves the iterator invalid when
    // the walk runs out of rows.
    virtual void FindStraddlingCell();

private:
    // A mask row of the image, or null for a row beyond it.
    const unsigned char* RowOrNull(int32_t y) const;
    // The first straddling cell of the current row at or after column x_, or
    // lastColumn_ when there is none.
    int32_t ScanRow(const unsigned char* top, const unsigned char* bottom) const;
    void LoadCorners(const unsigned char* top, const unsigned char* bottom);
    void FinishRow();

    const SingleChannelImage<unsigned char>& image_;
    int32_t firstColumn_ = 0;
    int32_t lastColumn_ = 0;  // exclusive
    int32_t lastRow_ = 0;     // exclusive
    int32_t x_ = 0;
    int32_t y_ = 0;
    const unsigned char* corners_[4] = {};
    bool inside_[4] = {};
    bool valid_ = false;
    uint64_t cellsWalked_ = 0;
    uint64_t totalCells_ = 0;
    ProgressUpdateSink* sink_ = nullptr;
    double from_ = 0.0;
    double to_ = 0.0;
};

using ContourIterator = SingleChannelImage<unsigned char>::ContourIterator;
