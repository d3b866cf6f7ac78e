// Deterministic 2D value noise for the world's generated pictures: the same
// numbers on every build and machine, from integer hashing only.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>
#include "Blend.h"

namespace mediagen {
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
inline double lattice(int32_t x, int32_t y, uint32_t seed) { return (hash(x, y, seed) >> 8) * (1.0 / 16777216.0); }

inline double fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

// Smooth value noise in [0, 1].
inline double value(double x, double y, uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const int32_t ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy);
    const double tx = fade(x - fx), ty = fade(y - fy);
    const double a = lattice(ix, iy, seed), b = lattice(ix + 1, iy, seed);
    const double c = lattice(ix, iy + 1, seed), d = lattice(ix + 1, iy + 1, seed);
    return lerp(lerp(a, b, tx), lerp(c, d, tx), ty);
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

// Runs row(y) for every y in [0, rows) on all cores; each row must touch only its own pixels.
inline void forEachRow(int rows, const std::function<void(int)>& row) {
    const int workers = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> pool;
    for (int w = 0; w < workers; ++w)
        pool.emplace_back([&, w] {
            for (int y = w; y < rows; y += workers) row(y);
        });
    for (std::thread& t : pool) t.join();
}

} // namespace worldnoise
} // namespace mediagen
