#include "image/NewField.h"

#include <utility>

#include "image/RandomGenerator.h"

void NewField::InitLattice(int32_t seed, bool tileable, int32_t width, int32_t height, int32_t latticeRange) {
    tileable_ = tileable;
    width_ = width;
    height_ = height;
    latticeRange_ = latticeRange < 1 ? 1 : latticeRange;

    for (int32_t k = 0; k < kTableSize; ++k) {
        permutation_[static_cast<std::size_t>(k)] = k;
        hashTable_[static_cast<std::size_t>(k)] = k % latticeRange_;
    }
    // One draw per entry, the same swap in both tables, keeps Q = P mod N.
    RandomGenerator generator(seed);
    for (std::size_t i = 0; i < static_cast<std::size_t>(kTableSize); ++i) {
        const auto j = static_cast<std::size_t>(generator.NextBelow(kTableSize));
        std::swap(permutation_[i], permutation_[j]);
        std::swap(hashTable_[i], hashTable_[j]);
    }
    initialised_ = true;
}
