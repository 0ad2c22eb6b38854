// A moulding's cross-section: heights at a few points across it, joined by
// a smooth curve that never overshoots them (monotone cubic interpolation),
// so that flats stay flat and steps stay steps.
#pragma once

#include <utility>
#include <vector>

class Profile {
public:
    // Points (position, height) in increasing position.
    explicit Profile(std::vector<std::pair<double, double>> points);
    // The height at `position`; the end heights beyond the ends.
    double operator()(double position) const;

private:
    std::vector<double> x_;
    std::vector<double> y_;
    std::vector<double> slope_;
};

// Height of a row of round beads along a rail: beads of `radius` pixels,
// one every `spacing` pixels along it, centred `centre` pixels across it;
// 0 between them.
double BeadRow(double along, double across, double spacing, double centre, double radius);
