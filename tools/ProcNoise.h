// Deterministic procedural noise for the generated textures, pictures and the
// default map: integer hashing only, so the same seed gives the same bytes on
// every build and machine. Two noises live here: ProcNoise in floats, eased by
// the cubic, for the shared textures and pictures; worldnoise in doubles,
// eased by the quintic and hashed its own way, for the world's map and chalet.
#pragma once
#include <cmath>
#include <cstdint>
#include "Blend.h"

namespace mediagen {

// The top 24 bits of a hash as a number in [0, 1).
template <class T>
T unitOf(uint32_t h) {
    return static_cast<T>(h >> 8) * (T(1) / T(16777216));
}

// Value noise on the unit lattice: corner(i, j) at the lattice points, blended
// along each axis by fade.
template <class T, class Fade, class Corner>
T latticeValue(T x, T y, Fade fade, Corner corner) {
    const T fx = std::floor(x), fy = std::floor(y);
    const int32_t ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy);
    const T tx = fade(x - fx), ty = fade(y - fy);
    return lerp(lerp(corner(ix, iy), corner(ix + 1, iy), tx), lerp(corner(ix, iy + 1), corner(ix + 1, iy + 1), tx), ty);
}

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

namespace worldnoise {

inline uint32_t hash(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u ^ static_cast<uint32_t>(x) * 0x85EBCA77u ^ static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

// Uniform in [0, 1) at a lattice point.
inline double lattice(int32_t x, int32_t y, uint32_t seed) { return unitOf<double>(hash(x, y, seed)); }

inline double fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

// Smooth value noise in [0, 1].
inline double value(double x, double y, uint32_t seed) {
    return latticeValue(x, y, fade, [seed](int32_t i, int32_t j) { return lattice(i, j, seed); });
}

// Fractal sum in [0, 1]; each octave doubles the frequency and halves the weight.
inline double fbm(double x, double y, int octaves, uint32_t seed) {
    double sum = 0, weight = 0.5, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * value(x, y, seed + i * 101u);
        total += weight;
        weight *= 0.5;
        x = x * 2.03 + 17.1;
        y = y * 2.03 - 5.3;
    }
    return sum / total;
}

// Sharp crests where the noise crosses its middle: ridges and arêtes, in [0, 1].
inline double ridged(double x, double y, int octaves, uint32_t seed) {
    double sum = 0, weight = 0.5, total = 0, feedback = 1;
    for (int i = 0; i < octaves; ++i) {
        double n = 1.0 - std::fabs(2.0 * value(x, y, seed + i * 131u) - 1.0);
        n *= n * feedback;
        feedback = n < 1 ? n : 1;
        sum += weight * n;
        total += weight;
        weight *= 0.5;
        x = x * 2.07 + 3.7;
        y = y * 2.07 + 11.9;
    }
    return sum / total;
}

}  // namespace worldnoise
}  // namespace mediagen
