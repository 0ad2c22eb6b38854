// The integer lattice shared by every procedural field: a seeded permutation P
// of 4096 entries and a hash table Q = P mod N that together map a lattice
// point to a pseudo-random index in [0, N). All randomness of a field is
// frozen into these tables (and the derived classes' own tables) at set-up, so
// sampling draws nothing and the same seed always gives the same field.
#pragma once

#include <array>
#include <cstdint>

class NewField {
public:
    static constexpr int32_t kTableSize = 4096;
    static constexpr int32_t kTableMask = kTableSize - 1;

    NewField() = default;
    virtual ~NewField() = default;
    // Some 32 KB of tables: held by value in one place, never copied.
    NewField(const NewField&) = delete;
    NewField& operator=(const NewField&) = delete;

    // Stores the tiling and the lattice range N, shuffles P and Q with a fresh
    // generator seeded with `seed`, and marks the lattice initialised. N is
    // raised to 1 when smaller, so that Q stays defined.
    void InitLattice(int32_t seed, bool tileable, int32_t width, int32_t height, int32_t latticeRange);

    // Q[P[ix AND 4095] XOR (iy AND 4095)], in [0, N). Negative coordinates wrap
    // through their two's-complement bits, so the lattice repeats every 4096
    // units in each direction.
    int32_t LatticeHash(int32_t ix, int32_t iy) const {
        return hashTable_[static_cast<std::size_t>(permutation_[static_cast<std::size_t>(ix & kTableMask)] ^
                                                   (iy & kTableMask))];
    }

    bool IsTileable() const { return tileable_; }
    int32_t TileWidth() const { return width_; }
    int32_t TileHeight() const { return height_; }
    int32_t LatticeRange() const { return latticeRange_; }
    bool IsInitialised() const { return initialised_; }

private:
    bool tileable_ = false;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t latticeRange_ = 0;
    bool initialised_ = false;
    std::array<int32_t, kTableSize> permutation_{};
    std::array<int32_t, kTableSize> hashTable_{};
};
