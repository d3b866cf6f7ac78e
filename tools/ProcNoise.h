// Deterministic procedural noise for generated textures: integer hashing, so
// the same seed gives the same bytes on every build and machine.
#pragma once
#include <cstdint>

namespace mediagen {

class ProcNoise {
public:
    explicit ProcNoise(uint32_t seed) : seed(seed) {}
    // Hash of a lattice point, in [0, 1).
    float hash(int x, int y, int z = 0) const;
    // Smooth value noise in [0, 1].
    float value(float x, float y) const;
    float value(float x, float y, float z) const;
    // Sums of octaves, each twice the frequency and half the weight; in [0, 1].
    float fbm(float x, float y, int octaves) const;
    float fbm(float x, float y, float z, int octaves) const;
private:
    uint32_t seed;
};

} // namespace mediagen
