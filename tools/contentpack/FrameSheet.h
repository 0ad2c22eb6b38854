// What the frame pictures share. A frame picture is 3 × 3 cells: the four
// corners, the four sides, and an unused, transparent centre. The effect
// repeats each side cell along its side, so everything on a side repeats
// exactly once per cell along it, and the corners continue the sides.
//
// The frame is drawn whole, as one moulding running round the picture,
// described by its cross-section: every point of the frame lies on one rail
// (the nearest outer edge, so the rails meet in mitres at the corners), at
// a distance across the rail from its outer edge and a position along it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "tools/contentpack/Picture.h"
#include "tools/contentpack/Relief.h"

// The side of every frame cell, in pixels.
constexpr int32_t kFrameCellSize = 180;

enum class Rail { Top, Right, Bottom, Left };

struct RailPoint {
    Rail rail;
    double across;    // 0 at the outer edge, 1 at the inner edge (in cells)
    double along;     // position along the rail in cells; moves on by 1 per cell
    double edges[4];  // distances to the top, right, bottom and left outer edges, in cells
    bool corner;      // in a corner cell
    double beside;    // corner cells: distance to the other outer edge of the corner, in cells
};

// Corner cells: the distance in pixels to the mitre where the rail meets
// the next; elsewhere (side cells, which must look the same wherever they
// are repeated) a distance larger than the frame.
double MitreDistance(const RailPoint& point);

struct FrameStyle {
    // Height of the moulding in pixels.
    std::function<double(const RailPoint&)> height;
    // Colour of the moulding where its surface has `normal`.
    std::function<Colour(const RailPoint&, const Vector3& normal, double concavity)> colour;
};

struct FramePicture {
    std::string name;  // the file name without extension
    Picture picture;
};

FramePicture FrameSheet(const std::string& name, const FrameStyle& style);

// The rail under (x, y), a point of a frame picture `size` pixels square,
// or false in the centre.
bool RailPointAt(double x, double y, double size, RailPoint& point);
