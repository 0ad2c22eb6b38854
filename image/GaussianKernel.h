// The truncated Gaussian kernel that every blur method applies.
#pragma once

#include <vector>

// Half of the symmetric kernel for `radius` (> 0): element u is the weight of
// a sample u pixels from the centre, element 0 the centre's. The table has
// max(2, ceil(radius)) candidate weights exp(-(2u / (radius + 1))^2); it ends
// before the first weight below 0.1, and what is kept is scaled so that the
// whole kernel (both sides and the centre) sums to 1.
// Throws std::bad_alloc when the kernel would not fit in memory.
std::vector<double> GaussianKernel(double radius);
