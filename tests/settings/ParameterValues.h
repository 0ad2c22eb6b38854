// Random legal values for parameters of any class, and the check that a
// value read back from a settings file is the value saved, rounded as the
// file writes it (sliders, directions and the light's numbers to three
// decimals, lengths to two, gradient locations and bevel points to three).
// The expected rounding comes from printf and strtod, not from our writers.
#pragma once

#include <random>
#include <string>

class FilterParameter;

// Gives the parameter's bound value a random value it accepts.
void SetRandomValue(FilterParameter& parameter, std::mt19937& random);

// Empty when `loaded` holds the value of `saved` as a settings file keeps
// it; otherwise what differs. Both must be of the same class.
std::string DifferenceAfterRoundTrip(const FilterParameter& saved, const FilterParameter& loaded);
