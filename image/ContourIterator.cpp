#include "image/ContourIterator.h"

#include <algorithm>
#include <cstring>

namespace {

// What a corner beyond the image reads.
const unsigned char kOutsideValue = 0;

// A corner is inside exactly when bit 7 of its value is set (value > 127), so
// a cell straddles the level when that bit is not the same in all corners.
constexpr unsigned kInsideBit = 0x80;

bool Straddles(unsigned a, unsigned b, unsigned c, unsigned d) {
    return (((a | b | c | d) ^ (a & b & c & d)) & kInsideBit) != 0;
}

uint64_t Load8(const unsigned char* p) {
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// True when none of the eight cells starting at `top` / `bottom` straddles.
bool EightCellsUniform(const unsigned char* top, const unsigned char* bottom) {
    const uint64_t insideBits = 0x8080808080808080ull;
    const uint64_t a = Load8(top), b = Load8(top + 1), c = Load8(bottom), d = Load8(bottom + 1);
    return (((a | b | c | d) ^ (a & b & c & d)) & insideBits) == 0;
}

}  // namespace

void SingleChannelImage<unsigned char>::ContourIterator::BeginAll(ProgressUpdateSink* sink, double from, double to) {
    Begin(image_.bounds, sink, from, to);
}

void SingleChannelImage<unsigned char>::ContourIterator::Begin(const Rect& rect, ProgressUpdateSink* sink, double from,
                                                               double to) {
    sink_ = sink;
    from_ = from;
    to_ = to;
    cellsWalked_ = 0;
    if (rect.IsEmpty()) {
        valid_ = false;
        totalCells_ = 0;
        x_ = firstColumn_ = lastColumn_ = rect.left;
        y_ = lastRow_ = rect.bottom;
        return;
    }
    firstColumn_ = rect.left == image_.bounds.left ? rect.left - 1 : rect.left;
    const int32_t firstRow = rect.top == image_.bounds.top ? rect.top - 1 : rect.top;
    lastColumn_ = rect.right;
    lastRow_ = rect.bottom;
    totalCells_ = static_cast<uint64_t>(lastColumn_ - firstColumn_) * static_cast<uint64_t>(lastRow_ - firstRow);
    x_ = firstColumn_;
    y_ = firstRow;
    valid_ = true;
    FindStraddlingCell();
}

void SingleChannelImage<unsigned char>::ContourIterator::Next() {
    if (!valid_) return;
    ++x_;
    FindStraddlingCell();
}

void SingleChannelImage<unsigned char>::ContourIterator::FindStraddlingCell() {
    while (y_ < lastRow_) {
        const unsigned char* top = RowOrNull(y_);
        const unsigned char* bottom = RowOrNull(y_ + 1);
        const int32_t x = ScanRow(top, bottom);
        if (x < lastColumn_) {
            x_ = x;
            LoadCorners(top, bottom);
            return;
        }
        FinishRow();
    }
    valid_ = false;
}

const unsigned char* SingleChannelImage<unsigned char>::ContourIterator::RowOrNull(int32_t y) const {
    if (image_.data == nullptr || y < image_.bounds.top || y >= image_.bounds.bottom) return nullptr;
    return image_.data + static_cast<std::ptrdiff_t>(y - image_.bounds.top) * image_.rowStride;
}

int32_t SingleChannelImage<unsigned char>::ContourIterator::ScanRow(const unsigned char* top,
                                                                    const unsigned char* bottom) const {
    const int32_t left = image_.bounds.left;
    const int32_t width = image_.bounds.Width();
    auto sample = [&](const unsigned char* row, int32_t x) -> unsigned {
        return (row != nullptr && x >= left && x - left < width) ? row[x - left] : kOutsideValue;
    };
    auto straddlesAt = [&](int32_t x) {
        return Straddles(sample(top, x), sample(top, x + 1), sample(bottom, x), sample(bottom, x + 1));
    };

    int32_t x = x_;
    if (top != nullptr && bottom != nullptr) {
        // Columns left of the image, then the cells whose corners all lie in
        // the image, read straight from the rows, eight at a time where the
        // mask is flat.
        for (; x < lastColumn_ && x < left; ++x) {
            if (straddlesAt(x)) return x;
        }
        const int32_t interiorEnd = std::min(lastColumn_, left + width - 1) - left;
        int32_t i = x - left;
        while (i + 8 <= interiorEnd) {
            if (!EightCellsUniform(top + i, bottom + i)) break;
            i += 8;
        }
        for (; i < interiorEnd; ++i) {
            if (Straddles(top[i], top[i + 1], bottom[i], bottom[i + 1])) return left + i;
        }
        x = std::max(x, left + i);
    }
    for (; x < lastColumn_; ++x) {
        if (straddlesAt(x)) return x;
    }
    return lastColumn_;
}

void SingleChannelImage<unsigned char>::ContourIterator::LoadCorners(const unsigned char* top,
                                                                     const unsigned char* bottom) {
    const int32_t left = image_.bounds.left;
    const int32_t width = image_.bounds.Width();
    auto address = [&](const unsigned char* row, int32_t x) {
        return (row != nullptr && x >= left && x - left < width) ? row + (x - left) : &kOutsideValue;
    };
    corners_[0] = address(top, x_);
    corners_[1] = address(top, x_ + 1);
    corners_[2] = address(bottom, x_);
    corners_[3] = address(bottom, x_ + 1);
    for (int i = 0; i < 4; ++i) inside_[i] = *corners_[i] > kLevel;
}

void SingleChannelImage<unsigned char>::ContourIterator::FinishRow() {
    cellsWalked_ += static_cast<uint64_t>(lastColumn_ - firstColumn_);
    ++y_;
    x_ = firstColumn_;
    if (sink_ != nullptr) {
        sink_->Update(from_ + static_cast<double>(cellsWalked_) / static_cast<double>(totalCells_) * (to_ - from_));
    }
}

ContourPoint SingleChannelImage<unsigned char>::ContourIterator::CellContourPoint() const {
    const double level = 127.5;
    const double v0 = *corners_[0], v1 = *corners_[1], v2 = *corners_[2], v3 = *corners_[3];
    const double x = x_, y = y_;
    double sumX = 0.0, sumY = 0.0;
    int crossings = 0;
    auto add = [&](double px, double py) {
        sumX += px;
        sumY += py;
        ++crossings;
    };
    if (inside_[0] != inside_[1]) add(x + (level - v0) / (v1 - v0), y);
    if (inside_[2] != inside_[3]) add(x + (level - v2) / (v3 - v2), y + 1);
    if (inside_[0] != inside_[2]) add(x, y + (level - v0) / (v2 - v0));
    if (inside_[1] != inside_[3]) add(x + 1, y + (level - v1) / (v3 - v1));
    if (crossings == 0) return ContourPoint{x, y};  // only on a cell that does not straddle
    return ContourPoint{sumX / crossings, sumY / crossings};
}
